#pragma once
// The program-file commands work on the current ID's work file through the
// same file operations as the desktop program's File menu and ID list.

#include "cli/Context.h"
#include "model/ProgramFiles.h"

namespace lumitag::cli {

// The program bound to the current ID's work file (created when missing),
// and the file operations on it.
struct WorkProgram {
    explicit WorkProgram(Context& context);
    SignProgram program;
    ProgramFiles files;
};

}  // namespace lumitag::cli
