#pragma once
// Sign ID lists on the command line ("1,12,200" or "3-7"), and the ID tool's
// reading of an ID typed into its boxes.

#include <string_view>
#include <vector>

namespace lumitag::cli {

// Sign IDs 1..256, at most the group job's 512; bad input otherwise.
std::vector<int> ParseIdList(std::string_view text);

// The ID tool's conversion: the leading decimal digits, 0 when there are
// none ("12ab" is 12).
int LeadingNumber(std::string_view text);

}  // namespace lumitag::cli
