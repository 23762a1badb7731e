// The ID editor driven through its widgets: add, Auto Add ranges, modify,
// refused IDs and names, the replace question, relabelling.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "IdTestRig.h"
#include "ids/CDialogID.h"
#include "l10n/Language.h"
#include "model/DefaultProjects.h"
#include "model/DeviceCatalogue.h"
#include "model/WorkFiles.h"

using namespace lumitag;
using namespace lumitag::ids;
using namespace lumitag::ids::test;
using lumitag::testing::ReadBytes;
using lumitag::testing::WriteBytes;
namespace fs = std::filesystem;

namespace {

using Mode = CDialogID::Mode;

Bytes DefaultProject()
{
    const auto bytes = DefaultProjectBytes(DefaultProjectResource("Q26"));
    return Bytes(bytes.begin(), bytes.end());
}

// Types into an editable ID list as a user would.
void TypeInto(QComboBox* list, const QString& text)
{
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), text);
    if (text.isEmpty()) QTest::keyClick(list->lineEdit(), Qt::Key_Delete);
}

void TypeName(QLineEdit* name, const QString& text)
{
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    QTest::keyClicks(name, text);
}

struct Editor {
    Editor(IdRig& rig, Mode mode, int currentId = 0) : dialog(rig.services, mode, currentId)
    {
        dialog.show();
    }
    QComboBox* IdList() { return Control<QComboBox>(&dialog, CDialogID::kIdList); }
    QComboBox* LastIdList() { return Control<QComboBox>(&dialog, CDialogID::kLastIdList); }
    QCheckBox* AutoAdd() { return Control<QCheckBox>(&dialog, CDialogID::kAutoAdd); }
    QLineEdit* Name() { return Control<QLineEdit>(&dialog, CDialogID::kName); }
    void Ok() { QTest::mouseClick(Control<QPushButton>(&dialog, CDialogID::kOk), Qt::LeftButton); }
    void AddRange(const QString& first, const QString& last)
    {
        QTest::mouseClick(AutoAdd(), Qt::LeftButton);
        TypeInto(IdList(), first);
        TypeInto(LastIdList(), last);
        Ok();
    }
    bool Accepted() const { return dialog.result() == QDialog::Accepted && !dialog.isVisible(); }
    CDialogID dialog;
};

}  // namespace

class IdEditorTest : public QObject {
    Q_OBJECT
private slots:
    void opensInAddModeWithLedAndTheFullLists();
    void addsOneIdWithItsNameAndAFreshWorkFile();
    void autoAddSwapsTheNameForTheEndId();
    void autoAddRegistersEachIdOfTheRange();
    void autoAddRefusesAFirstIdNotBelowTheLast_data();
    void autoAddRefusesAFirstIdNotBelowTheLast();
    void refusesIdsWithoutRecord_data();
    void refusesIdsWithoutRecord();
    void refusesAnEmptyNameButKeepsBlanks();
    void cutsALongName();
    void replacingARegisteredIdAsksFirst();
    void rangeOverRegisteredIdsAsksOnceAnsweredNo();
    void rangeOverRegisteredIdsAsksOnceAnsweredYes();
    void modifyRenamesOnlyTheCurrentId();
    void modifyRefusesAnEmptyName();
    void modifyOnAnIdWithoutRecord_data();
    void modifyOnAnIdWithoutRecord();
    void cancelStoresNothing();
    void relabelsFromTheLanguagePack();
};

void IdEditorTest::opensInAddModeWithLedAndTheFullLists()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    QCOMPARE(editor.dialog.windowTitle(), QStringLiteral("ID Editor"));
    QCOMPARE(editor.Name()->text(), QStringLiteral("LED"));
    for (QComboBox* list : {editor.IdList(), editor.LastIdList()}) {
        QCOMPARE(list->count(), 256);
        QCOMPARE(list->itemText(0), QStringLiteral("1"));
        QCOMPARE(list->itemText(255), QStringLiteral("256"));
        QCOMPARE(list->currentText(), QStringLiteral("1"));
        QVERIFY(list->isEditable());
    }
    QVERIFY(editor.IdList()->isEnabled());
    QVERIFY(editor.AutoAdd()->isVisible());
    QVERIFY(!editor.LastIdList()->isVisible());
    QVERIFY(!Control<QLabel>(&editor.dialog, CDialogID::kLastIdLabel)->isVisible());
}

