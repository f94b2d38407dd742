#include "setup/property_sheet.h"

#include <stdexcept>

namespace veldmark {

PropertySheet::PropertySheet(std::vector<PropertyPage*> pages, ShowPage showPage)
    : pages_(std::move(pages)), showPage_(std::move(showPage)), created_(pages_.size(), false) {
    if (pages_.empty()) throw std::invalid_argument("a property sheet needs at least one page");
}

void PropertySheet::Start() { Activate(0); }

bool PropertySheet::SetActivePage(std::size_t index) {
    if (index >= pages_.size()) throw std::out_of_range("no such page");
    if (index == active_ && created_[index]) return true;
    if (created_[active_] && !pages_[active_]->OnKillActive()) return false;
    Activate(index);
    return true;
}

bool PropertySheet::PressOk() {
    if (created_[active_] && !pages_[active_]->CommitPendingInput()) return false;
    if (created_[active_] && !pages_[active_]->OnKillActive()) return false;
    for (std::size_t index = 0; index < pages_.size(); ++index) {
        if (created_[index]) pages_[index]->OnOK();
    }
    return true;
}

void PropertySheet::Close() {
    for (std::size_t index = 0; index < pages_.size(); ++index) {
        if (created_[index]) pages_[index]->OnSheetClosing();
    }
}

void PropertySheet::Activate(std::size_t index) {
    active_ = index;
    showPage_(index);
    if (!created_[index]) {
        created_[index] = true;
        pages_[index]->OnCreate();
    }
    pages_[index]->OnSetActive();
}

}  // namespace veldmark
