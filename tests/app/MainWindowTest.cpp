// The main window driven through its widgets: start-up, the rows, model
// changes, sending (compared with the command line), the word limit, the
// RS-485 series, scan, devices, the ID list and the languages.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "app/CWaitDlg.h"
#include "app/ControlIds.h"
#include "app/PreviewWidget.h"
#include "app/screens/SampleProgram.h"
#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"
#include "model/DeviceCatalogue.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "service/SlotEditing.h"
#include "tests/app/AppTestSupport.h"

using namespace lumitag;
using namespace lumitag::app;
using lumitag::app::testing::WindowFixture;

namespace {

template <class T>
T* Control(CLumitagv11Dlg& window, int id)
{
    T* control = FindControlAs<T>(&window, id);
    if (!control) qFatal("no control %d", id);
    return control;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) { return lumitag::testing::ReadBytes(path); }

void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

QTreeWidgetItem* IdItem(QTreeWidget* tree, int id)
{
    QTreeWidgetItem* root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
        if (root->child(i)->data(0, Qt::UserRole).toInt() == id) return root->child(i);
    return nullptr;
}

// Every text a user can read in the window: widgets, menus, tooltips.
QStringList VisibleTexts(CLumitagv11Dlg& window)
{
    QStringList texts;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
        if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
        texts << widget->toolTip();
    }
    for (QAction* action : window.menuBar()->actions()) {
        texts << action->text();
        if (action->menu())
            for (QAction* item : action->menu()->actions()) texts << item->text();
    }
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (bool edit : {true, false})
            for (QAction* item : window.RowMenu(slot, edit)->actions()) texts << item->text();
    return texts;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { lumitag::ApplyLanguage(kEnglishLanguage, reporter_); }

    void startsOnAnEmptyProgramFolder()
    {
        WindowFixture f(false, false);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        // ID 0 is current: its work file is made from the default project.
        QVERIFY(std::filesystem::exists(f.WorkFile(0)));
        QCOMPARE(Control<QComboBox>(w, ids::kModelSelector)->currentIndex(), 0);
        QCOMPARE(Control<QComboBox>(w, ids::kModelSelector)->count(), kModelCount);
        QCOMPARE(Control<QComboBox>(w, ids::kDeviceSelector)->count(), 0);
        QCOMPARE(w.StatusText(1), QStringLiteral("COM:AUTO"));
        QVERIFY(w.StatusText(0).startsWith(QStringLiteral("Model:")));
        QCOMPARE(w.IdTree()->topLevelItemCount(), 1);
        QCOMPARE(w.IdTree()->topLevelItem(0)->text(0), QStringLiteral("LEDS"));
        QCOMPARE(w.IdTree()->topLevelItem(0)->childCount(), 0);
        QVERIFY(!VisibleTexts(w).contains(QString::fromLatin1(kNotFound.data())));
        QVERIFY(Control<QPushButton>(w, ids::kSendButton)->isEnabled());
        // No sign: Send does nothing, Scan asks for one.
        w.Send();
        QVERIFY(w.Idle());
        w.Scan();
        QVERIFY(Contains(f.MessageTexts(), "Please connect a usb device!"));
        // The delayed start-up steps.
        w.OnTimer(CLumitagv11Dlg::kTimerFirstDevice);
        QVERIFY(!f.Session().Link().IsConnected());
    }

    void damagedFilesAtStartUpOpenTheWindow()
    {
        WindowFixture f;
        lumitag::testing::WriteBytes(f.Folder() / "WorkData" / "System.set", {0xFF, 0xFE, 0x00, 0xD8, '[', 0});
        lumitag::testing::WriteBytes(f.Folder() / "WorkData" / "IDLIST.id", {0x00, 0x01, 0x02});
        lumitag::testing::WriteBytes(f.WorkFile(0), {0xFF, 0xFE, '[', 0, 0x00, 0xDC});
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        QCOMPARE(w.IdTree()->topLevelItem(0)->childCount(), 0);
        // The program holds nothing readable: every row is empty and says so.
        for (int slot = 0; slot < kSlotCount; ++slot) {
            QCOMPARE(Control<QToolButton>(w, ids::kEditButton + slot)->text(), QString());
            QVERIFY(!Control<QComboBox>(w, ids::kSpeed + slot)->isEnabled());
        }
        QVERIFY(!VisibleTexts(w).contains(QString::fromLatin1(kNotFound.data())));
    }

