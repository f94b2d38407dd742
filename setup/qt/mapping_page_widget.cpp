#include "setup/qt/mapping_page_widget.h"

#include <QCheckBox>
#include <QFrame>

#include "setup/qt/dialog_units.h"
#include "setup/qt/property_grid.h"
#include "setup/qt/qt_text.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace veldmark {

MappingPageWidget::MappingPageWidget(SetupModel& model, RequiredFieldPrompt prompt, QWidget* parent)
    : QWidget(parent), page_(std::move(prompt)), template_(*FindDialogTemplate(res::kDialogMappingPage)) {
    page_.SetModel(&model);
    page_.AttachView(this);
}

QSize MappingPageWidget::sizeHint() const {
    const DialogBaseUnits base = BaseUnitsOf(font());
    return {DialogUnitsToPixelsX(template_.width, base), DialogUnitsToPixelsY(template_.height, base)};
}

kfx::Text MappingPageWidget::Caption() const { return template_.caption; }

void MappingPageWidget::OnCreate() {
    const DialogBaseUnits base = BaseUnitsOf(font());
    const DialogControl& frame = *FindDialogControl(template_, res::kFrameGrid);
    const DialogControl& check = *FindDialogControl(template_, res::kCheckDisplayFieldNames);

    gridFrame_ = new QFrame(this);
    gridFrame_->setObjectName(QStringLiteral("control_%1").arg(res::kFrameGrid));
    gridFrame_->setFrameStyle(QFrame::Box | QFrame::Plain);
    gridFrame_->setGeometry(MapDialogRect(frame.rect, base));
    gridFrame_->show();

    displayFieldNames_ = new QCheckBox(ToQString(check.text), this);
    displayFieldNames_->setObjectName(QStringLiteral("control_%1").arg(res::kCheckDisplayFieldNames));
    displayFieldNames_->setGeometry(MapDialogRect(check.rect, base));
    displayFieldNames_->resize(std::max(displayFieldNames_->width(), displayFieldNames_->sizeHint().width()),
                               displayFieldNames_->height());
    displayFieldNames_->show();
    connect(displayFieldNames_, &QCheckBox::clicked, this, [this] { page_.OnDisplayFieldNamesClicked(); });

    // The grid covers the frame, one pixel short of its right and bottom edge.
    propertyGrid_ = new PropertyGrid(this);
    propertyGrid_->setObjectName(QStringLiteral("propertyGrid"));
    propertyGrid_->setGeometry(gridFrame_->geometry().adjusted(0, 0, -1, -1));
    propertyGrid_->SetColumnTitles(ToQString(LoadResourceString(res::kStringPropertyColumn)),
                                   ToQString(LoadResourceString(res::kStringValueColumn)));
    propertyGrid_->show();

    page_.OnInitDialog();
}

void MappingPageWidget::OnSetActive() {
    page_.OnSetActive();
    propertyGrid_->Tree()->setFocus(Qt::OtherFocusReason);
}

bool MappingPageWidget::OnKillActive() { return page_.OnKillActive(); }

// An edit in the grid is taken over when the editor loses the focus or the
// administrator presses Enter, so nothing is ever left pending here.
bool MappingPageWidget::CommitPendingInput() { return true; }

void MappingPageWidget::OnSheetClosing() {}

void MappingPageWidget::OnOK() {}

bool MappingPageWidget::ReadDisplayFieldNames() { return displayFieldNames_->isChecked(); }

void MappingPageWidget::WriteDisplayFieldNames(bool checked) { displayFieldNames_->setChecked(checked); }

void MappingPageWidget::SetRedraw(bool redraw) { setUpdatesEnabled(redraw); }

void MappingPageWidget::AddGroups(std::vector<PropertyGroup>& groups) {
    for (PropertyGroup& group : groups) {
        QTreeWidgetItem* groupItem = propertyGrid_->AddGroup(ToQString(group.caption));
        groupItems_[&group] = groupItem;
        for (const auto& row : group.rows) {
            PropertyGridRow* rowItem = propertyGrid_->AddRow(groupItem, *row);
            row->AttachView(rowItem);
            rowItems_[row.get()] = rowItem;
        }
    }
}

void MappingPageWidget::SelectRow(const PropertyGroup& group, const CMappedProperty& row) {
    propertyGrid_->SelectRow(groupItems_.at(&group), rowItems_.at(&row));
}

}  // namespace veldmark
