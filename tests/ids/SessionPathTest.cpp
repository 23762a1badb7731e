// The ID dialogs as the program runs them: over a session (SessionIdServices)
// on a fake link, so the registry changes, the ID tool's frames and the group
// job go through the service layer.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "IdTestRig.h"
#include "ids/CDialogGroup.h"
#include "ids/CDialogID.h"
#include "ids/CDialogIDSet.h"
#include "ids/SessionIdServices.h"
#include "model/DefaultProjects.h"
#include "model/DeviceCatalogue.h"
#include "model/WorkFiles.h"
#include "service/Sending.h"
#include "service/Session.h"

using namespace lumitag;
using namespace lumitag::ids;
using namespace lumitag::ids::test;
using lumitag::testing::ReadBytes;
using lumitag::testing::WriteBytes;
using lumitag::testing::WriteUtf16File;
namespace fs = std::filesystem;

namespace {

struct SessionRig {
    explicit SessionRig(const std::string& model = "Q26")
    {
        WriteUtf16File(folder.WorkData() / "System.set",
                       "[Setting]\r\nLedType=" + model +
                           "\r\n[LEDData]\r\nNowSelID=1\r\nLEDID_Num=2\r\nLEDID_Str=   4   9\r\n");
        service::SessionOptions options;
        options.programFolder = folder.Folder();
        options.backend = &backend;
        options.sleeper = &clock;
        options.frameLog = false;
        session = std::make_unique<service::Session>(reporter, options);
        backend.Plug(kSignPath);
        session->Link().Enumerate();
        session->Link().Open(kSignPath);
        services = std::make_unique<SessionIdServices>(*session);
    }
    ~SessionRig()
    {
        services.reset();
        session.reset();
    }
    std::vector<Bytes> Payloads() const
    {
        std::vector<Bytes> out;
        for (const auto& report : backend.Reports()) out.emplace_back(report.bytes.begin() + 1, report.bytes.end());
        return out;
    }

    lumitag::testing::TempProgramFolder folder;
    VirtualClock clock;
    RecordingReporter reporter;
    FakeHidBackend backend{&clock};
    std::unique_ptr<service::Session> session;
    std::unique_ptr<SessionIdServices> services;
};

void Type(QComboBox* list, const QString& text)
{
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), text);
}

}  // namespace

class SessionPathTest : public QObject {
    Q_OBJECT
private slots:
    void addAndRangeWriteTheSessionsRegistry();
    void renameThroughTheSession();
    void idToolWritesThroughTheSession();
    void powerJobThroughTheSessionReenablesTheButtons();
    void groupSendSendsThePreparedProgram();
    void groupJobOnAModelWithoutBusIsRefusedAloud();
};

