#pragma once
// Five twelve-row models take at most 12000 bytes per send. The first slot
// that crosses the limit is cut to what is left; later slots are dropped.
// The caller asks the user whether to send the shortened data.

#include "link/PackedImage.h"
#include "model/SlotParamTable.h"

#include <array>
#include <string_view>

namespace lumitag {

// Applies the limit of model `model` to the sent slots of `tables` (by
// lowering the records' sizes) and returns by how many bytes the full data
// exceeded it; 0 when it fits or the model has no limit.
int ApplyWordLimit(std::string_view model, const std::array<bool, kPackedSlots>& sent, PackedTables& tables);

// The same with the slots' `send` fields.
int ApplyWordLimit(std::string_view model, const SlotParamTable& params, PackedTables& tables);

// The number shown in the over-limit question.
inline int OverLimitWords(int overBytes) { return overBytes / 18 + 1; }

}  // namespace lumitag
