// The variable selection dialog: every field reference 0..93 as a radio
// button, in coloured groups by kind, returning the index chosen. Callers
// disable whole groups to offer only what makes sense where they are.
#pragma once

#include <QDialog>

#include <optional>

class QButtonGroup;
class QRadioButton;

namespace formwick {

class CThemedGroupBox;

struct VariableModes {
    bool constantsOff = false;  // no constants and terminal values
    bool variablesOff = false;  // no "Nil" and no variables
    bool variablesOnly = false; // only "Variable 1" .. "Variable 20"
};

inline constexpr const char* kVariableDlgCaption = "Variable Selection Dialog";

class CVariableDlg : public QDialog {
    Q_OBJECT
public:
    CVariableDlg(int preset, VariableModes modes, QWidget* parent = nullptr);

    // The first checked index scanning 0..93, else the preset.
    int chosen() const;
    // The radio of an index, or null for an index without one (61, 62, 73,
    // 74, 85, 86 and anything outside 0..93).
    QRadioButton* radio(int index) const;

    // Opens the dialog modally; the chosen index after OK, nothing after Cancel.
    static std::optional<int> choose(QWidget* parent, int preset, VariableModes modes);

private:
    QButtonGroup* radios_;
    int preset_;
};

} // namespace formwick
