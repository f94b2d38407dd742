// How a settings sheet moves between its pages and closes: a page is created
// when it first becomes active, the active page may refuse to be left, and OK
// reaches every page that has been created.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "setup/property_page.h"

namespace veldmark {

class PropertySheet {
public:
    // Brings a page's window to the front, before the page is created or activated.
    using ShowPage = std::function<void(std::size_t index)>;

    // The pages are not owned and must outlive the sheet.
    PropertySheet(std::vector<PropertyPage*> pages, ShowPage showPage);

    // Activates the first page.
    void Start();
    // Asks the active page whether it may be left, then activates the other
    // one. False when the active page refused.
    bool SetActivePage(std::size_t index);
    // Lets the active page finish the input in progress and asks it whether
    // it may be left, then gives every created page its OK. False (and no
    // OK) when the active page refused.
    bool PressOk();
    // Tells every created page that the sheet is closing.
    void Close();

    std::size_t ActivePage() const { return active_; }
    std::size_t PageCount() const { return pages_.size(); }
    PropertyPage& Page(std::size_t index) const { return *pages_.at(index); }

private:
    void Activate(std::size_t index);

    std::vector<PropertyPage*> pages_;
    ShowPage showPage_;
    std::vector<bool> created_;
    std::size_t active_ = 0;
};

}  // namespace veldmark
