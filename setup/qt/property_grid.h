// A two-column property grid: group rows that fold, field rows with a name
// and a value, a "..." button in every value cell, in-place editing where a
// row allows it, and a description area for the selected row.
#pragma once

#include <optional>

#include <QTreeWidget>
#include <QWidget>

#include "setup/mapped_property.h"

class QLabel;
class QScrollArea;
class QSplitter;

namespace veldmark {

class PropertyGridTree;

// One field row; it shows what its CMappedProperty presents.
class PropertyGridRow final : public QTreeWidgetItem, public PropertyRowView {
public:
    PropertyGridRow(QTreeWidgetItem* group, CMappedProperty& property);

    CMappedProperty& Property() const { return property_; }
    bool IsRequired() const { return required_; }
    // The value differs from the one the row first showed.
    bool IsModified() const;
    const QString& Description() const { return description_; }
    const QString& DescriptionTitle() const { return descriptionTitle_; }

    void Present(const RowPresentation& presentation) override;
    std::optional<int> TrackSourceMenu(const PopupMenu& menu) override;

private:
    CMappedProperty& property_;
    std::optional<QString> firstValue_;
    QString description_;
    QString descriptionTitle_;
    bool required_ = false;
};

class PropertyGrid final : public QWidget {
    Q_OBJECT

public:
    explicit PropertyGrid(QWidget* parent);
    ~PropertyGrid() override;

    // A group row, folded open, at the end of the grid.
    QTreeWidgetItem* AddGroup(const QString& caption);
    // A field row, at the end of the group.
    PropertyGridRow* AddRow(QTreeWidgetItem* group, CMappedProperty& property);
    // Makes the row current and scrolls its group, then the row, into view.
    void SelectRow(QTreeWidgetItem* group, QTreeWidgetItem* row);
    void SetColumnTitles(const QString& name, const QString& value);

    QTreeWidget* Tree() const;
    // The value cell's button of a row, in the tree's viewport coordinates.
    QRect ValueButtonRect(const QTreeWidgetItem* row) const;
    QString DescriptionTitle() const;
    QString DescriptionText() const;
    // The area that scrolls a description taller than the room below the rows.
    QScrollArea* DescriptionArea() const { return descriptionArea_; }

private:
    void ShowDescription(QTreeWidgetItem* item);

    PropertyGridTree* tree_;
    QLabel* descriptionTitle_;
    QLabel* descriptionText_;
    QScrollArea* descriptionArea_;
};

}  // namespace veldmark