void IdEditorTest::addsOneIdWithItsNameAndAFreshWorkFile()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    TypeInto(editor.IdList(), "5");
    TypeName(editor.Name(), "Hall");
    editor.Ok();

    QVERIFY(editor.Accepted());
    QVERIFY(rig.reporter.entries().empty());
    QCOMPARE(rig.store.records[5], (IdRecord{"Hall", 1, 1, 0}));
    QCOMPARE(ReadBytes(WorkFilePath(5)), DefaultProject());
    GroupStore reloaded;
    QVERIFY(reloaded.LoadIdList());
    QCOMPARE(reloaded.records[5].name, std::string("Hall"));
    QCOMPARE(reloaded.records[5].groups, 1u);
    for (int id : {4, 6}) QVERIFY(!fs::exists(WorkFilePath(id)));
}

void IdEditorTest::autoAddSwapsTheNameForTheEndId()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    QLabel* nameLabel = Control<QLabel>(&editor.dialog, CDialogID::kNameLabel);
    QLabel* lastLabel = Control<QLabel>(&editor.dialog, CDialogID::kLastIdLabel);
    QTest::mouseClick(editor.AutoAdd(), Qt::LeftButton);
    QVERIFY(editor.LastIdList()->isVisible() && lastLabel->isVisible());
    QVERIFY(!editor.Name()->isVisible() && !nameLabel->isVisible());
    QTest::mouseClick(editor.AutoAdd(), Qt::LeftButton);
    QVERIFY(!editor.LastIdList()->isVisible() && !lastLabel->isVisible());
    QVERIFY(editor.Name()->isVisible() && nameLabel->isVisible());
}

void IdEditorTest::autoAddRegistersEachIdOfTheRange()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    TypeName(editor.Name(), "not used by a range");
    editor.AddRange("5", "7");

    QVERIFY(editor.Accepted());
    QVERIFY(rig.reporter.entries().empty());
    for (int id = 5; id <= 7; ++id) {
        QCOMPARE(rig.store.records[id], (IdRecord{"LED", 1, 1, 0}));
        QCOMPARE(ReadBytes(WorkFilePath(id)), DefaultProject());
    }
    QCOMPARE(rig.store.records[4].groups, 0u);
    QCOMPARE(rig.store.records[8].groups, 0u);
    QVERIFY(!fs::exists(WorkFilePath(8)));
}

void IdEditorTest::autoAddRefusesAFirstIdNotBelowTheLast_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("equal") << "5" << "5";
    QTest::newRow("backwards") << "9" << "3";
}

void IdEditorTest::autoAddRefusesAFirstIdNotBelowTheLast()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    IdRig rig;
    Editor editor(rig, Mode::Add);
    editor.AddRange(first, last);

    QVERIFY(editor.dialog.isVisible());
    const auto entries = rig.reporter.entries();
    QCOMPARE(entries.size(), std::size_t{1});
    QCOMPARE(entries[0].text, std::string("ID2 > ID1 !"));
    QCOMPARE(entries[0].kind, MessageKind::Warning);
    QVERIFY(!fs::exists(rig.store.Path()));
    for (int id = 1; id <= 9; ++id) QCOMPARE(rig.store.records[id].groups, 0u);
    QVERIFY(fs::is_empty(rig.folder.WorkData()));
}

void IdEditorTest::refusesIdsWithoutRecord_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");  // empty: no Auto Add
    QTest::newRow("0") << "0" << "";
    QTest::newRow("256") << "256" << "";
    QTest::newRow("negative") << "-3" << "";
    QTest::newRow("not a number") << "abc" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("range from 0") << "0" << "4";
    QTest::newRow("range to 256") << "250" << "256";
    QTest::newRow("range to a non-number") << "3" << "x";
}

void IdEditorTest::refusesIdsWithoutRecord()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    IdRig rig;
    const IdRegistry before = rig.store;
    Editor editor(rig, Mode::Add);
    if (last.isEmpty()) {
        TypeInto(editor.IdList(), first);
        editor.Ok();
    } else {
        editor.AddRange(first, last);
    }

    QVERIFY(editor.dialog.isVisible());
    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"ID >=1 and ID <= 255!"});
    QVERIFY(rig.store.records == before.records);
    QVERIFY(!fs::exists(rig.store.Path()));
    QVERIFY(fs::is_empty(rig.folder.WorkData()));
}

