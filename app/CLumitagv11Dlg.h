#pragma once
// The main window: ten slot rows with live previews, the model, device and
// RS-485 selectors, the commands, the sign ID list, the progress bar and the
// status bar. It shows the session's state and calls the core; jobs run on
// the send worker's thread and report back through queued signals.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CWaitDlg.h"
#include "app/DialogHooks.h"
#include "link/HidMonitor.h"
#include "service/Devices.h"
#include "service/ProgramCommands.h"
#include "service/Sending.h"
#include "service/Session.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSocketNotifier;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumitag::app {


class PreviewPlayback;
class PreviewWidget;
class WorkerEvents;

// Identifiers of the main window (dialog 102) and its commands.
namespace ids {
inline constexpr int kDialog = 102;
inline constexpr int kSpeed = 20000, kTime = 20010, kSend = 20030, kMarquee = 20040, kArabic = 20050,
                     kPreview = 20060, kEditButton = 20070, kEffectButton = 20080, kBlink = 20170;
inline constexpr int kMenuBase = 20090;  // row menu command = 20090 + stored value
inline constexpr int kHeadPreview = 1050, kHeadEdit = 1079, kHeadEffect = 1080, kHeadSpeed = 1081,
                     kHeadTime = 1082, kHeadMarquee = 1083, kHeadVertical = 1084, kHeadBlink = 1085,
                     kHeadSend = 1093;
inline constexpr int kAdd = 1054, kModify = 1094, kDel = 1095, kScan = 1100, kIdTree = 1017;
inline constexpr int kSendButton = 1096, kCheckTime = 1098, kBmpEditor = 1065, kToFile = 1099;
inline constexpr int kModelLabel = 1112, kModelSelector = 20021, kDeviceSelector = 20020, kMode485 = 1110,
                     kProgress = 1097, kConnection = 1111;
inline constexpr int kFileNew = 57600, kFileOpen = 57601, kFileSave = 57603, kFileExit = 32786,
                     kModifyId = 32832, kToolCheckTime = 32836, kToolSend = 32837, kToolGroupSend = 32839,
                     kHelpAbout = 32849;
inline constexpr int kCopyProgram = 2024, kPasteProgram = 2025;
}  // namespace ids

struct WindowOptions {
    // Watch udev for signs coming and going (tests drive OnDeviceEvent).
    bool watchDevices = true;
    // Ask before File -> Exit closes the window.
    bool askOnExit = true;
};

class CLumitagv11Dlg : public QMainWindow {
    Q_OBJECT
public:
    CLumitagv11Dlg(service::Session& session, DialogHooks hooks, WindowOptions options = {}, QWidget* parent = nullptr);
    ~CLumitagv11Dlg() override;
    void SetDialogHooks(DialogHooks hooks) { hooks_ = std::move(hooks); }

    // Timers of the window, by the number the program has always used.
    enum Timer { kTimerEnableSend = 1, kTimerProgress = 2, kTimerClock = 3, kTimerFillIds = 10,
                 kTimerSaveIds = 11, kTimerFirstDevice = 999 };
    QTimer& TimerFor(int id);
    // What the timer does when it fires.
    void OnTimer(int id);

    // Commands (menus and buttons call these).
    void Send();
    void WriteToFile();
    void CheckTime();
    void Scan();
    void GroupSend();
    void RunImageEditor();
    // Starts a group job over `signIds`, the send data built by GroupSend.
    void StartGroupJob(std::vector<int> signIds, GroupMode mode);
    void ChooseModel(const QString& model);
    void ChooseDevice(int position);
    void SetMode485(bool on);
    void ChooseLanguage(int index);
    void ApplyLanguage(int index);
    void ChooseRowMenuItem(int slot, bool editMenu, int command);
    void EditFromPreview(int slot);
    void FileNew();
    void FileOpen();
    void FileSave();
    void FileExit();
    void About();

    // Device arrival and removal, as the udev monitor reports them.
    void OnDeviceEvent(const HidEvent& event);

    // The ID list.
    void FillIdList();
    void SelectIdItem(QTreeWidgetItem* item);
    void ToggleIdCheck(QTreeWidgetItem* item);
    void CopyProgram(int id);
    void PasteProgram(int id);
    void AddIds();
    void ModifyId();
    void DeleteId();

