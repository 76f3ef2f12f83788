// The beeper's sound: each tone sequence of the terminal becomes square
// waves (44100 samples per second, 16-bit mono, one loudness) played through
// the default audio output. A new sequence cuts the one playing. Without an
// audio device it stays silent and reports nothing.
#pragma once

#include "simulator/core/beeper/audio_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QObject>

#include <memory>
#include <vector>

class QAudioSink;

namespace formwick {

class BeeperAudio final : public QObject {
    Q_OBJECT
public:
    static constexpr int kRate = 44100;
    static constexpr qint16 kAmplitude = 8000; // one fixed loudness, well below full scale

    explicit BeeperAudio(QObject* parent = nullptr);
    ~BeeperAudio() override;

    // Window thread.
    void play(const std::vector<ToneSegment>& sequence);
    bool has_device() const { return available_; }

    // The samples of a sequence: per tone, whole periods of n samples low
    // and n high with n = 44100 / (2 x frequency); silence for frequency 0.
    static QByteArray samples(const std::vector<ToneSegment>& sequence);

private:
    bool ensure_sink();

    bool available_ = false;
    bool probed_ = false;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    QByteArray data_;
};

} // namespace formwick
