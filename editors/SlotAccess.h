#pragma once
// What an editor reads and writes of the open program: one slot's content
// string and fields, the current model, the glyph cache. The editors only
// collect input; the program behind this interface stores it.

#include <filesystem>
#include <string>

#include "model/SlotParamTable.h"

namespace lumitag {
class GlyphCache;
class SignProgram;
}  // namespace lumitag

namespace lumitag::editors {

class SlotAccess {
public:
    virtual ~SlotAccess() = default;

    // The current model's name ("LedType"); may name no model.
    virtual std::string ModelName() const = 0;
    // The slot's content string as stored now (the work file is read again).
    virtual std::string Content(int slot) = 0;
    // Stores the slot's content string; false when it could not be written.
    virtual bool PutContent(int slot, const std::string& content) = 0;
    virtual int Field(SlotField field, int slot) const = 0;
    // Changes a field in the parameter table in memory (the offset and the
    // Arabic flag follow the editor at once; the file is saved by its owner).
    virtual void SetField(SlotField field, int slot, int value) = 0;
    // Null when no glyphs are loaded.
    virtual const GlyphCache* Glyphs() const = 0;
    // Where Data/ is read.
    virtual std::filesystem::path ProgramFolder() const = 0;
};

// A SlotAccess over a SignProgram bound to a work file, with the model given.
class ProgramSlotAccess : public SlotAccess {
public:
    ProgramSlotAccess(SignProgram& program, std::string model, const GlyphCache* glyphs,
                      std::filesystem::path programFolder);

    std::string ModelName() const override { return model_; }
    std::string Content(int slot) override;
    bool PutContent(int slot, const std::string& content) override;
    int Field(SlotField field, int slot) const override;
    void SetField(SlotField field, int slot, int value) override;
    const GlyphCache* Glyphs() const override { return glyphs_; }
    std::filesystem::path ProgramFolder() const override { return folder_; }

private:
    SignProgram& program_;
    std::string model_;
    const GlyphCache* glyphs_;
    std::filesystem::path folder_;
};

}  // namespace lumitag::editors
