#include "setup/codepage_commit.h"

namespace veldmark {

InterruptedClick CodepageCommit::OnFocusLost(FocusLoss how) {
    // A menu over the box, or another window in front, does not mean the
    // administrator has left the box; OK judges it in any case.
    if (closing_ || how == FocusLoss::Popup || how == FocusLoss::OtherWindow) return InterruptedClick::Deliver;
    if (page_.ValidateCodepage()) return InterruptedClick::Deliver;
    // The message interrupted the click: the control clicked must not act on it.
    return how == FocusLoss::MouseClick ? InterruptedClick::Swallow : InterruptedClick::Deliver;
}

bool CodepageCommit::OnLeavingPage() {
    if (closing_ || !page_.CodepageIsTyped()) return true;
    return page_.ValidateCodepage();
}

}  // namespace veldmark