void SessionPathTest::addAndRangeWriteTheSessionsRegistry()
{
    SessionRig rig;
    rig.session->Ids().records[6] = {"Door", 1, 1, 0};
    WriteBytes(WorkFilePath(6), {6});
    const auto project = DefaultProjectBytes(DefaultProjectResource("Q26"));
    {
        CDialogID dialog(*rig.services, CDialogID::Mode::Add, 0);
        dialog.show();
        Type(Control<QComboBox>(&dialog, CDialogID::kIdList), "3");
        Control<QLineEdit>(&dialog, CDialogID::kName)->setText("Hall");
        QTest::mouseClick(Control<QPushButton>(&dialog, CDialogID::kOk), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    {
        rig.reporter.SetAnswer(false);
        CDialogID dialog(*rig.services, CDialogID::Mode::Add, 0);
        dialog.show();
        QTest::mouseClick(Control<QCheckBox>(&dialog, CDialogID::kAutoAdd), Qt::LeftButton);
        Type(Control<QComboBox>(&dialog, CDialogID::kIdList), "5");
        Type(Control<QComboBox>(&dialog, CDialogID::kLastIdList), "7");
        QTest::mouseClick(Control<QPushButton>(&dialog, CDialogID::kOk), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(ReadBytes(WorkFilePath(6)), Bytes{6});
        rig.reporter.SetAnswer(true);
        QTest::mouseClick(Control<QPushButton>(&dialog, CDialogID::kOk), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(rig.reporter.texts(),
             (std::vector<std::string>{"ID 6 already exists. Replace its name and program?",
                                       "ID 6 already exists. Replace its name and program?"}));
    GroupStore reloaded;
    QVERIFY(reloaded.LoadIdList());
    QCOMPARE(reloaded.records[3], (IdRecord{"Hall", 1, 1, 0}));
    for (int id = 5; id <= 7; ++id) {
        QCOMPARE(reloaded.records[id], (IdRecord{"LED", 1, 1, 0}));
        QCOMPARE(ReadBytes(WorkFilePath(id)), Bytes(project.begin(), project.end()));
    }
}

void SessionPathTest::renameThroughTheSession()
{
    SessionRig rig;
    rig.session->Ids().records[9] = {"Old", 1 | 1 << 2, 1, 0};
    CDialogID dialog(*rig.services, CDialogID::Mode::Modify, 9);
    dialog.show();
    QCOMPARE(Control<QLineEdit>(&dialog, CDialogID::kName)->text(), QStringLiteral("Old"));
    Control<QLineEdit>(&dialog, CDialogID::kName)->setText("New");
    QTest::mouseClick(Control<QPushButton>(&dialog, CDialogID::kOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    GroupStore reloaded;
    QVERIFY(reloaded.LoadIdList());
    QCOMPARE(reloaded.records[9], (IdRecord{"New", 1 | 1 << 2, 1, 0}));
}

void SessionPathTest::idToolWritesThroughTheSession()
{
    SessionRig rig;
    CDialogIDSet tool(*rig.services);
    tool.show();
    QTest::mouseClick(Control<QPushButton>(&tool, CDialogIDSet::kRead), Qt::LeftButton);
    auto* readTimer = tool.findChild<QTimer*>("readTimer");
    readTimer->start(0);
    QTRY_VERIFY(!readTimer->isActive());
    Type(Control<QComboBox>(&tool, CDialogIDSet::kOldId), "3");
    Type(Control<QComboBox>(&tool, CDialogIDSet::kNewId), "7");
    QTest::mouseClick(Control<QPushButton>(&tool, CDialogIDSet::kSet), Qt::LeftButton);
    auto* setTimer = tool.findChild<QTimer*>("setTimer");
    QVERIFY(setTimer->isActive());
    setTimer->start(0);
    QTRY_VERIFY(!setTimer->isActive());

    QCOMPARE(rig.Payloads(), ReportsOf({Hex("7E 01 F2 00 00 00 7E"), Hex("7E 03 1D 07 00 7E")}));
    QCOMPARE(rig.reporter.texts(), (std::vector<std::string>{"Read failed!", "Success!"}));
}

void SessionPathTest::powerJobThroughTheSessionReenablesTheButtons()
{
    SessionRig rig;
    CDialogGroup group(*rig.services);
    group.show();
    auto* powerOff = Control<QPushButton>(&group, CDialogGroup::kPowerOff);
    QTest::mouseClick(powerOff, Qt::LeftButton);
    rig.session->Worker().Wait();
    QTRY_VERIFY(powerOff->isEnabled());
    QCOMPARE(rig.Payloads(), ReportsOf({Hex("7E 04 CF 01 D1 7E"), Hex("7E 09 CF 01 D1 7E")}));
}

void SessionPathTest::groupSendSendsThePreparedProgram()
{
    SessionRig rig;
    QVERIFY(rig.session->LoadCurrentProgram().ok());
    auto expected = service::Sending(*rig.session).PrepareForGroup();
    QVERIFY(expected.ok());
    CDialogGroup group(*rig.services);
    group.show();
    auto* sendAll = Control<QPushButton>(&group, CDialogGroup::kSendAll);
    QTest::mouseClick(sendAll, Qt::LeftButton);
    rig.session->Worker().Wait();
    QTRY_VERIFY(sendAll->isEnabled());

    std::vector<Bytes> frames;
    for (int id : {4, 9}) {
        LinkTarget target;
        ApplyModel(target.model, "Q26");
        target.signId = id;
        for (const auto& step : BuildBusSend(target, expected->params, expected->tables).steps)
            if (!step.bytes.empty()) frames.push_back(step.bytes);
    }
    QCOMPARE(rig.Payloads(), ReportsOf(frames));
}

void SessionPathTest::groupJobOnAModelWithoutBusIsRefusedAloud()
{
    SessionRig rig("Q06");
    CDialogGroup group(*rig.services);
    group.show();
    auto* powerOn = Control<QPushButton>(&group, CDialogGroup::kPowerOn);
    QTest::mouseClick(powerOn, Qt::LeftButton);
    QVERIFY(powerOn->isEnabled());
    QCOMPARE(rig.backend.WriteCount(), 0LL);
    const auto entries = rig.reporter.entries();
    QCOMPARE(entries.size(), std::size_t{1});
    QCOMPARE(entries[0].kind, MessageKind::Error);
    QVERIFY(QString::fromStdString(entries[0].text).contains("no bus model"));
}

QTEST_MAIN(SessionPathTest)
#include "SessionPathTest.moc"
