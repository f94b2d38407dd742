// The Data Mapping page: every catalogue field as a row of a property grid,
// grouped by interface file; the source-menu commands; the check that keeps
// the page while a required field has no source.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "model/setup_model.h"
#include "setup/mapped_property.h"

namespace veldmark {

struct PropertyGroup {
    Text caption;
    std::vector<std::unique_ptr<CMappedProperty>> rows;
};

// What the page needs from the toolkit that draws it.
class MappingPageView {
public:
    virtual bool ReadDisplayFieldNames() = 0;
    virtual void WriteDisplayFieldNames(bool checked) = 0;
    // Redrawing is suspended while many rows change, then the grid lays itself out once.
    virtual void SetRedraw(bool redraw) = 0;
    // Puts the groups and their rows into the grid, in order.
    virtual void AddGroups(std::vector<PropertyGroup>& groups) = 0;
    // Selects the row and scrolls its group, then the row, into view.
    virtual void SelectRow(const PropertyGroup& group, const CMappedProperty& row) = 0;

protected:
    ~MappingPageView() = default;
};

// Asks whether to map the required fields (1) or ignore the requirement (2).
using RequiredFieldPrompt =
    std::function<int(const Text& title, const Text& instruction, const Text& mapText, const Text& ignoreText)>;

class CPropertyPageSetupMapping {
public:
    explicit CPropertyPageSetupMapping(RequiredFieldPrompt prompt);

    // Both must be set before the page is created; neither is owned.
    void SetModel(SetupModel* model) { model_ = model; }
    void AttachView(MappingPageView* view) { view_ = view; }

    // Builds the grid.
    void OnInitDialog();
    void OnSetActive();
    // The required-field check; false keeps the page.
    bool OnKillActive();
    // "Display Field Names" was clicked.
    void OnDisplayFieldNamesClicked();
    // A source-menu command, for the row whose menu was opened.
    void OnCommand(int command);

    bool DisplayFieldNames() const { return displayFieldNames_ != 0; }

private:
    void RefreshRows();

    RequiredFieldPrompt prompt_;
    SetupModel* model_ = nullptr;
    MappingPageView* view_ = nullptr;
    std::vector<PropertyGroup> groups_;
    CMappedProperty* menuProperty_ = nullptr;
    int displayFieldNames_ = 0;
};

}  // namespace veldmark
