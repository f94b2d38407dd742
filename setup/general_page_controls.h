// Which control of the General page shows which text, and which edit and
// "..." button belong to each setting: the same for every toolkit that draws
// the page.
#pragma once

#include <span>

#include "setup/general_page.h"

namespace veldmark {

struct SettingControls {
    SettingSlot slot;
    int edit;
    int button;
    Text GeneralPageTexts::*text;
};

struct ExchangedControl {
    int id;
    Text GeneralPageTexts::*text;
};

// The six settings, in slot order.
std::span<const SettingControls> GeneralPageSettingControls();
const SettingControls& ControlsOf(SettingSlot slot);

// The controls that show the page's texts, in exchange order.
std::span<const ExchangedControl> GeneralPageExchange();

}  // namespace veldmark
