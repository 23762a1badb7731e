#pragma once
// What an editor reads and writes of the open program: one slot's content
// and fields, the current model's rules, the glyph cache, and storing the
// editor's result. The editors only collect input; SessionSlotAccess hands
// it to the slot-editing service, which writes the work file.

#include <filesystem>
#include <string>

#include "editors/EditorResult.h"
#include "model/SlotParamTable.h"
#include "service/SlotEditing.h"

namespace lumitag {
class GlyphCache;
}
namespace lumitag::service {
class Session;
}

namespace lumitag::editors {

class SlotAccess {
public:
    virtual ~SlotAccess() = default;

    virtual service::ModelRules Rules() = 0;
    // The slot's content string as stored now (the work file is read again).
    virtual std::string Content(int slot) = 0;
    virtual int Field(SlotField field, int slot) = 0;
    // Changes a field in the parameter table in memory: the offset and the
    // Arabic flag follow the editor at once, and the next write of the
    // program (the editor's OK, the main window's save) takes them along.
    virtual void SetField(SlotField field, int slot, int value) = 0;
    virtual const GlyphCache* Glyphs() = 0;
    // Where Data/ is read.
    virtual std::filesystem::path ProgramFolder() = 0;
    // Stores an editor's result; false (after telling the user why) when it
    // was refused or could not be written.
    virtual bool Store(int slot, const EditorResult& result) = 0;
};

// The slot access of the desktop program: the session's current program,
// results stored through its SlotEditor, failures shown by its Reporter.
class SessionSlotAccess : public SlotAccess {
public:
    SessionSlotAccess(service::Session& session, service::EditOrigin origin);

    service::ModelRules Rules() override;
    std::string Content(int slot) override;
    int Field(SlotField field, int slot) override;
    void SetField(SlotField field, int slot, int value) override;
    const GlyphCache* Glyphs() override;
    std::filesystem::path ProgramFolder() override;
    bool Store(int slot, const EditorResult& result) override;

private:
    service::Session& session_;
    service::EditOrigin origin_;
};

}  // namespace lumitag::editors
