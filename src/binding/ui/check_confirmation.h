#pragma once

#include <functional>

class TVDCheckBox;

// Asks before the user checks `box`, by mouse or keyboard: the box is checked, as by the
// user's click (its rules run), only when `ask` answers yes. Unchecking asks nothing, and
// neither do loads, factory settings and page rules.
void AskBeforeChecking(TVDCheckBox& box, std::function<bool()> ask);
