// The more-properties dialog of one form line: alignment, initial value,
// prefix, suffix, input mark and the settings of the numeric, lookup,
// counter and pause types. It edits a copy; the caller takes properties()
// after OK.
#pragma once

#include "model/form.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace formwick {

class CDialogs;
class CIconButton;

enum MoreDialogId {
    kMoreFieldLine = 1181,
    kMoreAlignment = 1182,
    kMoreInitialKind = 1183,
    kMoreInitialText = 1184,
    kMoreInitialVariable = 1185,
    kMoreAddPrefix = 1186,
    kMoreAddSuffix = 1187,
    kMoreShowInputMark = 1188,
    kMorePrefix = 1189,
    kMoreSuffix = 1190,
    kMoreInputMark = 1191,
    kMoreDecimalPlaces = 1192,
    kMoreMatchDisplay = 1193,
    kMoreAllowNegative = 1194,
    kMoreCounterFile = 1195,
    kMoreAlwaysShowLine = 1280,
};

inline constexpr const char* kMoreCaption = "Dialog";
inline constexpr const char* kMoreFieldLineFormat = "Form #%1 \t Line #%2";

class CDlgMore : public QDialog {
    Q_OBJECT
public:
    // form and line counted from 1.
    CDlgMore(int form, int line, int dataType, const CMoreProperties& properties,
             QWidget* parent = nullptr);

    const CMoreProperties& properties() const { return more_; }

private:
    void fill();
    void connectStores();
    void updateEnabled();
    void chooseVariable(CIconButton* button, int& field, bool variablesOff);

    CMoreProperties more_;
    int dataType_;
    QLabel* fieldLine_;
    QComboBox* alignment_;
    QComboBox* initialKind_;
    QLineEdit* initialText_;
    CIconButton* initialVariable_;
    QCheckBox* addPrefix_;
    QCheckBox* addSuffix_;
    QCheckBox* showMark_;
    QLineEdit* prefix_;
    QLineEdit* suffix_;
    QLineEdit* mark_;
    QLabel* decimalLabel_;
    QComboBox* decimalPlaces_;
    CIconButton* matchDisplay_;
    QCheckBox* allowNegative_;
    QLabel* counterLabel_;
    QComboBox* counterFile_;
    QCheckBox* alwaysShowLine_;
};

} // namespace formwick
