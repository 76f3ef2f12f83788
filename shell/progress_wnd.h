// CProgressWnd: the small window that follows a transfer: a text of up to
// four lines (id 11), a progress bar (id 12) and " Cancel " (id 10). It
// stays on top, shows itself without taking the focus when a position is
// set, and puts its percentage in its caption ("Progress [50%]").
//
// Its place is remembered in the program's per-user settings (QSettings of
// "Formwick", group "Settings", keys "X" and "Y") when Cancel hides it or it
// is destroyed, and taken back when it is made; a place off every screen
// (or none) centres it on the owner's screen.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace formwick {

inline constexpr int kProgressHideTimer = 25;
inline constexpr int kProgressHideMs = 5000;

class CProgressWnd : public QWidget {
    Q_OBJECT
public:
    explicit CProgressWnd(QWidget* owner = nullptr);
    ~CProgressWnd() override;

    void set_text(const QString& text);
    // Shows the window when hidden and moves the bar; returns the previous
    // position.
    int set_pos(int position);
    // Empty text, position 0, not cancelled.
    void reset();
    bool cancelled() const { return cancelled_; }
    int position() const { return position_; }
    QString text() const;
    // Timer 25: hides the window after 5 s.
    void start_hide_timer();
    void stop_hide_timer() { hideTimer_.stop(); }
    bool hide_timer_active() const { return hideTimer_.isActive(); }

    QLabel* text_label() const { return text_; }
    QProgressBar* bar() const { return bar_; }
    QPushButton* cancel_button() const { return cancel_; }

signals:
    // The user pressed Cancel.
    void cancelRequested();

private:
    void on_cancel();
    void remember_position() const;
    void restore_position();

    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer hideTimer_;
    QString title_ = QStringLiteral("Progress");
    int lower_ = 0;
    int upper_ = 100;
    int position_ = 0;
    int lastPercent_ = -1;
    bool cancelled_ = false;
};

} // namespace formwick