    void unknownStoredModelSelectsTheFirstEntry()
    {
        WindowFixture f;
        f.StoreSettings("Q99", kEnglishLanguage, 1);
        f.Open();
        QCOMPARE(Control<QComboBox>(f.Window(), ids::kModelSelector)->currentIndex(), 0);
        // Choosing a model from the selector then applies it.
        Control<QComboBox>(f.Window(), ids::kModelSelector)->setCurrentIndex(25);
        QCOMPARE(SettingsStore().GetLedType(), std::string("Q26"));
    }

    void rowControlsReachTheWorkFile()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 3);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        const int slot = 2;
        auto* speed = Control<QComboBox>(w, ids::kSpeed + slot);
        speed->setCurrentIndex(6);
        emit speed->activated(6);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::speed, slot), 6);
        auto* time = Control<QComboBox>(w, ids::kTime + slot);
        time->setCurrentIndex(4);
        emit time->activated(4);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::time, slot), 4);

        struct Flag {
            int id;
            SlotField field;
        };
        for (const Flag flag : {Flag{ids::kMarquee, SlotField::marquee}, Flag{ids::kSend, SlotField::send}}) {
            auto* box = Control<QCheckBox>(w, flag.id + slot);
            const int before = f.ParamsOnDisk(1).at(flag.field, slot);
            ClickBox(box);
            QCOMPARE(f.ParamsOnDisk(1).at(flag.field, slot), 1 - before);
            QCOMPARE(box->isChecked(), before == 0);
        }
        // Blink is disabled on a sixteen-row model; the table stays as it was.
        QVERIFY(!Control<QCheckBox>(w, ids::kBlink + slot)->isEnabled());

        // The effect menu: the item's stored code and its label.
        QMenu* effects = w.RowMenu(slot, false);
        QAction* down = effects->actions().at(4);  // Q26 offers Fix, Left, Right, Up, Down, ...
        down->trigger();
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::effect, slot), 4);
        QCOMPARE(Control<QToolButton>(w, ids::kEffectButton + slot)->text(), QStringLiteral("Down"));
    }

    void editorResultsFollowTheMenuAndThePreview()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 2);
        std::string next;
        f.Hooks().editSlot = [&](int slot, int kind, bool fromPreview) {
            const bool empty = QString::fromStdString(next).trimmed().isEmpty();
            return service::SlotEditor(f.Session())
                .StoreEditorResult(slot, next, empty, kind,
                                   fromPreview ? service::EditOrigin::Preview : service::EditOrigin::EditMenu)
                .ok();
        };
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        // Image from the menu: stored as kind 2 and marked for sending.
        next = "a.bmp;";
        w.RowMenu(5, true)->actions().at(1)->trigger();
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::kind, 5), 2);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::send, 5), 1);
        QCOMPARE(Control<QToolButton>(w, ids::kEditButton + 5)->text(), QStringLiteral("Image"));
        // Empty content from the menu: a text row still marked for sending.
        next = "  ";
        w.RowMenu(6, true)->actions().at(2)->trigger();
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::kind, 6), 1);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::send, 6), 1);
        // Empty content from a double-click on the preview empties the row.
        next = "";
        QTest::mouseDClick(w.Preview(0), Qt::LeftButton);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::kind, 0), 0);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::send, 0), 0);
        QVERIFY(!Control<QCheckBox>(w, ids::kSend)->isEnabled());
        // An empty row's double-click opens nothing.
        int opened = 0;
        w.SetDialogHooks({.editSlot = [&](int, int, bool) { return ++opened, true; }});
        QTest::mouseDClick(w.Preview(0), Qt::LeftButton);
        QCOMPARE(opened, 0);
    }

    void modelChangeInsideAndAcrossGroups()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 4);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        auto* selector = Control<QComboBox>(w, ids::kModelSelector);
        const auto before = ReadFile(f.WorkFile(1));
        // Q27 shares Q26's group: the program stays.
        selector->setCurrentIndex(ModelIndex("Q27"));
        QCOMPARE(SettingsStore().GetLedType(), std::string("Q27"));
        QCOMPARE(ReadFile(f.WorkFile(1)), before);
        QCOMPARE(w.StatusText(0), QStringLiteral("Model:Q27"));
        // Q06 is a twelve-row model of another group: the default project.
        selector->setCurrentIndex(ModelIndex("Q06"));
        QVERIFY(ReadFile(f.WorkFile(1)) != before);
        QCOMPARE(w.Preview(0)->Window().Rows(), FindModel("Q06")->rows);
        QCOMPARE(w.Preview(8)->isVisible(), FindModel("Q06")->slotCount > 8);
        QCOMPARE(w.Preview(9)->isVisible(), FindModel("Q06")->slotCount > 9);
        QCOMPARE(Control<QPushButton>(w, ids::kCheckTime)->isVisible(), FindModel("Q06")->hasClock);
        QCOMPARE(w.RowMenu(0, false)->actions().size(),
                 static_cast<int>(EffectMenuItems(FindModel("Q06")->effectMenu).size()));
        QCOMPARE(w.RowMenu(0, true)->actions().size(),
                 static_cast<int>(ContentKindItems(FindModel("Q06")->hasClock).size()));
    }

    void sendEqualsTheCommandLine()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 6);
        f.Open();
        f.ConnectSign();
        CLumitagv11Dlg& w = f.Window();
        QTest::mouseClick(Control<QPushButton>(w, ids::kSendButton), Qt::LeftButton);
        QVERIFY(!w.Idle());
        // No second job while one runs.
        QVERIFY(!Control<QPushButton>(w, ids::kScan)->isEnabled());
        QVERIFY(!w.Action(ids::kToolSend)->isEnabled());
        QVERIFY(!w.Action(ids::kToolGroupSend)->isEnabled());
        f.Settle();
        QCOMPARE(w.StatusText(2), QStringLiteral("OK!"));
        QCOMPARE(w.StatusText(3), QStringLiteral("100%"));
        const auto reports = f.Backend().Reports();
        QVERIFY(reports.size() > 10);

        // The command line writes the same frames to a file.
        const QString cli = QStringLiteral(LUMITAG_PROGRAM_DIR "/lumitag-cli");
        const QString cliOut = QString::fromStdString((f.Folder() / "cli.bin").string());
        QProcess process;
        process.start(cli, {QStringLiteral("--home"), QString::fromStdString(f.Folder().string()),
                            QStringLiteral("send"), QStringLiteral("--output"), cliOut});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const auto cliFrames = ReadFile(cliOut.toStdString());

        // The window's write-to-file gives the command line's bytes...
        const auto windowOut = f.Folder() / "window.bin";
        w.SetDialogHooks({.chooseOutputFile = [&]() -> std::optional<QString> {
            return QString::fromStdString(windowOut.string());
        }});
        w.OnTimer(CLumitagv11Dlg::kTimerEnableSend);
        QTest::mouseClick(Control<QToolButton>(w, ids::kToFile), Qt::LeftButton);
        f.Settle();
        QCOMPARE(ReadFile(windowOut), cliFrames);
        // ...and every frame of them went to the sign in 64-byte reports.
        const auto payload = lumitag::app::testing::Payloads(reports);
        std::size_t at = 0;
        for (std::uint8_t byte : cliFrames) {
            while (at < payload.size() && payload[at] != byte) ++at;  // skip the zero fill of each frame's last report
            QVERIFY(at < payload.size());
            ++at;
        }
        for (const auto& report : reports) QCOMPARE(report.bytes.size(), std::size_t(65));
    }

    void wordLimitQuestionBothWays()
    {
        for (bool answer : {false, true}) {
            WindowFixture f;
            f.StoreSettings("Q15", kEnglishLanguage, 1);
            f.WriteProgram(1, "Q15", 0);
            f.PutContent(1, 0, SampleText(std::string(1200, 'W'), 12, 0x000000FF));
            f.Reporter().SetAnswer(answer);
            f.Open();
            f.ConnectSign();
            f.Window().Send();
            f.Settle();
            const auto entries = f.Reporter().entries();
            const auto question = std::find_if(entries.begin(), entries.end(), [](const auto& e) { return e.question; });
            QVERIFY(question != entries.end());
            QVERIFY(QString::fromStdString(question->text).startsWith(QStringLiteral("Data over ")));
            QVERIFY(QString::fromStdString(question->text).endsWith(QStringLiteral(" words, will be discard!\r\nContinue Send?")));
            QCOMPARE(f.Backend().Reports().empty(), !answer);
            QVERIFY(f.Window().Idle());
        }
    }

    void seriesOverThreeIdsStoppedEarly()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1, 1);
        f.RegisterIds({1, 3, 5, 7}, {3, 5, 7});
        for (int id : {1, 3, 5, 7}) f.WriteProgram(id, "Q26", id % 4 + 1);
        f.Open();
        f.ConnectSign();
        CLumitagv11Dlg& w = f.Window();
        QVERIFY(Control<QCheckBox>(w, ids::kMode485)->isChecked());

        // The whole series first: three jobs, the dialog counts them and closes.
        w.Send();
        QVERIFY(w.WaitDialog());
        QCOMPARE(w.WaitDialog()->Text(), QStringLiteral("Setting ID：3，Total:3，Last:3"));
        f.Settle();
        QVERIFY(!w.WaitDialog());
        const auto allReports = f.Backend().Reports().size();
        QVERIFY(allReports > 0);
        QCOMPARE(f.Session().Settings().GetNowSelID(), 1);
        QCOMPARE(w.Preview(0)->Window().Parse().content, f.Session().Program().GetContent(0));

        // Stopped during the first ID: that ID finishes, no other starts.
        f.Backend().ClearReports();
        w.OnTimer(CLumitagv11Dlg::kTimerEnableSend);
        w.Send();
        QVERIFY(w.WaitDialog());
        QTest::mouseClick(FindControlAs<QPushButton>(w.WaitDialog(), 1), Qt::LeftButton);
        f.Settle();
        QVERIFY(!w.WaitDialog());
        QVERIFY(!w.Series().Running());
        const auto firstOnly = f.Backend().Reports().size();
        QVERIFY(firstOnly > 0);
        QVERIFY(firstOnly < allReports);
        // The current ID's program is back in the rows.
        SignProgram current;
        current.LoadProgram(f.WorkFile(1));
        QCOMPARE(w.Preview(1)->Window().Parse().content, current.GetContent(1));
    }

    void noIdSelectedWarns()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1, 1);
        f.RegisterIds({1});
        f.Open();
        f.ConnectSign();
        f.Window().Send();
        QVERIFY(Contains(f.MessageTexts(), "No ID selected?"));
        QVERIFY(f.Backend().Reports().empty());
        QVERIFY(!f.Window().WaitDialog());
    }

    void failedJobIsNeverOk()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 2);
        f.Open();
        f.ConnectSign();
        f.Backend().FailWrite(1);
        f.Window().Send();
        f.Settle();
        QCOMPARE(f.Window().StatusText(2), QStringLiteral("Send Failure!"));
        QVERIFY(Contains(f.MessageTexts(), "usb write error!"));
        QVERIFY(Contains(f.MessageTexts(), "Send Failure!"));
    }

    void scanShowsItsDisplayAndReenablesAfterASecond()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.RegisterIds({2, 4}, {2, 4});
        f.Open();
        f.ConnectSign();
        CLumitagv11Dlg& w = f.Window();
        QCOMPARE(IdItem(w.IdTree(), 2)->checkState(0), Qt::Checked);
        QTest::mouseClick(Control<QPushButton>(w, ids::kScan), Qt::LeftButton);
        QVERIFY(!w.Idle());
        QVERIFY(!Control<QPushButton>(w, ids::kSendButton)->isEnabled());
        f.Settle();
        QVERIFY(!f.Backend().Reports().empty());
        // No sign answers: every ID shows an empty box, the marks stay stored.
        QCOMPARE(IdItem(w.IdTree(), 2)->checkState(0), Qt::Unchecked);
        QCOMPARE(f.Session().Ids().records[2].checks & 1u, 1u);
        QVERIFY(!Control<QPushButton>(w, ids::kScan)->isEnabled());
        QVERIFY(w.TimerFor(CLumitagv11Dlg::kTimerEnableSend).isActive());
        w.OnTimer(CLumitagv11Dlg::kTimerEnableSend);
        QVERIFY(Control<QPushButton>(w, ids::kScan)->isEnabled());
        QCOMPARE(w.StatusText(2), QString());
        w.FillIdList();
        QCOMPARE(IdItem(w.IdTree(), 2)->checkState(0), Qt::Checked);
    }

    void twoSignsArriveAndLeave()
    {
        WindowFixture f;
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        auto* selector = Control<QComboBox>(w, ids::kDeviceSelector);
        f.ConnectSign("/dev/hidraw1");
        QCOMPARE(selector->count(), 1);
        QCOMPARE(f.Session().Link().CurrentPath(), std::string("/dev/hidraw1"));
        f.ConnectSign("/dev/hidraw2");
        QCOMPARE(selector->count(), 2);
        QCOMPARE(selector->itemText(1), QStringLiteral("Lumitag"));
        QCOMPARE(f.Session().Link().CurrentPath(), std::string("/dev/hidraw2"));
        // A repeated arrival changes nothing.
        w.OnDeviceEvent({HidEvent::Kind::Arrival, "/dev/hidraw2"});
        QCOMPARE(selector->count(), 2);
        // The sign that is not current goes: the current one stays open.
        f.Backend().Unplug("/dev/hidraw1");
        w.OnDeviceEvent({HidEvent::Kind::Removal, "/dev/hidraw1"});
        QCOMPARE(selector->count(), 1);
        QCOMPARE(f.Session().Link().CurrentPath(), std::string("/dev/hidraw2"));
        f.Backend().Unplug("/dev/hidraw2");
        w.OnDeviceEvent({HidEvent::Kind::Removal, "/dev/hidraw2"});
        QCOMPARE(selector->count(), 0);
        QVERIFY(!f.Session().Link().IsConnected());
        // Choosing past the list shows the sign as not connected.
        w.ChooseDevice(0);
        QVERIFY(!f.Session().Link().IsConnected());
    }

    void selectingAnIdLoadsItsProgram()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 2);
        f.RegisterIds({2, 4});
        f.WriteProgram(2, "Q26", 1);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        auto* speed = Control<QComboBox>(w, ids::kSpeed);
        speed->setCurrentIndex(7);
        emit speed->activated(7);
        w.IdTree()->setCurrentItem(IdItem(w.IdTree(), 4));
        QCOMPARE(f.Session().Settings().GetNowSelID(), 4);
        QVERIFY(std::filesystem::exists(f.WorkFile(4)));
        QCOMPARE(f.ParamsOnDisk(2).at(SlotField::speed, 0), 7);
        QCOMPARE(w.Preview(0)->Window().Parse().content, f.Session().Program().GetContent(0));
        QCOMPARE(f.Session().Worker().SignId(), 4);
        // The root selects the lowest ID of the list.
        w.IdTree()->setCurrentItem(w.IdTree()->topLevelItem(0));
        QCOMPARE(f.Session().Settings().GetNowSelID(), 2);
    }

    void checkBoxClicksAreSavedOnceASecondLater()
    {
        WindowFixture f;
        f.RegisterIds({2, 4});
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        IdItem(w.IdTree(), 4)->setCheckState(0, Qt::Checked);
        QCOMPARE(f.Session().Ids().records[4].checks & 1u, 1u);
        QVERIFY(w.TimerFor(CLumitagv11Dlg::kTimerSaveIds).isActive());
        // The root checks every record, listed or not.
        w.IdTree()->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QCOMPARE(IdItem(w.IdTree(), 2)->checkState(0), Qt::Checked);
        QCOMPARE(f.Session().Ids().records[200].checks & 1u, 1u);
        w.OnTimer(CLumitagv11Dlg::kTimerSaveIds);
        GroupStore stored;
        QVERIFY(stored.LoadIdList());
        QCOMPARE(stored.records[200].checks & 1u, 1u);
        QCOMPARE(stored.groupChecks & 1u, 1u);
    }

    void copyAndPasteAProgramBetweenIds()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 4);
        f.RegisterIds({2, 4});
        f.WriteProgram(2, "Q26", 5);
        f.WriteProgram(4, "Q26", 1);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        // Paste before any copy does nothing.
        w.PasteProgram(4);
        QVERIFY(ReadFile(f.WorkFile(2)) != ReadFile(f.WorkFile(4)));
        w.CopyProgram(2);
        w.PasteProgram(4);
        QCOMPARE(ReadFile(f.WorkFile(4)), ReadFile(f.WorkFile(2)));
        // ID 4 is current: its rows show the pasted program.
        QCOMPARE(w.Preview(4)->Window().Parse().content, f.Session().Program().GetContent(4));
        QVERIFY(!w.Preview(4)->Window().Parse().content.empty());
    }

    void deleteRemovesTheCurrentIdFromTheList()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 4);
        f.RegisterIds({2, 4});
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.IdTree()->setCurrentItem(IdItem(w.IdTree(), 4));
        QTest::mouseClick(Control<QPushButton>(w, ids::kDel), Qt::LeftButton);
        QVERIFY(!IdItem(w.IdTree(), 4));
        QVERIFY(IdItem(w.IdTree(), 2));
        GroupStore stored;
        QVERIFY(stored.LoadIdList());
        QCOMPARE(stored.records[4].groups, 0u);
    }

    void everyLanguageRelabelsWithoutGaps()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        for (const LanguageInfo& language : kLanguages) {
            w.ChooseLanguage(language.index);
            QCOMPARE(SettingsStore().GetLanguage(), language.index);
            const QStringList texts = VisibleTexts(w);
            QVERIFY2(!texts.contains(QString::fromLatin1(kNotFound.data())), language.packFile.data());
            QCOMPARE(w.StatusText(0), QString::fromStdString(ModelStatusText("Q26", language.index)));
            const bool rtl = language.index == 13 || language.index == 14;
            QCOMPARE(QApplication::layoutDirection(), rtl ? Qt::RightToLeft : Qt::LeftToRight);
            QCOMPARE(w.Preview(0)->layoutDirection(), Qt::LeftToRight);
            emit w.LanguageMenu()->aboutToShow();
            for (QAction* item : w.LanguageMenu()->actions())
                QCOMPARE(item->isChecked(), item->data().toInt() == language.menuCommand);
        }
        w.ChooseLanguage(kEnglishLanguage);
        QCOMPARE(Control<QPushButton>(w, ids::kSendButton)->text(), QStringLiteral("Send"));
        QCOMPARE(Control<QPushButton>(w, ids::kSendButton)->toolTip(), QStringLiteral("Send"));
        QCOMPARE(w.Action(ids::kFileExit)->text(), QStringLiteral("Exit(&E)"));
    }

    void exitAsksAndEscapeDoesNot()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.WriteProgram(1, "Q26", 1);
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        w.show();
        f.Reporter().SetAnswer(false);
        w.Action(ids::kFileExit)->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(Contains(f.MessageTexts(), "Exit？"));
        // Escape closes at once and the parameters are saved.
        f.Session().Program().Params().at(SlotField::speed, 0) = 5;
        const auto questions = f.MessageTexts().size();
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(f.MessageTexts().size(), questions);
        QCOMPARE(f.ParamsOnDisk(1).at(SlotField::speed, 0), 5);
    }

    void checkTimeReportsAfterItsDelay()
    {
        WindowFixture f;
        f.StoreSettings("Q26", 1, 1);  // Simplified Chinese
        f.Open();
        CLumitagv11Dlg& w = f.Window();
        // Without a sign nothing is written and nothing is reported.
        QTest::mouseClick(Control<QPushButton>(w, ids::kCheckTime), Qt::LeftButton);
        QVERIFY(!w.TimerFor(CLumitagv11Dlg::kTimerClock).isActive());
        f.ConnectSign();
        QTest::mouseClick(Control<QPushButton>(w, ids::kCheckTime), Qt::LeftButton);
        QVERIFY(!f.Backend().Reports().empty());
        QVERIFY(w.TimerFor(CLumitagv11Dlg::kTimerClock).isActive());
        w.OnTimer(CLumitagv11Dlg::kTimerClock);
        QVERIFY(Contains(f.MessageTexts(), "时间校对成功!"));
        // A clock frame that cannot be written starts no report.
        f.Backend().FailWrite(static_cast<int>(f.Backend().WriteCount()));
        w.Action(ids::kToolCheckTime)->trigger();
        QVERIFY(!w.TimerFor(CLumitagv11Dlg::kTimerClock).isActive());
    }

    void writeToFileThatCannotBeWritten()
    {
        WindowFixture f;
        f.StoreSettings("Q26", kEnglishLanguage, 1);
        f.Open();
        const std::string path = (f.Folder() / "missing" / "out.bin").string();
        f.Window().SetDialogHooks({.chooseOutputFile = [&]() -> std::optional<QString> {
            return QString::fromStdString(path);
        }});
        f.Window().WriteToFile();
        QVERIFY(f.Window().Idle());
        QVERIFY(Contains(f.MessageTexts(),
                         "Errcode=2,Can't write to file:\n" + path + "\nProbaby it is write protected."));
    }

    void imageEditorThatCannotStart()
    {
        WindowFixture f;
        f.Open();
        QString started;
        f.Window().SetDialogHooks({.startDetached = [&](const QString& program, const QString&) {
            started = program;
            return false;
        }});
        QTest::mouseClick(Control<QPushButton>(f.Window(), ids::kBmpEditor), Qt::LeftButton);
        QVERIFY(started.endsWith(QStringLiteral("/Tools/imagedit")));
        QVERIFY(Contains(f.MessageTexts(), "Can't execute image editor program!"));
    }

private:
    RecordingReporter reporter_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
