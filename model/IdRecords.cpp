#include "model/IdRecords.h"

namespace lumitag {
namespace {

bool ValidId(int id) { return id >= kFirstId && id <= kLastId; }

bool HasBit(std::uint32_t mask, int bit) { return bit >= 0 && bit < 32 && (mask >> bit) & 1u; }

// Length of the UTF-8 sequence that starts with `lead` and the UTF-16 units
// it stands for. Stray bytes count as one unit each, so damaged text is cut
// without reading past its end.
struct Sequence {
    std::size_t bytes;
    int units;
};

Sequence SequenceAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
    if (at + length > text.size()) length = 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return {1, 1};
    return {length, length == 4 ? 2 : 1};
}

}  // namespace

bool IdRegistry::IdInMainList(int id) const { return ValidId(id) && HasBit(records[id].groups, 0); }

bool IdRegistry::IsSelectedForSend(int id) const
{
    return ValidId(id) && records[id].groups != 0 && records[id].checks != 0;
}

int IdRegistry::FirstIdInGroup(int group) const
{
    for (int id = kFirstId; id <= kLastId; ++id)
        if (HasBit(records[id].groups, group)) return id;
    return group;
}

void IdRegistry::StartScan()
{
    for (auto& record : records) record.scanState = kScanNotAnswered;
}

std::string CutToNameLimit(std::string_view text)
{
    std::size_t at = 0;
    int units = 0;
    while (at < text.size()) {
        const auto next = SequenceAt(text, at);
        if (units + next.units > kNameLimit) break;
        units += next.units;
        at += next.bytes;
    }
    return std::string(text.substr(0, at));
}

}  // namespace lumitag