void IdEditorTest::refusesAnEmptyNameButKeepsBlanks()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    TypeInto(editor.IdList(), "9");
    TypeName(editor.Name(), "");
    editor.Ok();
    QVERIFY(editor.dialog.isVisible());
    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"Name is empty!"});
    QCOMPARE(rig.store.records[9].groups, 0u);
    QVERIFY(!fs::exists(WorkFilePath(9)));

    TypeName(editor.Name(), "  ");
    editor.Ok();
    QVERIFY(editor.Accepted());
    QCOMPARE(rig.store.records[9].name, std::string("  "));
}

void IdEditorTest::cutsALongName()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    TypeInto(editor.IdList(), "3");
    editor.Name()->setText(QString(300, QLatin1Char('n')));  // a paste
    editor.Ok();
    QVERIFY(editor.Accepted());
    QCOMPARE(rig.store.records[3].name, std::string(255, 'n'));
}

void IdEditorTest::replacingARegisteredIdAsksFirst()
{
    IdRig rig;
    rig.store.records[6] = {"Door", 1 | 1 << 3, 1 << 3, 0};
    WriteBytes(WorkFilePath(6), {1, 2, 3});
    rig.reporter.SetAnswer(false);
    Editor editor(rig, Mode::Add);
    TypeInto(editor.IdList(), "6");
    TypeName(editor.Name(), "Hall");
    editor.Ok();

    const auto entries = rig.reporter.entries();
    QCOMPARE(entries.size(), std::size_t{1});
    QVERIFY(entries[0].question);
    QCOMPARE(entries[0].text, std::string("ID 6 already exists. Replace its name and program?"));
    QVERIFY(editor.dialog.isVisible());
    QCOMPARE(rig.store.records[6], (IdRecord{"Door", 1 | 1 << 3, 1 << 3, 0}));
    QCOMPARE(ReadBytes(WorkFilePath(6)), (Bytes{1, 2, 3}));
    QVERIFY(!fs::exists(rig.store.Path()));

    rig.reporter.SetAnswer(true);
    editor.Ok();
    QVERIFY(editor.Accepted());
    QCOMPARE(rig.store.records[6], (IdRecord{"Hall", 1, 1, 0}));
    QCOMPARE(ReadBytes(WorkFilePath(6)), DefaultProject());
}

void IdEditorTest::rangeOverRegisteredIdsAsksOnceAnsweredNo()
{
    IdRig rig;
    rig.store.records[6] = {"Door", 1, 1, 0};
    rig.store.records[8] = {"Gate", 1 << 2, 0, 0};
    WriteBytes(WorkFilePath(6), {6});
    WriteBytes(WorkFilePath(8), {8});
    const IdRegistry before = rig.store;
    rig.reporter.SetAnswer(false);
    Editor editor(rig, Mode::Add);
    editor.AddRange("5", "9");

    const auto entries = rig.reporter.entries();
    QCOMPARE(entries.size(), std::size_t{1});
    QVERIFY(entries[0].question);
    QCOMPARE(entries[0].text, std::string("IDs 6, 8 already exist. Replace their names and programs?"));
    QVERIFY(editor.dialog.isVisible());
    QVERIFY(rig.store.records == before.records);
    QCOMPARE(ReadBytes(WorkFilePath(6)), Bytes{6});
    QCOMPARE(ReadBytes(WorkFilePath(8)), Bytes{8});
    for (int id : {5, 7, 9}) QVERIFY(!fs::exists(WorkFilePath(id)));
    QVERIFY(!fs::exists(rig.store.Path()));
}

void IdEditorTest::rangeOverRegisteredIdsAsksOnceAnsweredYes()
{
    IdRig rig;
    rig.store.records[6] = {"Door", 1, 1, 0};
    rig.store.records[8] = {"Gate", 1 << 2, 0, 0};
    WriteBytes(WorkFilePath(6), {6});
    rig.reporter.SetAnswer(true);
    Editor editor(rig, Mode::Add);
    editor.AddRange("5", "9");

    QCOMPARE(rig.reporter.entries().size(), std::size_t{1});
    QVERIFY(editor.Accepted());
    for (int id = 5; id <= 9; ++id) {
        QCOMPARE(rig.store.records[id], (IdRecord{"LED", 1, 1, 0}));
        QCOMPARE(ReadBytes(WorkFilePath(id)), DefaultProject());
    }
}

