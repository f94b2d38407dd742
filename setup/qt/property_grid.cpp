#include "setup/qt/property_grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "setup/qt/popup_menu_qt.h"
#include "setup/qt/property_grid_tree.h"
#include "setup/qt/qt_text.h"

namespace veldmark {
namespace {

constexpr int kDescriptionLines = 4;

}  // namespace

PropertyGridRow::PropertyGridRow(QTreeWidgetItem* group, CMappedProperty& property)
    : QTreeWidgetItem(group), property_(property) {}

bool PropertyGridRow::IsModified() const { return firstValue_ && *firstValue_ != text(1); }

void PropertyGridRow::Present(const RowPresentation& presentation) {
    const QString value = ToQString(presentation.value);
    if (!firstValue_) firstValue_ = value;
    required_ = presentation.required;
    description_ = ToQString(presentation.description);
    descriptionTitle_ = ToQString(presentation.descriptionTitle);
    setFlags(presentation.editable ? flags() | Qt::ItemIsEditable : flags() & ~Qt::ItemIsEditable);
    setText(0, ToQString(presentation.name));
    setText(1, value);
}

std::optional<int> PropertyGridRow::TrackSourceMenu(const PopupMenu& menu) {
    auto* tree = static_cast<PropertyGridTree*>(treeWidget());
    const QRect button = tree->ValueButtonRect(tree->IndexOf(this, 1));
    return ExecPopupMenu(menu, tree->viewport()->mapToGlobal(button.bottomLeft() + QPoint(0, 1)), tree);
}

PropertyGrid::PropertyGrid(QWidget* parent)
    : QWidget(parent), tree_(new PropertyGridTree(nullptr)), descriptionTitle_(new QLabel),
      descriptionText_(new QLabel), descriptionArea_(new QScrollArea) {
    auto* description = new QWidget;
    description->setObjectName(QStringLiteral("description"));
    description->setAutoFillBackground(true);
    auto* descriptionLayout = new QVBoxLayout(description);
    descriptionLayout->setContentsMargins(6, 4, 6, 4);
    descriptionLayout->setSpacing(2);
    QFont bold = descriptionTitle_->font();
    bold.setBold(true);
    descriptionTitle_->setFont(bold);
    descriptionTitle_->setTextFormat(Qt::PlainText);
    descriptionText_->setTextFormat(Qt::PlainText);
    descriptionText_->setWordWrap(true);
    descriptionText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A long description scrolls rather than being cut off.
    descriptionArea_->setWidget(descriptionText_);
    descriptionArea_->setWidgetResizable(true);
    descriptionArea_->setFrameShape(QFrame::NoFrame);
    descriptionArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    descriptionArea_->viewport()->setAutoFillBackground(false);
    descriptionText_->setAutoFillBackground(false);
    descriptionLayout->addWidget(descriptionTitle_);
    descriptionLayout->addWidget(descriptionArea_, 1);
    description->setMinimumHeight(fontMetrics().lineSpacing() * (kDescriptionLines + 1) + 10);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(tree_);
    splitter->addWidget(description);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { ShowDescription(item); });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (item == tree_->currentItem()) ShowDescription(item);
    });
    connect(tree_, &PropertyGridTree::valueButtonClicked, this, [](QTreeWidgetItem* item) {
        if (PropertyGridRow* row = PropertyGridTree::RowOf(item)) row->Property().OpenSourceMenu();
    });
}

// The tree reports its rows going while it is destroyed; nothing here needs to hear it.
PropertyGrid::~PropertyGrid() { tree_->disconnect(this); }

QTreeWidgetItem* PropertyGrid::AddGroup(const QString& caption) {
    auto* group = new QTreeWidgetItem(tree_, QStringList{caption});
    group->setFirstColumnSpanned(true);
    group->setExpanded(true);
    return group;
}

PropertyGridRow* PropertyGrid::AddRow(QTreeWidgetItem* group, CMappedProperty& property) {
    return new PropertyGridRow(group, property);
}

void PropertyGrid::SelectRow(QTreeWidgetItem* group, QTreeWidgetItem* row) {
    group->setExpanded(true);
    tree_->setCurrentItem(row);
    tree_->scrollToItem(group);
    tree_->scrollToItem(row);
    tree_->setFocus(Qt::OtherFocusReason);
}

void PropertyGrid::SetColumnTitles(const QString& name, const QString& value) {
    tree_->setHeaderLabels({name, value});
}

QTreeWidget* PropertyGrid::Tree() const { return tree_; }

QRect PropertyGrid::ValueButtonRect(const QTreeWidgetItem* row) const {
    return tree_->ValueButtonRect(tree_->IndexOf(row, 1));
}

QString PropertyGrid::DescriptionTitle() const { return descriptionTitle_->text(); }

QString PropertyGrid::DescriptionText() const { return descriptionText_->text(); }

void PropertyGrid::ShowDescription(QTreeWidgetItem* item) {
    const PropertyGridRow* row = PropertyGridTree::RowOf(item);
    descriptionTitle_->setText(row ? row->DescriptionTitle() : item ? item->text(0) : QString());
    descriptionText_->setText(row ? row->Description() : QString());
    // A new description is read from its start.
    descriptionArea_->verticalScrollBar()->setValue(0);
}

}  // namespace veldmark
