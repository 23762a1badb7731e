#pragma once
// The program-file commands of the File menu, the ID list and the model
// selector, over the session's current program. Unlike the old commands they
// say when a write failed. After each, the front end refreshes its rows from
// Program().

#include <filesystem>
#include <string_view>

#include "model/ProgramFiles.h"
#include "service/Error.h"

namespace lumitag::service {

class Session;

class ProgramCommands {
public:
    explicit ProgramCommands(Session& session);

    // Asks "New File？" through the reporter; on yes resets the current ID's
    // work file to the model's default project. The value: whether it did.
    Result<bool> New();
    // Copies a project file in over the current work file and loads it.
    // BadInput when it is not a program, FileWrite when the copy failed.
    Status Open(const std::filesystem::path& project);
    // Saves the parameters and copies the work file out to `path`.
    Status SaveAs(const std::filesystem::path& path);
    // Saves the parameters of the current program (closing, leaving an ID).
    Status SaveParams();
    // Makes `id` (1..255) current, creating its work file when missing.
    Status SelectId(int id);
    // Stores the model; another model group resets the program. The value
    // says what happened to the program.
    Result<ProgramFiles::ModelChange> SetModel(std::string_view model);
    // Copy and paste between IDs (the ID list's context menu).
    void Copy(int id);
    Result<ProgramFiles::PasteResult> Paste(int target);

private:
    Session& session_;
};

}  // namespace lumitag::service
