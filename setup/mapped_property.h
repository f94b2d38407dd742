// One field row of the Data Mapping page: shows a catalogue slot, offers its
// source menu and applies the administrator's choice to the slot. The row
// keeps no mapping of its own; it reads and writes the slot in the model.
#pragma once

#include <optional>

#include "model/setup_model.h"
#include "setup/popup_menu.h"

namespace veldmark {

class CPropertyPageSetupMapping;

// What one row shows.
struct RowPresentation {
    Text name;  // the label, or the destination while field names are displayed
    Text value;
    bool editable = false;  // in place, only for a text constant
    Text description;       // "destination - sqlType\ndescription"
    Text descriptionTitle;  // the label: the destination already opens the description
    bool required = false;  // drawn in dark red
};

// The toolkit's side of one row.
class PropertyRowView {
public:
    virtual void Present(const RowPresentation& presentation) = 0;
    // Pops the menu up under the row's value button; the command chosen, if any.
    virtual std::optional<int> TrackSourceMenu(const PopupMenu& menu) = 0;

protected:
    ~PropertyRowView() = default;
};

class CMappedProperty {
public:
    CMappedProperty(SetupModel* model, CMappedProperty** menuSlot, CPropertyPageSetupMapping* page);

    CMappedProperty(const CMappedProperty&) = delete;
    CMappedProperty& operator=(const CMappedProperty&) = delete;

    void SetFieldIndex(int fieldIndex) { fieldIndex_ = fieldIndex; }
    int FieldIndex() const { return fieldIndex_; }
    // Null while the field index lies outside the catalogue.
    const MappedField* Slot() const;
    void AttachView(PropertyRowView* view) { view_ = view; }

    // Rewrites name, value, edit permission and description from the slot.
    void Refresh();
    // The button in the value cell was clicked.
    void OpenSourceMenu();
    bool SelectIndexField(int command);
    bool SelectValueName(int command);
    bool SelectTextConstant();
    bool SelectNoMapping();
    // The grid accepted text typed into the value cell.
    void OnEndEdit(const Text& value);

    RowPresentation Presentation() const;
    Text DisplayedName() const;

private:
    MappedField* MutableSlot();

    SetupModel* model_;
    int fieldIndex_ = -1;
    CMappedProperty** menuSlot_;
    CPropertyPageSetupMapping* page_;
    PropertyRowView* view_ = nullptr;
};

}  // namespace veldmark
