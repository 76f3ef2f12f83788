// The preview dialog: a picture and up to ten text lines on a second
// instance of the terminal's display emulation, drawn as the terminal
// draws them.
#pragma once

#include "simulator/core/display/stat_display.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace formwick {

struct CParamStartup;

struct PreviewPicture {
    std::vector<std::uint8_t> packed; // packed monochrome picture
    int x = 0, y = 0;                 // its top-left corner on the display
};

struct PreviewContent {
    std::optional<PreviewPicture> picture;
    // 0: no font and no text; 1..5: built-in font 0..4; 6: the custom font.
    int fontSelector = 0;
    std::vector<std::uint8_t> customFont; // the custom font body
    std::array<std::string, 10> lines;    // UTF-8
};

inline constexpr int kPreviewCustomFont = 6;

// The splash preview: the splash picture at (0, 0), the splash font
// ("Large" the 8 x 16 font, "Medium" the 6 x 12 font, "Custom" the custom
// font, or "Large" without one) and the ten splash lines.
PreviewContent splash_preview(const CParamStartup& startup);
// Menu picture `i` (0..2) at (32, 50); no text.
PreviewContent menu_image_preview(const CParamStartup& startup, int i);

// Draws `content` on `display` (cleared first).
void draw_preview(CStatDisplay& display, const PreviewContent& content);

// Shows a display's last frame, one widget pixel per display pixel.
class CDisplayView final : public QWidget {
    Q_OBJECT
public:
    CDisplayView(const CStatDisplay& display, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QImage frameImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CStatDisplay& display_;
};

// Dialog 146, "Preview": the display at (5, 5), a 138 x 138 client area.
class CDlgPreview final : public QDialog {
    Q_OBJECT
public:
    explicit CDlgPreview(const PreviewContent& content, QWidget* parent = nullptr);
    const CStatDisplay& display() const { return display_; }

private:
    PreviewContent content_; // the display draws from its custom font while shown
    CStatDisplay display_;
};

} // namespace formwick
