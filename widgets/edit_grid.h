// A grid with a fixed header row and a fixed first column, in which only
// the second column is edited in place (double click, F2 or typing). A cell
// whose text is wider than its column shows the whole text as a tip.
//
// Rows are filled with setRow(); editing a cell emits cellEdited(row, text)
// once the editor closes with a changed text.
#pragma once

#include <QTableWidget>

namespace formwick {

class CEditGrid : public QTableWidget {
    Q_OBJECT
public:
    CEditGrid(const QString& firstHeader, const QString& secondHeader, QWidget* parent = nullptr);

    void setRowCountTo(int rows);
    void setRow(int row, const QString& fixedText, const QString& editText);
    QString editText(int row) const;
    // The longest text the edited column accepts, in characters.
    void setMaxLength(int characters) { maxLength_ = characters; }
    int maxLength() const { return maxLength_; }

signals:
    void cellEdited(int row, const QString& text);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    int maxLength_ = 32767;
    bool filling_ = false;
};

} // namespace formwick
