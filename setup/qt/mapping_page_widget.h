// The Data Mapping page drawn with Qt: the grid frame and the "Display Field
// Names" box of dialog template 11013, and the property grid over the frame.
#pragma once

#include <map>

#include <QWidget>

#include "setup/dialog_templates.h"
#include "setup/mapping_page.h"
#include "setup/property_page.h"

class QCheckBox;
class QFrame;
class QTreeWidgetItem;

namespace veldmark {

class PropertyGrid;
class PropertyGridRow;

class MappingPageWidget final : public QWidget, public PropertyPage, private MappingPageView {
    Q_OBJECT

public:
    MappingPageWidget(SetupModel& model, RequiredFieldPrompt prompt, QWidget* parent);

    QSize sizeHint() const override;

    // Null before the page is created.
    PropertyGrid* Grid() const { return propertyGrid_; }
    QCheckBox* DisplayFieldNamesBox() const { return displayFieldNames_; }

    kfx::Text Caption() const override;
    void OnCreate() override;
    void OnSetActive() override;
    bool OnKillActive() override;
    bool CommitPendingInput() override;
    void OnSheetClosing() override;
    void OnOK() override;

private:
    // MappingPageView.
    bool ReadDisplayFieldNames() override;
    void WriteDisplayFieldNames(bool checked) override;
    void SetRedraw(bool redraw) override;
    void AddGroups(std::vector<PropertyGroup>& groups) override;
    void SelectRow(const PropertyGroup& group, const CMappedProperty& row) override;

    CPropertyPageSetupMapping page_;
    const DialogTemplate& template_;
    QFrame* gridFrame_ = nullptr;
    QCheckBox* displayFieldNames_ = nullptr;
    PropertyGrid* propertyGrid_ = nullptr;
    std::map<const PropertyGroup*, QTreeWidgetItem*> groupItems_;
    std::map<const CMappedProperty*, PropertyGridRow*> rowItems_;
};

}  // namespace veldmark