    // Rows.
    void ApplyModelToRows();
    void RefreshRows();
    void RefreshPreviews();

    // State, for the status display and tests.
    bool Idle() const { return idle_; }
    QString StatusText(int pane) const;
    PreviewWidget* Preview(int slot) const;
    // The previews playing their effects: the View menu's and toolbar's toggle.
    PreviewPlayback* Playback() const { return playback_; }
    QAction* PlayAction() const { return playAction_; }
    QTreeWidget* IdTree() const { return idTree_; }
    CWaitDlg* WaitDialog() const { return waitDialog_; }
    QAction* Action(int command) const;
    QMenu* LanguageMenu() const { return languageMenu_; }
    QMenu* RowMenu(int slot, bool editMenu) const;
    const service::MultiIdSend& Series() const { return series_; }
    // Ends an RS-485 series after the ID being sent (the progress dialog's OK).
    void StopSeries() { series_.Stop(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Row {
        PreviewWidget* preview = nullptr;
        QToolButton* edit = nullptr;
        QToolButton* effect = nullptr;
        QMenu* editMenu = nullptr;
        QMenu* effectMenu = nullptr;
        QComboBox* speed = nullptr;
        QComboBox* time = nullptr;
        QCheckBox* blink = nullptr;
        QCheckBox* marquee = nullptr;
        QCheckBox* send = nullptr;
        QCheckBox* arabic = nullptr;
        std::vector<QWidget*> widgets;  // every control of the row
    };

    // Construction.
    void BuildMenus();
    QWidget* BuildTopBar();
    QWidget* BuildIdPanel();
    QWidget* BuildRows();
    QWidget* BuildBottomBar();
    void BuildStatusBar();
    void ConnectWorker();
    void Initialise();
    void StartWatchingDevices();
    void FillDeviceSelector();
    // Follows an arrival or removal the link has applied.
    void ShowDeviceChange(DeviceChange change);
    void FillModelSelector();
    void FillRowMenus();
    void RelabelMenus();
    // Relabels everything for language `index`, its pack already current.
    void Relabel(int index);
    void UpdateRowEnabling(int slot);
    void UpdateLayoutFlag(int slot);
    void SetRowFlag(int slot, SlotField field, bool checked);
    void ShowConnection(bool connected);
    void UpdateCommandStates();
    void SetStatus(int pane, const QString& text);

    // Jobs.
    // Shows a failed service call as the program's box; true when it worked.
    bool Check(const service::Status& status, const char* caption);
    void JobStarted();
    void UpdateSeriesText();
    void OnProgress(int percent, int code, bool done);
    void OnScanProgress(int percent, bool end);
    void OnGroupResult(int succeeded, int count);
    void OnScanFinished();
    void OnSendFinished();
    void FinishJob(int percent);
    void ReloadCurrentProgram();

    service::Session& session_;
    service::Sending sending_;
    service::MultiIdSend series_;
    service::Devices devices_;
    service::ProgramCommands commands_;
    DialogHooks hooks_;
    WindowOptions options_;
    WorkerEvents* events_;
    std::array<Row, kSlotCount> rows_;
    std::map<int, QTimer*> timers_;
    std::map<int, QAction*> actions_;
    QMenu* languageMenu_ = nullptr;
    std::vector<QMenu*> topMenus_;
    // Playing previews: built last, started as the settings remember.
    void BuildPlayback();
    void SetPreviewsPlaying(bool on);
    PreviewPlayback* playback_ = nullptr;
    QAction* playAction_ = nullptr;
    QComboBox* modelSelector_ = nullptr;
    QComboBox* deviceSelector_ = nullptr;
    QLabel* connection_ = nullptr;
    QCheckBox* mode485_ = nullptr;
    QPushButton* checkTime_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* scanButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTreeWidget* idTree_ = nullptr;
    std::array<QLabel*, 4> panes_{};
    QPointer<CWaitDlg> waitDialog_;
    QSocketNotifier* deviceNotifier_ = nullptr;

    bool idle_ = true;
    int progressTarget_ = 0;
    bool scanDisplay_ = false;
    bool idListReady_ = false;
    bool hasClock_ = false;
    bool busModel_ = false;
    bool fileSend_ = false;  // the running job writes a file
    int lastJobCode_ = 0;
    int contextTarget_ = 0;
};

}  // namespace lumitag::app
