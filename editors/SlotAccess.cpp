#include "editors/SlotAccess.h"

#include "model/SignProgram.h"

namespace lumitag::editors {

ProgramSlotAccess::ProgramSlotAccess(SignProgram& program, std::string model, const GlyphCache* glyphs,
                                     std::filesystem::path programFolder)
    : program_(program), model_(std::move(model)), glyphs_(glyphs), folder_(std::move(programFolder))
{
}

std::string ProgramSlotAccess::Content(int slot) { return program_.GetContent(slot); }

bool ProgramSlotAccess::PutContent(int slot, const std::string& content) { return program_.PutContent(slot, content); }

int ProgramSlotAccess::Field(SlotField field, int slot) const { return program_.Params().at(field, slot); }

void ProgramSlotAccess::SetField(SlotField field, int slot, int value) { program_.Params().at(field, slot) = value; }

}  // namespace lumitag::editors
