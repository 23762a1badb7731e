#pragma once
// The registry of sign IDs: one record per ID (1..255 used), twelve group
// names and the group check marks. The GroupStore keeps it on disk; the main
// window, the ID editor and the group dialog read and change it directly.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumitag {

inline constexpr int kIdRecordCount = 256;  // indexed by ID; record 0 never holds one
inline constexpr int kFirstId = 1;
inline constexpr int kLastId = 255;
inline constexpr int kGroupCount = 12;  // groups 1..12; bit 0 of a mask is the main list
// Names were fixed buffers of 256 UTF-16 units with a terminator.
inline constexpr int kNameLimit = 255;

// Scan states: set to NotAnswered in every record when a scan starts.
inline constexpr std::uint32_t kScanAnswered = 1;
inline constexpr std::uint32_t kScanNotAnswered = 2;

struct IdRecord {
    std::string name;  // UTF-8, at most kNameLimit UTF-16 units
    // Bit 0: in the main ID list; bit g (1..12): member of group g. 0: no ID.
    std::uint32_t groups = 0;
    // Bit g: checked under group g (bit 0: under the main list).
    std::uint32_t checks = 0;
    std::uint32_t scanState = 0;  // not stored in the file

    bool operator==(const IdRecord&) const = default;
};

struct IdRegistry {
    std::array<IdRecord, kIdRecordCount> records{};
    std::array<std::string, kGroupCount + 1> groupNames{};  // 1..12; [0] unused
    std::uint32_t groupChecks = 0;  // bit g: group g's node is checked

    // Bit 0 of the ID's groups. False for an ID outside 1..255.
    bool IdInMainList(int id) const;
    // The ID is registered and checked anywhere (whole masks, not one bit).
    bool IsSelectedForSend(int id) const;
    // The lowest ID 1..255 in group g (g = 0: the main list); none gives g.
    int FirstIdInGroup(int group) const;
    // Marks every record as not answered, as the start of a scan does.
    void StartScan();
};

// `text` cut to at most kNameLimit UTF-16 units, never inside a character.
std::string CutToNameLimit(std::string_view text);

}  // namespace lumitag
