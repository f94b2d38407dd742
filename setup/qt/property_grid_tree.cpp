#include "setup/qt/property_grid_tree.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "setup/qt/property_grid.h"

namespace veldmark {
namespace {

// The flat look: a grey gutter and grey group rows, light lines between cells.
const QColor kGutterColour(240, 240, 240);
const QColor kLineColour(220, 220, 220);
const QColor kRequiredColour(191, 0, 0);
constexpr int kTextMargin = 4;
constexpr int kExpanderSize = 9;

bool IsGroup(const QModelIndex& index) { return !index.parent().isValid(); }

QColor NameColour(const QStyleOptionViewItem& option, bool required) {
    if (option.state & QStyle::State_Selected) return option.palette.color(QPalette::HighlightedText);
    return required ? kRequiredColour : option.palette.color(QPalette::Text);
}

}  // namespace

PropertyGridTree::PropertyGridTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setRootIsDecorated(false);
    setIndentation(RowHeight());
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setAllColumnsShowFocus(true);
    setItemDelegate(new PropertyGridDelegate(this));
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
}

PropertyGridRow* PropertyGridTree::RowOf(QTreeWidgetItem* item) {
    return item && item->parent() ? static_cast<PropertyGridRow*>(item) : nullptr;
}

int PropertyGridTree::RowHeight() const { return fontMetrics().height() + 5; }

QRect PropertyGridTree::ValueButtonRect(const QModelIndex& index) const {
    const QRect cell = visualRect(index.siblingAtColumn(1));
    const int size = cell.height();
    return QRect(cell.right() + 1 - size, cell.top(), size, size);
}

QRect PropertyGridTree::ExpanderRect(const QModelIndex& index) const {
    const QRect row = visualRect(index.siblingAtColumn(0));
    const int gutter = indentation();
    return QRect(row.left() + (gutter - kExpanderSize) / 2, row.top() + (row.height() - kExpanderSize) / 2,
                 kExpanderSize, kExpanderSize);
}

void PropertyGridTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex&) const {
    painter->fillRect(rect, kGutterColour);
}

void PropertyGridTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    painter->save();
    painter->setPen(kLineColour);
    const QRect& row = option.rect;
    if (!IsGroup(index)) {
        const int divider = columnViewportPosition(1) - 1;
        painter->drawLine(divider, row.top(), divider, row.bottom());
        painter->drawLine(indentation(), row.bottom(), row.right(), row.bottom());
    }
    painter->restore();
}

void PropertyGridTree::keyPressEvent(QKeyEvent* event) {
    const bool opensMenu = event->key() == Qt::Key_F4 ||
                           (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (opensMenu && RowOf(currentItem())) {
        emit valueButtonClicked(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void PropertyGridTree::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    QTreeWidgetItem* item = itemFromIndex(index);
    if (item && event->button() == Qt::LeftButton) {
        if (IsGroup(index) && ExpanderRect(index).contains(position)) {
            setCurrentItem(item);
            item->setExpanded(!item->isExpanded());
            return;
        }
        if (RowOf(item) && ValueButtonRect(index).contains(position)) {
            setCurrentItem(item, 1);
            emit valueButtonClicked(item);
            return;
        }
    }
    QTreeWidget::mousePressEvent(event);
    // A value that can be typed is edited at the first click, as in any property grid.
    if (RowOf(item) && index.column() == 1 && (item->flags() & Qt::ItemIsEditable) && state() != EditingState)
        editItem(item, 1);
}

void PropertyGridTree::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    if (!columnsPlaced_ && viewport()->width() > 0) {
        columnsPlaced_ = true;
        setColumnWidth(0, (viewport()->width() + indentation()) / 2);
    }
}

PropertyGridDelegate::PropertyGridDelegate(PropertyGridTree* tree) : QStyledItemDelegate(tree), tree_(tree) {}

void PropertyGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    if (IsGroup(index)) {
        PaintGroup(painter, option, index);
    } else if (index.column() == 0) {
        PaintName(painter, option, index);
    } else {
        PaintValue(painter, option, index);
    }
}

void PropertyGridDelegate::PaintGroup(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    painter->save();
    painter->fillRect(option.rect, kGutterColour);
    const QRect expander = tree_->ExpanderRect(index);
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->setBrush(option.palette.color(QPalette::Base));
    painter->drawRect(expander.adjusted(0, 0, -1, -1));
    painter->setPen(option.palette.color(QPalette::Text));
    const int middleY = expander.center().y();
    painter->drawLine(expander.left() + 2, middleY, expander.right() - 2, middleY);
    if (!tree_->isExpanded(index)) {
        const int middleX = expander.center().x();
        painter->drawLine(middleX, expander.top() + 2, middleX, expander.bottom() - 2);
    }

    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    const QString caption = index.data().toString();
    QRect text = option.rect.adjusted(tree_->indentation() + kTextMargin, 0, -kTextMargin, 0);
    text.setWidth(std::min(text.width(), QFontMetrics(bold).horizontalAdvance(caption) + 2 * kTextMargin));
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(text.adjusted(-kTextMargin, 1, 0, -1), option.palette.color(QPalette::Highlight));
        painter->setPen(option.palette.color(QPalette::HighlightedText));
    }
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter->restore();
}

void PropertyGridDelegate::PaintName(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const PropertyGridRow* row = PropertyGridTree::RowOf(tree_->itemFromIndex(index));
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(NameColour(option, row && row->IsRequired()));
    const QRect text = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    painter->restore();
}

void PropertyGridDelegate::PaintValue(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const PropertyGridRow* row = PropertyGridTree::RowOf(tree_->itemFromIndex(index));
    painter->save();
    painter->fillRect(option.rect, option.palette.color(QPalette::Base));
    const QRect button = tree_->ValueButtonRect(index);

    QFont font = option.font;
    font.setBold(row && row->IsModified());
    painter->setFont(font);
    painter->setPen(option.palette.color(QPalette::Text));
    const QRect text(option.rect.left() + kTextMargin, option.rect.top(),
                     button.left() - option.rect.left() - 2 * kTextMargin, option.rect.height());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(font).elidedText(index.data().toString(), Qt::ElideRight, text.width()));

    // The button keeps the tree's own font whatever the value is drawn in.
    painter->setFont(option.font);
    QStyleOptionButton face;
    face.initFrom(tree_);
    face.rect = button.adjusted(1, 1, -1, -1);
    face.text = QStringLiteral("...");
    face.state = QStyle::State_Enabled | QStyle::State_Raised;
    tree_->style()->drawControl(QStyle::CE_PushButton, &face, painter, tree_);
    painter->restore();
}

QSize PropertyGridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), tree_->RowHeight());
}

QWidget* PropertyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
    if (IsGroup(index) || index.column() != 1) return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void PropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    const QString text = static_cast<QLineEdit*>(editor)->text();
    model->setData(index, text);
    if (PropertyGridRow* row = PropertyGridTree::RowOf(tree_->itemFromIndex(index)))
        row->Property().OnEndEdit(text.toStdU16String());
}

bool PropertyGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        case Qt::Key_Escape:
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            return true;
        default: break;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void PropertyGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                const QModelIndex& index) const {
    const QRect button = tree_->ValueButtonRect(index);
    editor->setGeometry(QRect(option.rect.left() + kTextMargin - 1, option.rect.top() + 1,
                              button.left() - option.rect.left() - kTextMargin, option.rect.height() - 2));
}

}  // namespace veldmark
