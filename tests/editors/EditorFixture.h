#pragma once
// A work file in a throw-away folder, opened by a service session on the
// model of the test (the session reads Data/ from the built program folder),
// and the SlotAccess the editors use.

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

#include <memory>
#include <string>

#include "editors/DialogSupport.h"
#include "editors/SlotAccess.h"
#include "model/Reporter.h"
#include "model/SignProgram.h"
#include "service/Session.h"
#include "tests/model/TempProgramFolder.h"

namespace lumitag::testing {

class EditorFixture {
public:
    explicit EditorFixture(const std::string& model,
                           service::EditOrigin origin = service::EditOrigin::EditMenu)
    {
        path_ = folder_.WorkData() / "1.led";
        {
            SignProgram program;
            program.LoadProgram(path_);
            for (int slot = 0; slot < 10; ++slot) program.Params().at(SlotField::kind, slot) = 1;
            program.SaveParams();
        }
        service::SessionOptions options;
        options.programFolder = LUMITAG_PROGRAM_DIR;
        options.frameLog = false;
        session_ = std::make_unique<service::Session>(reporter_, options);
        if (!model.empty()) QVERIFY(session_->SetModelOverride(model).ok());
        QVERIFY(session_->LoadProject(path_).ok());
        access_ = std::make_unique<editors::SessionSlotAccess>(*session_, origin);
    }

    void SetContent(int slot, const std::string& content) { QVERIFY(Program().PutContent(slot, content)); }
    std::string Stored(int slot) { return Program().GetContent(slot); }
    Bytes FileBytes() const { return ReadBytes(path_); }

    editors::SlotAccess& Access() { return *access_; }
    SignProgram& Program() { return session_->Program(); }
    const GlyphCache& Cache() { return session_->Glyphs(); }
    RecordingReporter& Reporter() { return reporter_; }

private:
    TempProgramFolder folder_;
    std::filesystem::path path_;
    RecordingReporter reporter_;
    std::unique_ptr<service::Session> session_;
    std::unique_ptr<editors::SessionSlotAccess> access_;
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
