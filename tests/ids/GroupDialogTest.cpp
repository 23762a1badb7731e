// The group send dialog driven through its widgets: the tree from the older
// ID list of the settings, the tick buttons and clicks, and the frames each
// job button has the group job write on a fake link.

#include <QGroupBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "IdTestRig.h"
#include "ids/CDialogGroup.h"
#include "ids/CTreeOptionsCtrl.h"
#include "l10n/Language.h"
#include "ui/Layout.h"

using namespace lumitag;
using namespace lumitag::ids;
using namespace lumitag::ids::test;
using lumitag::testing::WriteUtf16File;

namespace {

// The older list of the settings: IDs back to back in 4-character fields.
void WriteLegacyList(IdRig& rig, const std::string& fields, int count, const std::string& names = "")
{
    WriteUtf16File(rig.folder.WorkData() / "System.set", "[LEDData]\r\nLEDID_Num=" + std::to_string(count) +
                                                             "\r\nLEDID_Str=" + fields + "\r\n" + names);
}

struct Group {
    explicit Group(IdRig& rig) : dialog(rig.services) { dialog.show(); }
    CTreeOptionsCtrl* Tree() { return Control<CTreeOptionsCtrl>(&dialog, CDialogGroup::kTree); }
    QTreeWidgetItem* Root() { return Tree()->topLevelItem(0); }
    QTreeWidgetItem* Child(int i) { return Root()->child(i); }
    void Press(int id) { QTest::mouseClick(Control<QPushButton>(&dialog, id), Qt::LeftButton); }
    void ClickItem(QTreeWidgetItem* item)
    {
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(item).center());
    }
    std::vector<bool> Ticks()
    {
        std::vector<bool> out;
        for (int i = 0; i < Root()->childCount(); ++i) out.push_back(CTreeOptionsCtrl::IsTicked(Child(i)));
        return out;
    }
    bool JobButtonsEnabled(bool enabled)
    {
        for (int id : {CDialogGroup::kPowerOn, CDialogGroup::kPowerOff, CDialogGroup::kSendAll,
                       CDialogGroup::kSendSelected})
            if (Control<QPushButton>(&dialog, id)->isEnabled() != enabled) return false;
        return true;
    }
    CDialogGroup dialog;
};

// Waits (on virtual time, so briefly) for the job to end and the dialog to
// hear of it.
void WaitForJobEnd(IdRig& rig, Group& group)
{
    rig.worker.Wait();
    QTRY_VERIFY(group.JobButtonsEnabled(true));
}

std::vector<Bytes> PowerReports(const std::vector<int>& ids, bool on)
{
    std::vector<Bytes> frames;
    for (int id : ids) frames.push_back(PowerFrame(id, on));
    return ReportsOf(frames);
}

}  // namespace

class GroupDialogTest : public QObject {
    Q_OBJECT
private slots:
    void treeListsTheOlderIdsTicked();
    void unreadableSettingsGiveOnlyTheRoot();
    void tickButtonsActOnEveryChild();
    void clicksAndSpaceToggleChildrenNotTheRoot();
    void powerOnWritesEachTickedSign();
    void powerOffFramesForSignsFourAndNine();
    void bothSendButtonsSendTheProgramToTheTickedSigns_data();
    void bothSendButtonsSendTheProgramToTheTickedSigns();
    void nothingTickedStartsNoJob();
    void jobButtonsAreDisabledWhileTheJobRuns();
    void relabelledAndRightToLeftInArabic();
};

void GroupDialogTest::treeListsTheOlderIdsTicked()
{
    IdRig rig;
    WriteLegacyList(rig, "   1  12 200", 3, "LEDID1=Hall\r\nLEDID12=Door\r\n");
    Group group(rig);
    QCOMPARE(group.dialog.windowTitle(), QStringLiteral("Group Send"));
    QCOMPARE(group.Tree()->topLevelItemCount(), 1);
    QCOMPARE(group.Root()->text(0), QStringLiteral("LED"));
    QCOMPARE(CTreeOptionsCtrl::GetItemImage(group.Root()), ItemImage::Group);
    QVERIFY(group.Root()->isExpanded());
    QCOMPARE(group.Root()->childCount(), 3);
    QCOMPARE(group.Child(0)->text(0), QStringLiteral("1.Hall"));
    QCOMPARE(group.Child(1)->text(0), QStringLiteral("12.Door"));
    QCOMPARE(group.Child(2)->text(0), QStringLiteral("200."));
    QCOMPARE(group.Ticks(), (std::vector<bool>{true, true, true}));
    QCOMPARE(group.dialog.SelectedIds(), (std::vector<int>{1, 12, 200}));
}

