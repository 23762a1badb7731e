#pragma once
// The file commands of the sign program: start-up, New, Open, Save, copy and
// paste between IDs, change of the current ID and of the model. The GUI and
// the CLI call these; they supply the questions (through a Reporter) and the
// chosen files (through a callback), and refresh their views afterwards.

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace lumitag {

class Reporter;
class SettingsStore;
class SignProgram;

// The question New asks (with a full-width question mark).
inline constexpr std::string_view kNewFileQuestion = "New File\xEF\xBC\x9F";

class ProgramFiles {
public:
    // A file dialog: the chosen path, or nothing when cancelled.
    using ChooseFile = std::function<std::optional<std::filesystem::path>()>;

    enum class PasteResult {
        Nothing,          // no copy source, or pasting onto the source itself
        Failed,           // the copy failed; both files are as they were
        Pasted,           // another ID's work file was replaced
        PastedOnCurrent,  // the current ID's program was replaced and reloaded
    };
    enum class ModelChange {
        Unchanged,  // the same name as before: nothing was done
        Kept,       // the new model shares the old one's group: program kept
        Reset,      // another group: the work file was reset to the default project
    };

    ProgramFiles(SignProgram& program, SettingsStore& settings);

    // The work file of `id`, written from the current model's default project
    // when missing or when `overwrite` is set (the ID editor's added IDs).
    std::filesystem::path EnsureWorkFile(int id, bool overwrite);

    // Binds the program to the current ID's work file. A missing work file
    // (and its folder) is created from project 177, whatever the model.
    // Returns whether the program could be read.
    bool StartUp();

    // Asks kNewFileQuestion; on yes resets the current ID's work file to the
    // current model's default project and loads it. True when it did.
    bool New(Reporter& reporter);

    // Saves the parameters, lets the user choose a project file and copies it
    // over the work file, then loads it so that the rows show the opened
    // file's parameters as well as its contents. True when a file was opened.
    bool Open(const ChooseFile& choose);

    // Saves the parameters, lets the user choose where, saves them again and
    // copies the work file there. True when the copy was written.
    bool Save(const ChooseFile& choose);

    // Remembers `id` as the source of the next Paste.
    void Copy(int id) { copySource_ = id; }
    std::optional<int> CopySource() const { return copySource_; }
    // Copies the source ID's work file over `target`'s.
    PasteResult Paste(int target);

    // Makes `id` the current ID: saves the old program's parameters, stores
    // the ID, creates its work file when missing and loads it. The caller
    // decides whether the selection really changed. Returns the load result.
    bool SelectId(int id);

    // Stores `model` as the current model; a model of another group resets
    // the current ID's work file to its default project and loads it. That
    // change touches two files: it is written to a journal first, then the
    // work file, then the settings, and the journal is removed last, all under
    // the WorkData lock, so a kill at any instant leaves the old state or one
    // that RecoverInterruptedChanges completes.
    ModelChange ChangeModel(std::string_view model);

    // Loads an ID's program without creating its work file (a step of a send
    // to several IDs); a missing file gives an empty program.
    bool LoadIdProgram(int id);
    // Loads the current ID's program again (after a send job).
    bool ReloadCurrent();

private:
    std::filesystem::path CurrentWorkFile();

    SignProgram& program_;
    SettingsStore& settings_;
    std::optional<int> copySource_;
};

// "WorkData/ModelChange.journal": the model change under way (model and ID).
std::filesystem::path ModelChangeJournalPath(const std::filesystem::path& programFolder);

// Finishes a change that a kill interrupted: a model change whose journal is
// still there is carried out again (work file, then settings) and the journal
// removed. The front ends call this at start, before reading any file of
// `programFolder`. A damaged journal is removed (the change never started
// writing). True when nothing was left to do or the change was completed.
bool RecoverInterruptedChanges(const std::filesystem::path& programFolder);

}  // namespace lumitag
