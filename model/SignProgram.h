#pragma once
// The sign program: the parameter table of the ten slots and the project file
// (in practice the current sign ID's work file) that holds their parameter
// strings ("PARA_%02d") and content strings ("DATA_%02d") in section "INFO".

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "model/IniFile.h"
#include "model/SlotParamTable.h"

namespace lumitag {

class Reporter;

class SignProgram {
public:
    SlotParamTable& Params() { return params_; }
    const SlotParamTable& Params() const { return params_; }

    std::string FormatParams(int slot) const { return lumitag::FormatParams(params_, slot); }
    void ParseParams(std::string_view text, int slot) { lumitag::ParseParams(text, params_, slot); }

    // Every write below is one read-modify-write of the file under its
    // folder's lock (FolderLock): the file is read again, the change is put
    // on what is on disk now and the file is written once, so a change made
    // meanwhile by another process (to other keys) is kept, never lost.

    // Puts the ten parameter strings into the file and writes it once.
    // False, writing nothing, when no project file is bound or when the bound
    // file exists but could not be read (so an unread program is never
    // overwritten), or when the write fails.
    bool SaveParams();

    // One user change of one slot: its content (CR LF removed) and its
    // parameter string from Params(), stored together in a single atomic
    // write, so that a kill leaves the old slot or the new one, never the new
    // content with the old parameters. The other slots' parameters in memory
    // are refreshed from the file. False, writing nothing, as SaveParams.
    bool SaveSlot(int slot, std::string_view content);
    // The same for the slot's parameter string alone.
    bool SaveSlotParams(int slot);

    // Zeroes the table, binds the project file to `path` and reads it (merging
    // into the content in memory), then parses the ten parameter strings.
    // False, with every slot empty, when the file cannot be read.
    bool LoadProgram(const std::filesystem::path& path);

    // Stores a slot's content with every CR LF removed, and writes the file.
    // False, writing nothing, under the same conditions as SaveParams.
    bool PutContent(int slot, std::string_view content);

    // Reads the file again and returns the slot's content ("" when the file
    // cannot be read or the key is missing).
    std::string GetContent(int slot);

    std::filesystem::path ProjectPath() const { return file_.Path(); }

    // Where the store reports "Open failed"; must outlive the program.
    void SetReporter(Reporter* reporter);

    CIniFile& File() { return file_; }

private:
    bool CanWrite();
    // Locks, reads the file again, applies `change` and writes the file once.
    bool WriteChange(const std::function<void()>& change);
    // Parses the parameter strings of every slot but `keep` from the file.
    void RefreshParamsExcept(int keep);

    SlotParamTable params_;
    CIniFile file_;
    Reporter* reporter_ = nullptr;
    // The bound file exists but its last read failed: writing it would
    // destroy a program the user has never seen.
    bool unreadable_ = false;
};

// "PARA_%02d" and "DATA_%02d".
std::string ParamKey(int slot);
std::string ContentKey(int slot);
inline constexpr std::string_view kProgramSection = "INFO";

// `content` with every CR LF pair removed, also pairs that the removal
// itself brings together, so the value always stays on one line.
std::string RemoveLineBreaks(std::string_view content);

}  // namespace lumitag
