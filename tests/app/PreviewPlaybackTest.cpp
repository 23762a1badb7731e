// The main window's playing previews under the offscreen platform: off by
// default, frames that follow virtual time, a row that restarts when its
// parameters or content change, a pause that stops the one timer, and the
// choice remembered in the settings.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTest>

#include "app/ControlIds.h"
#include "app/PreviewPlayback.h"
#include "app/PreviewWidget.h"
#include "app/screens/SampleProgram.h"
#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"
#include "model/SettingsStore.h"
#include "render/ProgramPlayback.h"
#include "tests/app/AppTestSupport.h"

using namespace lumitag;
using namespace lumitag::app;
using namespace std::chrono_literals;
using lumitag::app::testing::WindowFixture;

namespace {

void Choose(CLumitagv11Dlg& window, int id, int index)
{
    auto* combo = FindControlAs<QComboBox>(&window, id);
    if (!combo) qFatal("no control %d", id);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// What the row should show at `t` after its start, from the row's own window.
QImage Expected(WindowFixture& f, int slot, Millis t)
{
    service::Session& session = f.Session();
    return SlotTimeline(f.Window().Preview(slot)->Window(), session.ModelName(), session.Worker().Settings(),
                        session.Program().Params(), slot)
        .PictureAt(t);
}

class PreviewPlaybackTest : public QObject {
    Q_OBJECT

private slots:
    void init() { lumitag::ApplyLanguage(kEnglishLanguage, reporter_); }

    void offByDefaultThenFramesFollowVirtualTime()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 3);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        PreviewPlayback* playback = w.Playback();
        QVERIFY(playback);
        QVERIFY(!w.PlayAction()->isChecked());
        QVERIFY(!playback->Timer().isActive());
        QVERIFY(!w.Preview(0)->ShowsPlaying());
        Millis now{0};
        playback->SetClock([&now] { return now; });

        // Row 1 scrolls left without a dwell (Q26: Fix, Left, ...).
        w.RowMenu(0, false)->actions().at(1)->trigger();
        Choose(w, ids::kTime, 0);
        w.PlayAction()->trigger();
        QVERIFY(w.PlayAction()->isChecked());
        QVERIFY(playback->Timer().isActive());
        QCOMPARE(playback->Timer().interval(), PreviewPlayback::kTickMs);
        QVERIFY(SettingsStore().GetPlayPreviews());
        QVERIFY(w.Preview(0)->ShowsPlaying());
        const QImage start = w.Preview(0)->grab().toImage();

        now = 1500ms;
        playback->Tick();
        QCOMPARE(playback->Player().Picture(0), Expected(f, 0, 1500ms));
        QVERIFY(w.Preview(0)->grab().toImage() != start);

        // The one timer drives it: the next tick brings the row to the new time.
        now = 2300ms;
        QTRY_COMPARE_WITH_TIMEOUT(playback->Player().Picture(0), Expected(f, 0, 2300ms), 2000);
    }

    void aParameterOrContentChangeRestartsOnlyThatRow()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 3);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        PreviewPlayback* playback = w.Playback();
        Millis now{0};
        playback->SetClock([&now] { return now; });
        w.PlayAction()->trigger();
        QCOMPARE(playback->Player().StartedAt(0), 0ms);

        now = 700ms;
        Choose(w, ids::kSpeed + 1, 5);
        playback->Tick();
        QCOMPARE(playback->Player().StartedAt(1), 700ms);
        QCOMPARE(playback->Player().StartedAt(0), 0ms);
        QCOMPARE(playback->Player().Picture(1), Expected(f, 1, 0ms));

        now = 900ms;
        f.Session().Program().PutContent(2, SampleText("NEW", 16, 0x0000FF00));
        w.RefreshPreviews();
        playback->Tick();
        QCOMPARE(playback->Player().StartedAt(2), 900ms);
        QCOMPARE(playback->Player().StartedAt(1), 700ms);
        QCOMPARE(playback->Player().StartedAt(0), 0ms);

        // A model change starts every shown row over.
        now = 1200ms;
        w.ChooseModel(QStringLiteral("Q27"));
        playback->Tick();
        for (int slot = 0; slot < kSlotCount; ++slot) QCOMPARE(playback->Player().StartedAt(slot), 1200ms);
    }

    void pauseStopsTheTimerAndShowsTheStillPreviews()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 3);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        PreviewPlayback* playback = w.Playback();
        Millis now{0};
        playback->SetClock([&now] { return now; });
        w.PlayAction()->trigger();
        now = 400ms;
        playback->Tick();
        w.PlayAction()->trigger();
        QVERIFY(!w.PlayAction()->isChecked());
        QVERIFY(!playback->Playing());
        QVERIFY(!playback->Timer().isActive());
        QVERIFY(!SettingsStore().GetPlayPreviews());
        for (int slot = 0; slot < kSlotCount; ++slot) QVERIFY(!w.Preview(slot)->ShowsPlaying());
        // Nothing moves while paused.
        const QImage paused = playback->Player().Picture(0);
        now = 5000ms;
        QTest::qWait(3 * PreviewPlayback::kTickMs);
        playback->Tick();
        QCOMPARE(playback->Player().Picture(0), paused);
    }

    void theWindowStartsPlayingWhenTheSettingsSaySo()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 3);
        SettingsStore().SetPlayPreviews(true);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        QVERIFY(w.PlayAction()->isChecked());
        QVERIFY(w.Playback()->Timer().isActive());
        QVERIFY(w.Preview(0)->ShowsPlaying());
    }

private:
    RecordingReporter reporter_;
};

}  // namespace

QTEST_MAIN(PreviewPlaybackTest)
#include "PreviewPlaybackTest.moc"
