#pragma once
// Whether a slot is laid out page by page (1) or as one continuous line (0):
// a message that scrolls sideways without a dwell time runs as one line.

#include <string_view>

namespace lumitag {

// The layout flag of a slot with parameters `time` and `effect` on `model`;
// models whose flag does not follow the slot (and unknown names) get 1.
int LayoutFlagFor(std::string_view model, int time, int effect);

}  // namespace lumitag
