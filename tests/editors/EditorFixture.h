#pragma once
// A work file in a throw-away program folder, a program bound to it, the
// glyph cache of the built Data folder, and the SlotAccess the editors use.

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

#include <memory>
#include <string>

#include "editors/DialogSupport.h"
#include "editors/SlotAccess.h"
#include "model/SignProgram.h"
#include "render/GlyphCache.h"
#include "tests/model/TempProgramFolder.h"

namespace lumitag::testing {

class EditorFixture {
public:
    explicit EditorFixture(const std::string& model) : cache_(std::make_unique<GlyphCache>())
    {
        LoadGlyphCache(*cache_, LUMITAG_PROGRAM_DIR);
        path_ = folder_.WorkData() / "1.led";
        program_.LoadProgram(path_);
        for (int slot = 0; slot < 10; ++slot) program_.Params().at(SlotField::kind, slot) = 1;
        program_.SaveParams();
        access_ = std::make_unique<editors::ProgramSlotAccess>(program_, model, cache_.get(), LUMITAG_PROGRAM_DIR);
    }

    void SetContent(int slot, const std::string& content) { QVERIFY(program_.PutContent(slot, content)); }
    std::string Stored(int slot) { return program_.GetContent(slot); }
    Bytes FileBytes() const { return ReadBytes(path_); }

    editors::SlotAccess& Access() { return *access_; }
    SignProgram& Program() { return program_; }
    const GlyphCache& Cache() const { return *cache_; }

private:
    TempProgramFolder folder_;
    std::filesystem::path path_;
    SignProgram program_;
    std::unique_ptr<GlyphCache> cache_;
    std::unique_ptr<editors::ProgramSlotAccess> access_;
};

// Clicks the control with `id` of `dialog`.
inline void ClickControl(QWidget* dialog, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(editors::FindControl(dialog, id));
    QVERIFY2(button, qPrintable(QStringLiteral("no button %1").arg(id)));
    // Laid out and shown, so the click lands where a user would click.
    if (!dialog->isVisible()) dialog->show();
    QVERIFY2(button->isVisible(), qPrintable(QStringLiteral("button %1 is hidden").arg(id)));
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace lumitag::testing
