#include "simulator/window/beeper_audio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace formwick {

BeeperAudio::BeeperAudio(QObject* parent) : QObject(parent) {}

BeeperAudio::~BeeperAudio() {
    if (sink_) sink_->stop();
}

QByteArray BeeperAudio::samples(const std::vector<ToneSegment>& sequence) {
    QByteArray out;
    for (const ToneSegment& s : sequence) {
        const qsizetype count = static_cast<qsizetype>(s.duration) * kRate / 1000;
        const qsizetype start = out.size();
        out.resize(start + count * 2);
        auto* pcm = reinterpret_cast<qint16*>(out.data() + start);
        if (s.frequency <= 0) {
            std::fill(pcm, pcm + count, qint16(0));
            continue;
        }
        const int half = std::max(1, kRate / (2 * s.frequency));
        for (qsizetype i = 0; i < count; ++i) pcm[i] = (i / half) % 2 ? kAmplitude : qint16(-kAmplitude);
    }
    return out;
}

bool BeeperAudio::ensure_sink() {
    if (probed_) return available_;
    probed_ = true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    QAudioFormat format;
    format.setSampleRate(kRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    available_ = true;
    return true;
}

void BeeperAudio::play(const std::vector<ToneSegment>& sequence) {
    if (!ensure_sink()) return;
    sink_->stop();
    buffer_.close();
    if (sequence.empty()) return;
    data_ = samples(sequence);
    buffer_.setData(data_);
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
}

} // namespace formwick