void GroupDialogTest::unreadableSettingsGiveOnlyTheRoot()
{
    IdRig rig;  // no settings file
    Group group(rig);
    QCOMPARE(group.Tree()->topLevelItemCount(), 1);
    QCOMPARE(group.Root()->childCount(), 0);
    group.Press(CDialogGroup::kPowerOn);
    QCOMPARE(rig.backend.WriteCount(), 0LL);
}

void GroupDialogTest::tickButtonsActOnEveryChild()
{
    IdRig rig;
    WriteLegacyList(rig, "   1   2   3", 3);
    Group group(rig);
    CTreeOptionsCtrl::SetItemImage(group.Child(1), ItemImage::Unchecked);
    CTreeOptionsCtrl::SetItemImage(group.Child(2), ItemImage::CheckedDisabled);
    group.Press(CDialogGroup::kReverse);
    QCOMPARE(group.Ticks(), (std::vector<bool>{false, true, false}));
    group.Press(CDialogGroup::kReverse);
    QCOMPARE(group.Ticks(), (std::vector<bool>{true, false, true}));
    group.Press(CDialogGroup::kNoAll);
    QCOMPARE(group.Ticks(), (std::vector<bool>{false, false, false}));
    group.Press(CDialogGroup::kAll);
    QCOMPARE(group.Ticks(), (std::vector<bool>{true, true, true}));
    QCOMPARE(CTreeOptionsCtrl::GetItemImage(group.Root()), ItemImage::Group);
}

void GroupDialogTest::clicksAndSpaceToggleChildrenNotTheRoot()
{
    IdRig rig;
    WriteLegacyList(rig, "   1   2   3", 3);
    Group group(rig);
    group.ClickItem(group.Child(1));
    QCOMPARE(group.Ticks(), (std::vector<bool>{true, false, true}));
    QTest::keyClick(group.Tree(), Qt::Key_Space);  // the clicked child is current
    QCOMPARE(group.Ticks(), (std::vector<bool>{true, true, true}));
    group.ClickItem(group.Root());
    QCOMPARE(CTreeOptionsCtrl::GetItemImage(group.Root()), ItemImage::Group);
    QVERIFY(group.Root()->isExpanded());
    QCOMPARE(group.Ticks(), (std::vector<bool>{true, true, true}));
    // A disabled check box keeps its state.
    CTreeOptionsCtrl::SetItemImage(group.Child(0), ItemImage::UncheckedDisabled);
    group.ClickItem(group.Child(0));
    QCOMPARE(CTreeOptionsCtrl::GetItemImage(group.Child(0)), ItemImage::UncheckedDisabled);
}

void GroupDialogTest::powerOnWritesEachTickedSign()
{
    IdRig rig;
    WriteLegacyList(rig, "   1  12 200", 3);
    Group group(rig);
    group.Press(CDialogGroup::kPowerOn);
    WaitForJobEnd(rig, group);
    QCOMPARE(rig.Payloads(), ReportsOf({Hex("7E 01 CF 00 D0 7E"), Hex("7E 0C CF 00 D0 7E"), Hex("7E C8 CF 00 D0 7E")}));
    QCOMPARE(rig.Payloads(), PowerReports({1, 12, 200}, true));
}

void GroupDialogTest::powerOffFramesForSignsFourAndNine()
{
    IdRig rig;
    WriteLegacyList(rig, "   4   9", 2);
    Group group(rig);
    group.Press(CDialogGroup::kPowerOff);
    WaitForJobEnd(rig, group);
    QCOMPARE(rig.Payloads(), ReportsOf({Hex("7E 04 CF 01 D1 7E"), Hex("7E 09 CF 01 D1 7E")}));
}

void GroupDialogTest::bothSendButtonsSendTheProgramToTheTickedSigns_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("Send All") << CDialogGroup::kSendAll;
    QTest::newRow("Send Selected") << CDialogGroup::kSendSelected;
}

