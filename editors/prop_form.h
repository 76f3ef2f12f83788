// The Form page: the eight input forms, one shown at a time, each with its
// font, CLR and next targets, ten typed lines and its storage rule.
#pragma once

#include "editors/prop_page.h"
#include "model/form.h"
#include "model/parameters.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace formwick {

class CIconButton;

// Control ids of the Form page. Row i (0..9) has ids kFormRowFirstId + 7i
// (data type) to kFormRowFirstId + 7i + 6 (lookup).
enum FormPageId {
    kFormName = 1103,
    kFormFont = 1017,
    kFormClr = 1018,
    kFormNext = 1106,
    kFormRowFirstId = 1107,
    kFormSaveOnNext = 1179,
    kFormDataFile = 1180,
};
inline constexpr int kFormRowStride = 7;
enum FormRowColumn { kColType, kColPrompt, kColInput, kColMin, kColMax, kColVariable, kColLookup };
int form_row_id(int row, FormRowColumn column);
// "More..." of rows 0, 1, 2 .. 9: 1177, 1178, 1023 .. 1030.
int form_more_id(int row);

inline constexpr const char* kMinMaxMessage = "Enter an integer between %1 and %2.";
inline constexpr int kLineLimitMin = 0;
inline constexpr int kLineLimitMax = 100;

// Rows a form can use with its font: Large 8, Medium 10, Custom as many as
// the custom font allows (at most 10), anything else 0.
int usable_form_rows(int font, int customFontLines);

class CPropForm final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropForm(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;
    void activate() override;
    bool deactivate() override;

    int shownForm() const { return shown_; }
    const CParamForm& workingForm(int f) const { return forms_[f]; }

private:
    struct Row {
        QComboBox* type;
        QLineEdit* prompt;
        QComboBox* input;
        QLineEdit* minimum;
        QLineEdit* maximum;
        CIconButton* variable;
        QComboBox* lookup;
        QPushButton* more;
        int cachedVariable = 0;
    };

    void buildRow(int i, QGridLayout* grid, int gridRow);
    void showForm(int f);
    void rowChanged(int i);
    void limitEdited(int i, QLineEdit* edit, int& field);
    void applyRowRules();
    void applyRowRule(int i, bool usable);
    void updateMinMaxWarning();
    void chooseVariable(int i);
    void openMore(int i);
    void fontChosen(int index);
    // Message for an edit whose text is not an integer 0..100; false then.
    bool limitValid(QLineEdit* edit) const;
    CParamForm& form() { return forms_[shown_]; }

    std::array<CParamForm, kFormCount> forms_{};
    int shown_ = -1;
    std::array<Row, kFormLineCount> rows_{};
    QComboBox* name_;
    QComboBox* font_;
    QComboBox* clr_;
    QComboBox* next_;
    QCheckBox* saveOnNext_;
    QComboBox* dataFile_;
    QLabel* warning_;
    bool messageShown_ = false; // one limit message at a time
};

} // namespace formwick
