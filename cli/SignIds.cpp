#include "cli/SignIds.h"

#include <string>

#include "cli/Arguments.h"
#include "cli/ExitCode.h"
#include "link/Frames.h"
#include "link/SendWorker.h"

namespace lumitag::cli {

std::vector<int> ParseIdList(std::string_view text)
{
    std::vector<int> ids;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const auto dash = item.find('-', 1);
        const int first = RequireInt(item.substr(0, dash), 1, 256, "a sign ID");
        const int last = dash == std::string_view::npos ? first : RequireInt(item.substr(dash + 1), first, 256, "a sign ID");
        for (int id = first; id <= last; ++id) ids.push_back(id);
        if (ids.size() > static_cast<std::size_t>(kMaxGroupIds)) throw BadInput("more than 512 sign IDs");
    }
    if (ids.empty()) throw BadInput("no sign ID given");
    return ids;
}

int LeadingNumber(std::string_view text)
{
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), 1'000'000);
    }
    return static_cast<int>(value);
}

}  // namespace lumitag::cli
