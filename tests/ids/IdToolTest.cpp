// The ID read/set tool driven through its widgets on a fake link: the frames
// it writes, its timers, its messages and its range check.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "IdTestRig.h"
#include "ids/CDialogIDSet.h"

using namespace lumitag;
using namespace lumitag::ids;
using namespace lumitag::ids::test;

namespace {

struct Tool {
    explicit Tool(IdRig& rig) : dialog(rig.services) { dialog.show(); }
    QComboBox* OldId() { return Control<QComboBox>(&dialog, CDialogIDSet::kOldId); }
    QComboBox* NewId() { return Control<QComboBox>(&dialog, CDialogIDSet::kNewId); }
    QPushButton* Read() { return Control<QPushButton>(&dialog, CDialogIDSet::kRead); }
    QPushButton* Set() { return Control<QPushButton>(&dialog, CDialogIDSet::kSet); }
    QTimer* Timer(const char* name) { return dialog.findChild<QTimer*>(QString::fromLatin1(name)); }
    void Type(QComboBox* list, const QString& text)
    {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), text);
    }
    bool ControlsEnabled(bool enabled)
    {
        for (QWidget* w : {static_cast<QWidget*>(OldId()), static_cast<QWidget*>(NewId()),
                           static_cast<QWidget*>(Read()), static_cast<QWidget*>(Set())})
            if (w->isEnabled() != enabled) return false;
        return true;
    }
    // Lets a running timer fire now instead of after its wait.
    static void FireNow(QTimer* timer)
    {
        timer->start(0);
        QTRY_VERIFY(!timer->isActive());
    }
    CDialogIDSet dialog;
};

}  // namespace

class IdToolTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithBothListsOnTheFirstId();
    void readWritesTheRequestAndEndsWithReadFailed_data();
    void readWritesTheRequestAndEndsWithReadFailed();
    void setWritesTheChangeAndEndsWithSuccess_data();
    void setWritesTheChangeAndEndsWithSuccess();
    void setRefusesIdsOutsideTheFramesRange_data();
    void setRefusesIdsOutsideTheFramesRange();
    void withoutASignNothingHappens();
    void aFailedWriteIsNotCalledSuccess();
};

void IdToolTest::opensWithBothListsOnTheFirstId()
{
    IdRig rig;
    Tool tool(rig);
    QCOMPARE(tool.dialog.windowTitle(), QStringLiteral("ID modify "));
    for (QComboBox* list : {tool.OldId(), tool.NewId()}) {
        QCOMPARE(list->count(), 256);
        QCOMPARE(list->currentText(), QStringLiteral("1"));
    }
    QCOMPARE(tool.Read()->text(), QStringLiteral("Read"));
    QCOMPARE(tool.Read()->toolTip(), QStringLiteral("Read"));
    QVERIFY(tool.ControlsEnabled(true));
}

void IdToolTest::readWritesTheRequestAndEndsWithReadFailed_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("frame");
    QTest::newRow("bus model") << "Q26" << "7E 01 F2 00 00 00 7E";
    QTest::newRow("hello model") << "Q06" << "48 65 6C 96 6F";
}

void IdToolTest::readWritesTheRequestAndEndsWithReadFailed()
{
    QFETCH(QString, model);
    QFETCH(QString, frame);
    IdRig rig(model.toStdString());
    Tool tool(rig);
    tool.Type(tool.OldId(), "37");  // the request names no ID
    QTest::mouseClick(tool.Read(), Qt::LeftButton);

    QCOMPARE(rig.Payloads(), ReportsOf({Hex(frame.toStdString())}));
    QCOMPARE(rig.Payloads(), ReportsOf({IdReadRequestFrame(FindModel(model.toStdString())->protocol)}));
    QVERIFY(tool.ControlsEnabled(false));
    QTimer* timer = tool.Timer("readTimer");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 600);
    QVERIFY(rig.reporter.entries().empty());

    Tool::FireNow(timer);
    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"Read failed!"});
    QVERIFY(tool.ControlsEnabled(true));
    QCOMPARE(rig.Payloads().size(), std::size_t{1});
}

