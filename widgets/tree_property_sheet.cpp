#include "widgets/tree_property_sheet.h"

#include "widgets/ok_cancel_buttons.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace formwick {

namespace {
constexpr int kPageRole = Qt::UserRole + 1; // page index of a tree item, -1 for a bare node
}

CTreePropertySheet::CTreePropertySheet(QWidget* parent) : QDialog(parent) {
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("sheetTree"));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    setTreeWidth(200);

    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("sheetCaption"));
    QFont captionFont = caption_->font();
    captionFont.setBold(true);
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.2);
    caption_->setFont(captionFont);
    caption_->setFrameShape(QFrame::StyledPanel);
    caption_->setAutoFillBackground(true);
    caption_->setBackgroundRole(QPalette::AlternateBase);
    caption_->setMargin(4);

    stack_ = new QStackedWidget(this);
    emptyNode_ = new QLabel(stack_);
    emptyNode_->setObjectName(QStringLiteral("sheetEmptyNode"));
    emptyNode_->setAlignment(Qt::AlignCenter);
    emptyNode_->setWordWrap(true);
    stack_->addWidget(emptyNode_);

    QDialogButtonBox* buttons = make_ok_cancel(this);

    auto* right = new QVBoxLayout;
    right->addWidget(caption_);
    right->addWidget(stack_, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(tree_);
    body->addLayout(right, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body, 1);
    top->addWidget(buttons);

    connect(tree_, &QTreeWidget::currentItemChanged, this, &CTreePropertySheet::treeSelectionChanged);
    const auto stepper = [this](QKeySequence keys, int delta) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, [this, delta] { step(delta); });
    };
    stepper(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    stepper(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    stepper(QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1);
    stepper(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
}

void CTreePropertySheet::setTreeWidth(int pixels) { tree_->setFixedWidth(pixels); }

QTreeWidgetItem* CTreePropertySheet::nodeFor(const QStringList& path) {
    QTreeWidgetItem* parent = nullptr;
    QTreeWidgetItem* node = nullptr;
    for (const QString& part : path) {
        node = nullptr;
        const int count = parent ? parent->childCount() : tree_->topLevelItemCount();
        for (int i = 0; i < count && !node; ++i) {
            QTreeWidgetItem* candidate = parent ? parent->child(i) : tree_->topLevelItem(i);
            if (candidate->text(0) == part) node = candidate;
        }
        if (!node) {
            node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
            node->setText(0, part);
            node->setToolTip(0, part); // captions wider than the tree are cut
            node->setData(0, kPageRole, -1);
            node->setExpanded(true);
        }
        parent = node;
    }
    return node;
}

int CTreePropertySheet::addPage(const QString& captionPath, QWidget* page) {
    const QStringList path = captionPath.split(QStringLiteral("::"));
    const bool blocked = tree_->blockSignals(true);
    QTreeWidgetItem* item = nodeFor(path);
    tree_->blockSignals(blocked);
    const int index = pageCount();
    item->setData(0, kPageRole, index);
    stack_->addWidget(page);
    pages_.push_back({captionPath, page, item});
    return index;
}

QString CTreePropertySheet::pageCaption(int index) const {
    return pages_[index].path.split(QStringLiteral("::")).back();
}

int CTreePropertySheet::pageOfItem(const QTreeWidgetItem* item) const {
    return item ? item->data(0, kPageRole).toInt() : -1;
}

bool CTreePropertySheet::setActivePage(int index) {
    if (index < 0 || index >= pageCount()) return false;
    if (tree_->currentItem() != pages_[index].item) {
        tree_->setCurrentItem(pages_[index].item);
        return active_ == index;
    }
    if (active_ != index) treeSelectionChanged(pages_[index].item, nullptr);
    return active_ == index;
}

void CTreePropertySheet::treeSelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (switching_ || !current) return;
    const int next = pageOfItem(current);
    if (next == active_ && next >= 0) return;
    if (active_ >= 0 && onLeave && !onLeave(active_)) {
        // The shown page keeps the focus; the tree goes back to it.
        switching_ = true;
        tree_->setCurrentItem(pages_[active_].item);
        switching_ = false;
        return;
    }
    if (next < 0) {
        active_ = -1;
        showEmptyNode(current);
        return;
    }
    active_ = next;
    caption_->setText(pageCaption(next));
    stack_->setCurrentWidget(pages_[next].widget);
    if (onShow) onShow(next);
}

void CTreePropertySheet::showEmptyNode(QTreeWidgetItem* item) {
    caption_->setText(item->text(0));
    QString message = emptyNodeMessage_;
    message.replace(QStringLiteral("%s"), item->text(0));
    emptyNode_->setText(message);
    stack_->setCurrentWidget(emptyNode_);
}

void CTreePropertySheet::step(int delta) {
    if (pageCount() == 0) return;
    const int from = active_ < 0 ? 0 : active_;
    setActivePage((from + delta + pageCount()) % pageCount());
}

void CTreePropertySheet::accept() {
    if (active_ >= 0 && onLeave && !onLeave(active_)) return;
    if (onAccept && !onAccept()) return;
    QDialog::accept();
}

} // namespace formwick
