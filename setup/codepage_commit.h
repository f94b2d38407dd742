// When what the Codepage box shows is judged and stored. The box is judged
// when the administrator leaves it, and again when OK is pressed, wherever
// the focus is then, and when another page is chosen: whatever the toolkit reported on the way, what the box
// shows at OK is either stored or refused with the sheet kept open.
#pragma once

#include "setup/general_page.h"

namespace veldmark {

// How the box lost the focus, as the view tells it.
enum class FocusLoss {
    Keyboard,     // Tab, Shift+Tab, a mnemonic
    MouseClick,   // a click on another control of the sheet
    Popup,        // a menu popped up over the box
    OtherWindow,  // another window came to the front
    Other,        // moved by the program, such as a page change
};

// What the view does with the click that took the focus from the box.
enum class InterruptedClick { Deliver, Swallow };

class CodepageCommit {
public:
    explicit CodepageCommit(CPropertyPageSetupGeneral& page) : page_(page) {}

    InterruptedClick OnFocusLost(FocusLoss how);
    // OK was pressed or another page is chosen: false when the box holds a
    // refused code page, and the sheet stays on the page.
    bool OnLeavingPage();
    // From now on nothing the box reports is judged: the sheet is going away.
    void OnSheetClosing() { closing_ = true; }

private:
    CPropertyPageSetupGeneral& page_;
    bool closing_ = false;
};

}  // namespace veldmark