void GroupDialogTest::bothSendButtonsSendTheProgramToTheTickedSigns()
{
    QFETCH(int, button);
    SlotParamTable params;
    params.at(SlotField::send, 0) = 1;
    PackedTables tables;
    tables.frame0[0].data = Bytes(20, 0x5A);
    tables.frame0[0].size = 20;
    IdRig rig("Q26", true, params, tables);
    WriteLegacyList(rig, "   1  12 200", 3);
    Group group(rig);
    group.ClickItem(group.Child(1));  // untick the middle one
    group.Press(button);
    WaitForJobEnd(rig, group);

    // The bus sequence once per ticked sign, in tree order.
    std::vector<Bytes> frames;
    for (int id : {1, 200}) {
        LinkTarget target;
        ApplyModel(target.model, "Q26");
        target.signId = id;
        for (const auto& step : BuildBusSend(target, params, tables).steps)
            if (!step.bytes.empty()) frames.push_back(step.bytes);
    }
    QVERIFY(!frames.empty());
    QCOMPARE(rig.Payloads(), ReportsOf(frames));
}

void GroupDialogTest::nothingTickedStartsNoJob()
{
    IdRig rig;
    WriteLegacyList(rig, "   1   2", 2);
    Group group(rig);
    group.Press(CDialogGroup::kNoAll);
    for (int id : {CDialogGroup::kPowerOn, CDialogGroup::kPowerOff, CDialogGroup::kSendAll,
                   CDialogGroup::kSendSelected})
        group.Press(id);
    QVERIFY(!rig.worker.IsBusy());
    QVERIFY(group.JobButtonsEnabled(true));
    rig.worker.Wait();
    QCOMPARE(rig.backend.WriteCount(), 0LL);
}

void GroupDialogTest::jobButtonsAreDisabledWhileTheJobRuns()
{
    IdRig rig;
    WriteLegacyList(rig, "   4   9", 2);
    Group group(rig);
    rig.clock.Hold();
    group.Press(CDialogGroup::kPowerOn);
    rig.clock.WaitUntilHeld();  // the job is inside its first pause

    QVERIFY(group.JobButtonsEnabled(false));
    group.Press(CDialogGroup::kPowerOff);
    group.Press(CDialogGroup::kSendAll);
    QVERIFY(!rig.services.StartGroupJob({5}, GroupMode::PowerOff));
    QVERIFY(rig.worker.IsBusy());

    rig.clock.Release();
    WaitForJobEnd(rig, group);
    // One job, power on, for both signs; nothing of the later presses.
    QCOMPARE(rig.Payloads(), PowerReports({4, 9}, true));

    group.Press(CDialogGroup::kPowerOff);
    WaitForJobEnd(rig, group);
    QCOMPARE(rig.Payloads().size(), std::size_t{4});
}

void GroupDialogTest::relabelledAndRightToLeftInArabic()
{
    RecordingReporter quiet;
    QVERIFY(ApplyLanguage(13, quiet));
    ui::ApplyLanguageDirection(13);
    IdRig rig;
    WriteLegacyList(rig, "   4", 1);
    Group group(rig);
    const auto pack = CurrentPack();
    for (int id : {CDialogGroup::kAll, CDialogGroup::kPowerOn, CDialogGroup::kSendSelected}) {
        const QString text = QString::fromStdString(DialogControlText(*pack, 310, id));
        QVERIFY(!text.isEmpty());
        QCOMPARE(Control<QPushButton>(&group.dialog, id)->text(), text);
        QCOMPARE(Control<QPushButton>(&group.dialog, id)->toolTip(), text);
    }
    QCOMPARE(Control<QGroupBox>(&group.dialog, CDialogGroup::kPowerBox)->title(),
             QString::fromStdString(DialogControlText(*pack, 310, CDialogGroup::kPowerBox)));
    QCOMPARE(group.dialog.layoutDirection(), Qt::RightToLeft);
    // The buttons sit left of the tree, mirrored.
    QVERIFY(Control<QGroupBox>(&group.dialog, CDialogGroup::kPowerBox)->geometry().right() < group.Tree()->geometry().left());
    // A click still ticks the item it lands on.
    group.ClickItem(group.Child(0));
    QCOMPARE(group.Ticks(), std::vector<bool>{false});
    ui::ApplyLanguageDirection(3);
    QVERIFY(ApplyLanguage(3, quiet));
}

QTEST_MAIN(GroupDialogTest)
#include "GroupDialogTest.moc"
