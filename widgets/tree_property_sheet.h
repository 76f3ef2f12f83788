// A tree-style property sheet: a tree of page captions on the left, the
// caption of the shown page above the page on the right, OK and Cancel at
// the bottom (no Apply).
//
// Pages are added in order with a caption path: "Barcode::Code 39" puts the
// page below the node "Barcode", which is made when it does not exist yet.
// A node without a page of its own shows the sheet's message for it, with
// the node's caption in place of %s.
//
// The sheet only switches pages; what leaving, showing and OK mean is told
// by the owner through three hooks:
//  - onLeave(i): page i is about to be left (for another page or for OK);
//    false keeps it shown;
//  - onShow(i): page i is now shown;
//  - onAccept(): OK after the active page agreed to be left; false keeps the
//    sheet open.
// Cancel, Escape and the close box just reject.
//
// Keyboard: the tree has the focus first; Up/Down/Home/End move through the
// pages, Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PgDown / Ctrl+PgUp step pages
// from anywhere in the sheet, Tab moves between tree, page and buttons,
// Enter is OK and Escape is Cancel.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace formwick {

class CTreePropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit CTreePropertySheet(QWidget* parent = nullptr);

    // Message for a node without a page; %s stands for the node's caption.
    void setEmptyNodeMessage(const QString& message) { emptyNodeMessage_ = message; }
    // Width of the tree in pixels (at 100 % scaling).
    void setTreeWidth(int pixels);

    // Adds a page; returns its index (0, 1, ... in the order added).
    int addPage(const QString& captionPath, QWidget* page);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    QWidget* page(int index) const { return pages_[index].widget; }
    // The caption shown above the page: the last part of its caption path.
    QString pageCaption(int index) const;

    // Shows page `index` (running the leave and show hooks); false when the
    // shown page refused to be left.
    bool setActivePage(int index);
    // The shown page, or -1 while a node without a page is shown or before
    // the first page is shown.
    int activePage() const { return active_; }

    std::function<bool(int)> onLeave;
    std::function<void(int)> onShow;
    std::function<bool()> onAccept;

    QTreeWidget* tree() const { return tree_; }

public slots:
    void accept() override;

private:
    struct Page {
        QString path;
        QWidget* widget;
        QTreeWidgetItem* item;
    };

    QTreeWidgetItem* nodeFor(const QStringList& path);
    void treeSelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void showEmptyNode(QTreeWidgetItem* item);
    void step(int delta);
    int pageOfItem(const QTreeWidgetItem* item) const;

    QTreeWidget* tree_;
    QLabel* caption_;
    QStackedWidget* stack_;
    QLabel* emptyNode_;
    QString emptyNodeMessage_ = QStringLiteral("Please select a child item of '%s'.");
    std::vector<Page> pages_;
    int active_ = -1;
    bool switching_ = false;
};

} // namespace formwick
