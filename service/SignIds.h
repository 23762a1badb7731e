#pragma once
// Sign IDs: lists typed by the user, and the ID registry ("WorkData/IDLIST.id")
// as the ID editor, the ID list and the group dialog change it. Every change
// is saved at once; a failed save is reported, the records keep the change.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/IdRecords.h"
#include "service/Error.h"

namespace lumitag::service {

class Session;

// "1,4,9", "3-7" or both mixed: sign IDs 1..256, at most the group job's
// 512. BadInput for anything else or an empty list.
Result<std::vector<int>> ParseIdList(std::string_view text);

// The ID tool's reading of a typed ID: its leading decimal digits, 0 when
// there are none ("12ab" is 12).
int LeadingNumber(std::string_view text);

// IDs 1..255 selected for an RS-485 send, in increasing order.
std::vector<int> SelectedIds(const IdRegistry& registry);
// IDs 1..255 in the main list (the ID list's rows), in increasing order.
std::vector<int> MainListIds(const IdRegistry& registry);
// "%d.%s": an ID list row's text.
std::string IdRowText(const IdRegistry& registry, int id);

// The name a new ID gets from "Auto Add".
inline constexpr std::string_view kAutoAddName = "LED";

class SignIdRegistry {
public:
    explicit SignIdRegistry(Session& session);

    const IdRegistry& Records();

    // The ID editor's add mode: registers `id` (1..255) with `name` in the
    // main list, ticked, and writes its work file anew from the model's
    // default project. BadInput "Name is empty!" for an empty name or for an
    // ID outside 1..255; names are cut to 255 characters.
    Status Add(int id, std::string_view name);
    // "Auto Add": IDs first..last, each named "LED". BadInput "ID2 > ID1 !"
    // unless first < last, or for IDs outside 1..255.
    Status AddRange(int first, int last);
    // Modify mode: renames `id`; BadInput "Name is emtpy!" for an empty name.
    Status Rename(int id, std::string_view name);
    // "Del": removes `id` from every group.
    Status Remove(int id);
    // A tick in the ID list: bit `group` (0..12) of the ID's checks. Only
    // the records change: the ID list saves one second after the last click
    // (SaveIdList), so a burst of clicks is one write.
    Status SetChecked(int id, bool checked, int group = 0);
    // A tick on a group's node: the group's mark and bit `group` of every ID
    // 1..255. Records only, as SetChecked.
    Status SetGroupChecked(int group, bool checked);

    // The work file of `id`, written from the current model's default
    // project when missing or when `overwrite` is set.
    std::filesystem::path EnsureWorkFile(int id, bool overwrite);
    // Writes the registry; FileWrite when it cannot.
    Status SaveIdList();

private:
    // One change of the registry: read again, changed and written under the
    // folder lock, so another process's change is kept.
    Status Change(const std::function<void(IdRegistry&)>& change);

    Session& session_;
};

}  // namespace lumitag::service
