#include "shell/progress_wnd.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace formwick {

namespace {
constexpr int kTextLines = 4;
constexpr int kTextWidth = 390;
} // namespace

CProgressWnd::CProgressWnd(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      text_(new QLabel), bar_(new QProgressBar), cancel_(new QPushButton(QStringLiteral(" Cancel "))) {
    setObjectName(QStringLiteral("progress"));
    setWindowTitle(title_);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::BusyCursor);

    text_->setObjectName(QStringLiteral("11"));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setMinimumWidth(kTextWidth);
    text_->setMinimumHeight(QFontMetrics(text_->font()).lineSpacing() * kTextLines);
    bar_->setObjectName(QStringLiteral("12"));
    bar_->setRange(lower_, upper_);
    bar_->setTextVisible(false); // the caption shows the percentage
    bar_->setValue(0);
    cancel_->setObjectName(QStringLiteral("10"));
    cancel_->setCursor(Qt::ArrowCursor);
    connect(cancel_, &QPushButton::clicked, this, &CProgressWnd::on_cancel);

    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addSpacing(10);
    row->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 20, 20);
    layout->addWidget(text_);
    layout->addSpacing(10);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    hideTimer_.setObjectName(QString::number(kProgressHideTimer));
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kProgressHideMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);

    adjustSize();
    restore_position();
}

CProgressWnd::~CProgressWnd() { remember_position(); }

void CProgressWnd::set_text(const QString& text) { text_->setText(text.left(511)); }

QString CProgressWnd::text() const { return text_->text(); }

int CProgressWnd::set_pos(int position) {
    if (isHidden()) {
        show();
        raise();
    }
    const int previous = position_;
    position_ = position;
    int percent = 0;
    if (upper_ > lower_) percent = ((position - lower_) * 200 / (upper_ - lower_) + 1) / 2;
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        setWindowTitle(QStringLiteral("%1 [%2%]").arg(title_).arg(percent));
    }
    bar_->setValue(std::clamp(position, lower_, upper_));
    return previous;
}

void CProgressWnd::reset() {
    text_->clear();
    position_ = 0;
    bar_->setValue(0);
    cancelled_ = false;
    update();
}

void CProgressWnd::start_hide_timer() { hideTimer_.start(); }

void CProgressWnd::on_cancel() {
    remember_position();
    cancelled_ = true;
    hideTimer_.stop();
    hide();
    if (QWidget* owner = parentWidget()) {
        owner->raise();
        owner->activateWindow();
    }
    emit cancelRequested();
}

void CProgressWnd::remember_position() const {
    QSettings settings(QStringLiteral("Formwick"), QStringLiteral("Formwick"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("X"), pos().x());
    settings.setValue(QStringLiteral("Y"), pos().y());
}

void CProgressWnd::restore_position() {
    QSettings settings(QStringLiteral("Formwick"), QStringLiteral("Formwick"));
    settings.beginGroup(QStringLiteral("Settings"));
    bool okX = false, okY = false;
    const QPoint remembered(settings.value(QStringLiteral("X")).toInt(&okX),
                            settings.value(QStringLiteral("Y")).toInt(&okY));
    // The whole title bar's corner must lie on a screen to be reachable.
    if (okX && okY && QGuiApplication::screenAt(remembered) &&
        QGuiApplication::screenAt(remembered + QPoint(width() - 1, 0))) {
        move(remembered);
        return;
    }
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

} // namespace formwick
