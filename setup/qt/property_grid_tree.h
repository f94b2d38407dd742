// The rows of the property grid: how group and field rows are drawn, where
// the value button sits, and how a value cell is edited in place.
#pragma once

#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace veldmark {

class PropertyGridRow;

class PropertyGridTree final : public QTreeWidget {
    Q_OBJECT

public:
    explicit PropertyGridTree(QWidget* parent);

    static PropertyGridRow* RowOf(QTreeWidgetItem* item);
    QModelIndex IndexOf(const QTreeWidgetItem* item, int column) const { return indexFromItem(item, column); }
    int RowHeight() const;
    QRect ValueButtonRect(const QModelIndex& index) const;
    QRect ExpanderRect(const QModelIndex& index) const;

signals:
    // The button of the row's value cell was clicked, or F4 pressed on the row.
    void valueButtonClicked(QTreeWidgetItem* row);

protected:
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool columnsPlaced_ = false;
};

class PropertyGridDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit PropertyGridDelegate(PropertyGridTree* tree);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // Enter and Escape end the edit here, and go no further: the sheet
    // around the grid must not take them for OK or Cancel.
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    void PaintGroup(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void PaintName(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void PaintValue(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    PropertyGridTree* tree_;
};

}  // namespace veldmark