void IdToolTest::setWritesTheChangeAndEndsWithSuccess_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("oldId");
    QTest::addColumn<QString>("newId");
    QTest::addColumn<QString>("frame");
    QTest::newRow("bus 3 to 7") << "Q26" << "3" << "7" << "7E 03 1D 07 00 7E";
    QTest::newRow("hello 3 to 7") << "Q06" << "3" << "7" << "48 03 07 9A 6F";
    QTest::newRow("letters after digits") << "Q06" << "12ab" << "256" << "48 0C 00 9A 6F";
}

void IdToolTest::setWritesTheChangeAndEndsWithSuccess()
{
    QFETCH(QString, model);
    QFETCH(QString, oldId);
    QFETCH(QString, newId);
    QFETCH(QString, frame);
    IdRig rig(model.toStdString());
    Tool tool(rig);
    tool.Type(tool.OldId(), oldId);
    tool.Type(tool.NewId(), newId);
    QTest::mouseClick(tool.Set(), Qt::LeftButton);

    QCOMPARE(rig.Payloads(), ReportsOf({Hex(frame.toStdString())}));
    QVERIFY(tool.ControlsEnabled(false));
    QTimer* timer = tool.Timer("setTimer");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 350);
    QVERIFY(rig.reporter.entries().empty());

    Tool::FireNow(timer);
    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"Success!"});
    QVERIFY(tool.ControlsEnabled(true));
}

void IdToolTest::setRefusesIdsOutsideTheFramesRange_data()
{
    QTest::addColumn<QString>("oldId");
    QTest::addColumn<QString>("newId");
    QTest::newRow("old 0") << "0" << "7";
    QTest::newRow("new 300") << "3" << "300";
    QTest::newRow("old 257") << "257" << "1";
    QTest::newRow("old not a number") << "abc" << "5";
    QTest::newRow("new negative") << "4" << "-4";
}

void IdToolTest::setRefusesIdsOutsideTheFramesRange()
{
    QFETCH(QString, oldId);
    QFETCH(QString, newId);
    IdRig rig;
    Tool tool(rig);
    tool.Type(tool.OldId(), oldId);
    tool.Type(tool.NewId(), newId);
    QTest::mouseClick(tool.Set(), Qt::LeftButton);

    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"ID >=1 and ID <= 256!"});
    QVERIFY(rig.Payloads().empty());
    QVERIFY(!tool.Timer("setTimer")->isActive());
    QVERIFY(tool.ControlsEnabled(true));
}

void IdToolTest::withoutASignNothingHappens()
{
    IdRig rig("Q26", false);
    Tool tool(rig);
    tool.Type(tool.OldId(), "0");  // not even the range is checked
    QTest::mouseClick(tool.Read(), Qt::LeftButton);
    QTest::mouseClick(tool.Set(), Qt::LeftButton);
    QVERIFY(rig.reporter.entries().empty());
    QCOMPARE(rig.backend.WriteCount(), 0LL);
    QVERIFY(!tool.Timer("readTimer")->isActive());
    QVERIFY(!tool.Timer("setTimer")->isActive());
    QVERIFY(tool.ControlsEnabled(true));
}

void IdToolTest::aFailedWriteIsNotCalledSuccess()
{
    IdRig rig("Q26");
    rig.backend.FailWrite(0);
    Tool tool(rig);
    tool.Type(tool.OldId(), "3");
    tool.Type(tool.NewId(), "7");
    QTest::mouseClick(tool.Set(), Qt::LeftButton);

    QCOMPARE(rig.reporter.texts(), std::vector<std::string>{"usb write error!"});
    QVERIFY(!tool.Timer("setTimer")->isActive());
    QVERIFY(tool.ControlsEnabled(true));
}

QTEST_MAIN(IdToolTest)
#include "IdToolTest.moc"
