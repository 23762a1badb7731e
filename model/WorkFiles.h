#pragma once
// Every sign ID has its own program in "WorkData/<id>.led" under the program
// folder. A missing work file, or one the user resets, is written from the
// default project of the current model.

#include <filesystem>
#include <string_view>

namespace lumitag {

// "<program folder>/WorkData/<id>.led". Any int is an ID here: 0 is the
// current ID before any settings exist, and a hand-edited 300 is kept.
std::filesystem::path WorkFilePath(int id);

// Writes the bytes of a default project (177, 242, 243) to `path`, replacing
// it whole. False when the resource does not exist or the write failed.
bool ExtractResource(const std::filesystem::path& path, int resource);

// The work file of `id`; written from the default project of `model` when
// missing or when `overwrite` is set. Returns the path whether or not the
// write worked, and does not create the "WorkData" folder.
std::filesystem::path EnsureWorkFile(int id, bool overwrite, std::string_view model);

// Replaces `to` with the bytes of `from`, atomically: on any failure `to`
// stays as it was. False when nothing was copied.
bool CopyProgramFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace lumitag
