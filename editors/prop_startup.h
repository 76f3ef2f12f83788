// The Startup page: where the application starts, the splash screen with
// its picture, ten lines and font, the custom font, the main menu's date
// format and pictures, backlight, data deletion, terminal id, security,
// application version, constants and the communication protocol.
#pragma once

#include "editors/prop_page.h"
#include "model/startup.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace formwick {

enum StartupPageId {
    kStartTarget = 1002,
    kStartUseSplash = 1006,
    kStartSplashFont = 1017,
    kStartSplashLineFirst = 1007, // lines #1 .. #10: 1007 .. 1016
    kStartLoadImage = 1003,
    kStartClearImage = 1020,
    kStartPreview = 1004,
    kStartLoadFont = 1018,
    kStartClearFont = 1019,
    kStartDateFormat = 1022,
    kStartBrightness = 1032,
    kStartBacklightTime = 1033,
    kStartDeleteData = 1034,
    kStartTerminalId = 1035,
    kStartLockSystemMenu = 1036,
    kStartLockUtilities = 1037,
    kStartPassword = 1038,
    kStartApplicationVersion = 1039,
    kStartConstantFirst = 1281, // constants #1 .. #3: 1281 .. 1283
    kStartProtocol = 1293,
};
// The Load, Clear and Preview buttons of menu picture i (0..2).
inline constexpr std::array<int, 3> kStartMenuImageLoad{1023, 1026, 1027};
inline constexpr std::array<int, 3> kStartMenuImageClear{1024, 1028, 1029};
inline constexpr std::array<int, 3> kStartMenuImagePreview{1025, 1030, 1031};

inline constexpr const char* kFontFileFilter = "Binairy Font Files (*.BFT)|*.BFT|All Files (*.*)|*.*||";
// PNG beside BMP: pictures on a desktop are mostly PNG files, so the first
// choice shows both.
inline constexpr const char* kBitmapFileFilter =
    "Picture Files (*.BMP;*.PNG)|*.BMP;*.PNG|BMP Files (*.BMP)|*.BMP|PNG Files (*.PNG)|*.PNG|All Files (*.*)|*.*||";

// The terminal id as stored: right-aligned in 6 characters (longer text
// cut to its first 6), every space a 0. "12" -> "000012".
std::u16string format_terminal_id(std::u16string_view text);

// Usable splash lines: 0 without the splash screen, else 128 divided by the
// chosen font's line height (Large 16, Medium 12, Custom its height).
int splash_line_count(bool useSplash, int splashFont, int customFontHeight);

class CPropStartup final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropStartup(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;
    bool deactivate() override;

    const CParamStartup& workingCopy() const { return startup_; }

private:
    void showWorkingCopy();
    void updateEnabled();
    void syncSplashFontList();
    void loadFont();
    void clearFont();
    void loadImage(int slot); // -1 the splash picture, 0..2 a menu picture
    void preview(int slot);

    CParamStartup startup_;
    // The page's conversion buffer: every picture is converted here first,
    // and only a successful conversion reaches its slot.
    std::array<std::uint8_t, kSplashImageSize> conversion_{};

    QComboBox* startTarget_;
    QCheckBox* useSplash_;
    QComboBox* splashFont_;
    std::array<QLineEdit*, kSplashLineCount> splashLines_{};
    QPushButton* loadImage_;
    QPushButton* clearImage_;
    QPushButton* preview_;
    QPushButton* clearFont_;
    QLabel* fontInfo_;
    QComboBox* dateFormat_;
    std::array<QPushButton*, 3> menuClear_{};
    std::array<QPushButton*, 3> menuPreview_{};
    QComboBox* brightness_;
    QComboBox* backlightTime_;
    QComboBox* deleteData_;
    QLineEdit* terminalId_;
    QCheckBox* lockSystemMenu_;
    QCheckBox* lockUtilities_;
    QLineEdit* password_;
    QLineEdit* applicationVersion_;
    std::array<QLineEdit*, 3> constants_{};
    QComboBox* protocol_;
};

} // namespace formwick
