#pragma once
// Rules of the sign ID dialogs that any front end needs: what an ID typed
// into the ID editor or the ID tool means, which additions and renames of the
// ID registry are allowed and what they write, and how the older ID list of
// the settings becomes the group dialog's list. The dialogs only collect the
// typed text and show the messages named here.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/IdRecords.h"
#include "model/Reporter.h"

namespace lumitag {
class GroupStore;
class SettingsStore;
}  // namespace lumitag

namespace lumitag::service {

// The ID editor's and the ID tool's messages, in English whatever the
// interface language.
inline constexpr std::string_view kEditorIdRangeText = "ID >=1 and ID <= 255!";
inline constexpr std::string_view kRangeOrderText = "ID2 > ID1 !";
inline constexpr std::string_view kNameEmptyText = "Name is empty!";
// Modify mode's own spelling.
inline constexpr std::string_view kNameEmptyModifyText = "Name is emtpy!";
inline constexpr std::string_view kToolIdRangeText = "ID >=1 and ID <= 256!";
inline constexpr std::string_view kReadFailedText = "Read failed!";
inline constexpr std::string_view kSuccessText = "Success!";

// The name an ID gets when it is added without one (the editor's default
// text and every ID of an Auto Add range).
inline constexpr std::string_view kDefaultIdName = "LED";

// An ID as typed into an ID box: blanks skipped, then the leading decimal
// digits; 0 when there are none, so "12ab" is 12 and "-3" or "abc" are 0.
// Very long numbers stay far above every valid ID instead of wrapping.
int ReadIdText(std::string_view text);

// The ID editor's ID lists offer "1".."256" and accept typed text; only
// 1..255 have records.
inline bool IsEditableId(int id) { return id >= kFirstId && id <= kLastId; }

enum class IdEditError {
    None,
    IdOutOfRange,     // kEditorIdRangeText
    RangeOrder,       // kRangeOrderText, first not below last
    EmptyName,        // kNameEmptyText (add mode)
    EmptyNameModify,  // kNameEmptyModifyText (modify mode)
};

// The text and the kind of box of an error (RangeOrder is a warning with the
// caption "Warning"; the others are plain boxes). None gives "".
std::string_view IdEditMessage(IdEditError error);
MessageKind IdEditMessageKind(IdEditError error);

// What the editor's OK in add mode asks for: `lastText` is set when "Auto
// Add" is ticked, and the name box is then not used.
struct IdAddRequest {
    std::string_view firstText;
    std::optional<std::string_view> lastText;
    std::string_view name;
};

struct IdAddPlan {
    IdEditError error = IdEditError::None;
    std::vector<int> ids;         // increasing
    std::string name;             // cut to the name limit
    std::vector<int> registered;  // those of `ids` already registered
};

// Checks the input and lists what an add would write; changes nothing.
// Checks in this order: the IDs' range, a range's order, the name.
IdAddPlan PlanIdAdd(const IdRegistry& registry, const IdAddRequest& request);

// The question asked before an add replaces registered IDs, one for all of
// them: "ID 5 already exists. ..." or "IDs 5-7, 9 already exist. ...".
// Empty when `registered` is empty.
std::string ReplaceQuestion(std::span<const int> registered);

// Writes the plan: each ID named, in the main list and ticked there (groups
// and checks 1, other group bits dropped); the registry saved once; each
// ID's work file written anew from the default project of `model`. False
// when the registry file could not be written (its message has been shown
// and memory keeps the change, as for every failed save of the registry).
bool ApplyIdAdd(GroupStore& store, const IdAddPlan& plan, std::string_view model);

struct IdRenamePlan {
    IdEditError error = IdEditError::None;
    int id = 0;
    std::string name;  // cut to the name limit
};

// The editor's OK in modify mode for the ID `id` it was opened on.
IdRenamePlan PlanIdRename(int id, std::string_view name);

// Sets only the name and saves the registry; no work file is touched.
bool ApplyIdRename(GroupStore& store, const IdRenamePlan& plan);

// The ID tool's Set: both boxes read with ReadIdText, each must lie in the
// range of the frames' IDs, 1..256.
struct IdChangeRequest {
    bool valid = false;  // false: show kToolIdRangeText, send nothing
    int oldId = 0;
    int newId = 0;
};
IdChangeRequest ReadIdChange(std::string_view oldText, std::string_view newText);

// One ID of the older list the group dialog shows.
struct LegacyIdEntry {
    int id = 0;
    std::string label;  // "<id>.<name>", the tree item's text
};

// The older ID list: `count` IDs, the i-th read from characters 4i..4i+3 of
// `list`. Entries stop where the list text ends, whatever `count` says, and
// after the group job's 512, so a damaged count can neither run long nor
// list signs the job would silently leave out.
std::vector<LegacyIdEntry> ParseLegacyIds(int count, std::string_view list,
                                          const std::function<std::string(int)>& nameOf);
// The same read from the settings file (names cut to the name limit);
// empty when the file cannot be read.
std::vector<LegacyIdEntry> LegacyIdEntries(SettingsStore& settings);

}  // namespace lumitag::service
