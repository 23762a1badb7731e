#pragma once
// The sign ID registry on disk: "WorkData/IDLIST.id", one section "IDLIST"
// with the group check marks, twelve group names and, for every ID 1..255,
// its name, check mask and group mask. Loaded once at start-up and written
// whole after every change.

#include <filesystem>
#include <functional>

#include "model/IdRecords.h"
#include "model/IniFile.h"

namespace lumitag {

class Reporter;

class GroupStore : public IdRegistry {
public:
    // Bound to "WorkData/IDLIST.id" in the current program folder; the folder
    // is not created. Every record starts empty.
    GroupStore();
    explicit GroupStore(std::filesystem::path path);

    void SetReporter(Reporter* reporter) { file_.SetReporter(reporter); }
    const std::filesystem::path& Path() const { return file_.Path(); }

    // Reads the file into the records. False, with nothing changed, when the
    // file cannot be read. Names longer than kNameLimit are cut.
    bool LoadIdList();
    // Writes every key for all groups and all IDs, registered or not. Keys of
    // an older file that are still in memory are kept. False when the file
    // could not be written ("Open failed" is reported); memory keeps the change.
    bool SaveIdList();

    // One change of the ID list as a read-modify-write under the WorkData
    // lock: the file is read again (keeping what another process wrote),
    // `change` is applied to the records and the file is written once. False
    // when the write failed.
    bool Change(const std::function<void(IdRegistry&)>& change);

private:
    CIniFile file_;
};

// "WorkData/IDLIST.id" under the current program folder.
std::filesystem::path IdListFilePath();

}  // namespace lumitag
