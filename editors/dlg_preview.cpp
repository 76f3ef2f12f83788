#include "editors/dlg_preview.h"

#include "model/startup.h"
#include "simulator/core/display/screen.h"

#include <QImage>
#include <QPainter>
#include <QVBoxLayout>

namespace formwick {

PreviewContent splash_preview(const CParamStartup& startup) {
    PreviewContent content;
    if (startup.hasSplashImage())
        content.picture = PreviewPicture{{startup.splashImage.begin(), startup.splashImage.end()}, 0, 0};
    switch (startup.splashFont) {
    case 1: content.fontSelector = 3; break; // "Medium": built-in font 2, 6 x 12
    case 2: content.fontSelector = startup.hasCustomFont() ? kPreviewCustomFont : 4; break;
    default: content.fontSelector = 4; break; // "Large": built-in font 3, 8 x 16
    }
    if (content.fontSelector == kPreviewCustomFont) content.customFont = startup.customFont;
    for (int i = 0; i < kSplashLineCount; ++i)
        content.lines[static_cast<std::size_t>(i)] = std::string(text_bytes(startup.splashLines[i].text));
    return content;
}

PreviewContent menu_image_preview(const CParamStartup& startup, int i) {
    PreviewContent content;
    if (i >= 0 && i < 3 && startup.hasMenuImage(i))
        content.picture = PreviewPicture{{startup.menuImages[i].begin(), startup.menuImages[i].end()}, 32, 50};
    return content;
}

void draw_preview(CStatDisplay& display, const PreviewContent& content) {
    display.putc('\f');
    if (content.picture)
        display.image(content.picture->x, content.picture->y,
                      ImageView{content.picture->packed.data(), content.picture->packed.size()});
    if (content.fontSelector >= 1 && content.fontSelector <= 5) {
        display.set_font(content.fontSelector - 1);
    } else if (content.fontSelector == kPreviewCustomFont) {
        display.set_custom_font(content.customFont.data(), content.customFont.size());
    } else {
        display.refresh();
        return;
    }
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        display.state().cursorColumn = 0;
        display.state().cursorRow = static_cast<int>(i);
        display.print_utf8("%s", content.lines[i].c_str());
    }
    display.refresh();
}

CDisplayView::CDisplayView(const CStatDisplay& display, QWidget* parent) : QWidget(parent), display_(display) {
    setFixedSize(display.width(), display.height());
}

QSize CDisplayView::sizeHint() const { return {display_.width(), display_.height()}; }

QImage CDisplayView::frameImage() const {
    const Screen screen = compose_screen(display_);
    QImage image(screen.width, screen.height, QImage::Format_RGB32);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            image.setPixel(x, y, screen.pixels[static_cast<std::size_t>(y * screen.width + x)] | 0xFF000000u);
    return image;
}

void CDisplayView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), frameImage());
}

CDlgPreview::CDlgPreview(const PreviewContent& content, QWidget* parent) : QDialog(parent), content_(content) {
    setObjectName(QStringLiteral("146"));
    setWindowTitle(QStringLiteral("Preview"));
    draw_preview(display_, content_);
    auto* view = new CDisplayView(display_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(view);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace formwick