void IdEditorTest::modifyRenamesOnlyTheCurrentId()
{
    IdRig rig;
    rig.store.records[12] = {"Old", 1 | 1 << 3, 1 << 3, 0};
    rig.store.records[13] = {"Next", 1, 1, 0};
    WriteBytes(WorkFilePath(12), {4, 2});
    Editor editor(rig, Mode::Modify, 12);
    QCOMPARE(editor.IdList()->currentText(), QStringLiteral("12"));
    QVERIFY(!editor.IdList()->isEnabled());
    QVERIFY(!editor.AutoAdd()->isVisible());
    QCOMPARE(editor.Name()->text(), QStringLiteral("Old"));

    TypeName(editor.Name(), "New");
    editor.Ok();
    QVERIFY(editor.Accepted());
    QCOMPARE(rig.store.records[12], (IdRecord{"New", 1 | 1 << 3, 1 << 3, 0}));
    QCOMPARE(rig.store.records[13], (IdRecord{"Next", 1, 1, 0}));
    QCOMPARE(ReadBytes(WorkFilePath(12)), (Bytes{4, 2}));
    GroupStore reloaded;
    QVERIFY(reloaded.LoadIdList());
    QCOMPARE(reloaded.records[12].name, std::string("New"));
}

void IdEditorTest::modifyRefusesAnEmptyName()
{
    IdRig rig;
    rig.store.records[12] = {"Old", 1, 1, 0};
    Editor editor(rig, Mode::Modify, 12);
    TypeName(editor.Name(), "");
    editor.Ok();
    QVERIFY(editor.dialog.isVisible());
    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"Name is emtpy!"});
    QCOMPARE(rig.store.records[12].name, std::string("Old"));
    QVERIFY(!fs::exists(rig.store.Path()));
}

void IdEditorTest::modifyOnAnIdWithoutRecord_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no current ID") << 0 << "";
    QTest::newRow("256") << 256 << "256";
    QTest::newRow("hand-edited 300") << 300 << "";
}

void IdEditorTest::modifyOnAnIdWithoutRecord()
{
    QFETCH(int, id);
    QFETCH(QString, shown);
    IdRig rig;
    Editor editor(rig, Mode::Modify, id);
    QCOMPARE(editor.IdList()->currentText(), shown);
    QCOMPARE(editor.Name()->text(), QString());
    TypeName(editor.Name(), "Name");
    editor.Ok();
    QVERIFY(editor.dialog.isVisible());
    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"ID >=1 and ID <= 255!"});
    QVERIFY(!fs::exists(rig.store.Path()));
}

void IdEditorTest::cancelStoresNothing()
{
    IdRig rig;
    Editor editor(rig, Mode::Add);
    TypeInto(editor.IdList(), "5");
    QTest::mouseClick(Control<QPushButton>(&editor.dialog, CDialogID::kCancel), Qt::LeftButton);
    QCOMPARE(editor.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(rig.store.records[5].groups, 0u);
    QVERIFY(!fs::exists(rig.store.Path()));
    QVERIFY(fs::is_empty(rig.folder.WorkData()));
}

void IdEditorTest::relabelsFromTheLanguagePack()
{
    RecordingReporter quiet;
    QVERIFY(ApplyLanguage(1, quiet));
    const auto pack = CurrentPack();
    IdRig rig;
    Editor editor(rig, Mode::Add);
    const QString title = QString::fromStdString(DialogTitle(*pack, 163));
    const QString autoAdd = QString::fromStdString(DialogControlText(*pack, 163, 20030));
    const QString name = QString::fromStdString(DialogControlText(*pack, 163, 1079));
    QVERIFY(!title.isEmpty() && title != QStringLiteral("ID Editor"));
    QCOMPARE(editor.dialog.windowTitle(), title);
    QCOMPARE(editor.AutoAdd()->text(), autoAdd);
    QCOMPARE(editor.AutoAdd()->toolTip(), autoAdd);
    QCOMPARE(Control<QLabel>(&editor.dialog, CDialogID::kNameLabel)->text(), name);
    // The packs have no text for the ID label: it keeps its own.
    QCOMPARE(Control<QLabel>(&editor.dialog, CDialogID::kIdLabel)->text(), QStringLiteral("ID"));
    QVERIFY(ApplyLanguage(3, quiet));
}

QTEST_MAIN(IdEditorTest)
#include "IdEditorTest.moc"
