#include "editors/SlotAccess.h"

#include "service/Session.h"

namespace lumitag::editors {

SessionSlotAccess::SessionSlotAccess(service::Session& session, service::EditOrigin origin)
    : session_(session), origin_(origin)
{
}

service::ModelRules SessionSlotAccess::Rules() { return service::RulesFor(session_.ModelName()); }

std::string SessionSlotAccess::Content(int slot) { return session_.Program().GetContent(slot); }

int SessionSlotAccess::Field(SlotField field, int slot) { return session_.Program().Params().at(field, slot); }

void SessionSlotAccess::SetField(SlotField field, int slot, int value)
{
    session_.Program().Params().at(field, slot) = value;
}

const GlyphCache* SessionSlotAccess::Glyphs() { return &session_.Glyphs(); }

std::filesystem::path SessionSlotAccess::ProgramFolder() { return session_.ProgramFolder(); }

bool SessionSlotAccess::Store(int slot, const EditorResult& result)
{
    service::SlotEditor editor(session_);
    service::Status status;
    switch (result.form) {
    case EditorResult::Form::FormattedText:
        status = editor.SetFormattedText(slot, result.formatted, origin_).status();
        break;
    case EditorResult::Form::GlyphText:
        status = editor.SetGlyphText(slot, result.plain, origin_).status();
        break;
    case EditorResult::Form::GlyphCodes:
        status = editor.SetGlyphCodes(slot, result.codes, origin_).status();
        break;
    case EditorResult::Form::DateItem:
        status = editor.SetDateItem(slot, result.dateFlags, result.plain, result.formatted, origin_).status();
        break;
    case EditorResult::Form::Pictures:
        status = editor.SetPictures(slot, result.paths, origin_).status();
        break;
    }
    if (!status) session_.reporter().Message(MessageKind::Error, status.message());
    return status.ok();
}

}  // namespace lumitag::editors
