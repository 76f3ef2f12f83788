#include "widgets/edit_grid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace formwick {

namespace {

// Line edits limited to the grid's text length.
class LimitedDelegate : public QStyledItemDelegate {
public:
    explicit LimitedDelegate(CEditGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(grid_->maxLength());
        return editor;
    }

private:
    CEditGrid* grid_;
};

} // namespace

CEditGrid::CEditGrid(const QString& firstHeader, const QString& secondHeader, QWidget* parent)
    : QTableWidget(0, 2, parent) {
    setHorizontalHeaderLabels({firstHeader, secondHeader});
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegateForColumn(1, new LimitedDelegate(this));
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == 1) emit cellEdited(item->row(), item->text());
    });
}

void CEditGrid::setRowCountTo(int rows) { setRowCount(rows); }

void CEditGrid::setRow(int row, const QString& fixedText, const QString& editText) {
    filling_ = true;
    auto* fixed = new QTableWidgetItem(fixedText);
    fixed->setFlags(Qt::ItemIsEnabled); // the first column is a fixed column: never edited
    fixed->setBackground(palette().button());
    setItem(row, 0, fixed);
    setItem(row, 1, new QTableWidgetItem(editText));
    filling_ = false;
}

QString CEditGrid::editText(int row) const {
    const QTableWidgetItem* i = item(row, 1);
    return i ? i->text() : QString();
}

bool CEditGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const QString text = index.data().toString();
            const int needed = fontMetrics().horizontalAdvance(text) + 8;
            if (needed > visualRect(index).width()) {
                QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QTableWidget::viewportEvent(event);
}

} // namespace formwick
