// Commands of the main window and the jobs they start: send (to a sign, to
// a file, to a series of IDs), clock, scan, group send, model, device and
// RS-485 choice, device arrival and removal, and the job follow-up.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QAction>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "app/Art.h"
#include "app/Boxes.h"
#include "app/CWaitDlg.h"
#include "app/CLumitagv11Dlg.h"
#include "app/PreviewWidget.h"
#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "model/DeviceCatalogue.h"
#include "model/ProgramFolder.h"
#include "model/WorkFiles.h"
#include "render/SlotImageBuilder.h"
#include "render/WordLimit.h"

namespace lumitag::app {

namespace {

std::string Pick(const InlineTable& table) { return std::string(PickText(table, CurrentLanguage())); }

// The error box text of a job result code; "" for none.
std::string JobErrorText(int code)
{
    switch (code) {
    case 1: return std::string(fixed_texts::kOpenComFailure);
    case 2: return std::string(fixed_texts::kCloseComFailure);
    case 3: return std::string(fixed_texts::kSendFailure);
    case 4: return std::string(fixed_texts::kReadFailure);
    default: return {};
    }
}

std::string Format(std::string_view format, int number)
{
    std::string text(format);
    const auto at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
    return text;
}

}  // namespace

// ---- Send ----

void CLumitagv11Dlg::Send()
{
    if (!idle_ || !session_.Link().IsConnected()) return;
    if (!mode485_->isChecked()) {
        StartJob(nullptr);
        return;
    }
    seriesIds_.clear();
    for (int id = kFirstId; id <= kLastId; ++id)
        if (session_.Groups().IsSelectedForSend(id)) seriesIds_.push_back(id);
    if (seriesIds_.empty()) {
        ShowBox(session_.Boxes(), BoxIcon::Warning, std::string(fixed_texts::kWarning), Pick(kNoIdSelected));
        return;
    }
    seriesPosition_ = 0;
    if (!waitDialog_) {
        waitDialog_ = new CWaitDlg(this);
        connect(waitDialog_, &CWaitDlg::stopRequested, this, [this] { StopSeries(); });
    }
    waitDialog_->show();
    waitDialog_->SetRange(SeriesCount());
    UpdateSeriesText();
    SendSeriesId();
}

void CLumitagv11Dlg::UpdateSeriesText()
{
    if (!waitDialog_ || seriesPosition_ >= SeriesCount()) return;
    waitDialog_->SetText(QString::fromStdString(MultiSendText(
        CurrentLanguage(), seriesIds_[seriesPosition_], SeriesCount(), SeriesCount() - seriesPosition_)));
}

void CLumitagv11Dlg::SendSeriesId()
{
    const int id = seriesIds_.at(seriesPosition_);
    session_.Worker().SetSignId(id);
    session_.Files().LoadIdProgram(id);
    RefreshPreviews();
    RefreshRows();
    StartJob(nullptr);
}

bool CLumitagv11Dlg::BuildSendData()
{
    session_.Program().SaveParams();
    std::array<CImageWnd*, kSlotCount> windows{};
    for (int slot = 0; slot < kSlotCount; ++slot) windows[slot] = &rows_[slot].preview->Window();
    SlotImageBuilder(session_.Model(), session_.Worker().Settings(), session_.Program().Params(), windows,
                     session_.Tables());
    return true;
}

bool CLumitagv11Dlg::PassWordLimit(bool toFile)
{
    const int over = ApplyWordLimit(session_.Model(), session_.Program().Params(), session_.Tables());
    if (over <= 0) return true;
    const std::string question =
        WordLimitText(toFile ? kWordLimitFile : kWordLimitSend, CurrentLanguage(), OverLimitWords(over));
    return AskBox(session_.Boxes(), BoxIcon::Question, std::string(fixed_texts::kInformation), question);
}

void CLumitagv11Dlg::StartJob(std::unique_ptr<std::ostream> toFile)
{
    const bool writingFile = toFile != nullptr;
    BuildSendData();
    if (!PassWordLimit(writingFile)) {
        // A declined question ends a series as well: nothing more is sent.
        if (!seriesIds_.empty()) {
            seriesPosition_ = SeriesCount();
            OnSendFinished();
        }
        return;
    }
    if (session_.Worker().StartSend(session_.Program().Params(), session_.Tables(), std::move(toFile)) !=
        JobResult::Success)
        return;  // another job still runs
    JobStarted();
}

void CLumitagv11Dlg::JobStarted()
{
    idle_ = false;
    progressTarget_ = 0;
    UpdateCommandStates();
    TimerFor(kTimerProgress).start();
}

void CLumitagv11Dlg::WriteToFile()
{
    if (!idle_ || !hooks_.chooseOutputFile) return;
    const auto chosen = hooks_.chooseOutputFile();
    if (!chosen) return;
    auto file = std::make_unique<std::ofstream>(chosen->toStdString(), std::ios::binary | std::ios::trunc);
    if (!*file) {
        const int error = errno;
        std::string text = Format(fixed_texts::kWriteProtectedFormat, error);
        const auto at = text.find("%s");
        if (at != std::string::npos) text.replace(at, 2, chosen->toStdString());
        ShowBox(session_.Boxes(), BoxIcon::Warning, std::string(fixed_texts::kCannotWrite), text);
        return;
    }
    seriesIds_.clear();
    StartJob(std::move(file));
}

// ---- Clock, scan, group send, picture editor ----

void CLumitagv11Dlg::CheckTime()
{
    if (!session_.Link().IsConnected()) return;
    if (session_.Worker().SendClock()) TimerFor(kTimerClock).start();
}

void CLumitagv11Dlg::Scan()
{
    if (!idle_) return;
    if (!session_.Link().IsConnected()) {
        ShowBox(session_.Boxes(), BoxIcon::Warning, "", Pick(kConnectDevice));
        return;
    }
    session_.Groups().StartScan();
    if (session_.Worker().StartScan() != JobResult::Success) return;
    scanDisplay_ = true;
    JobStarted();
}

void CLumitagv11Dlg::GroupSend()
{
    if (!idle_ || !busModel_) return;
    BuildSendData();
    if (hooks_.openGroupSend) hooks_.openGroupSend();
}

void CLumitagv11Dlg::StartGroupJob(std::vector<int> signIds, GroupMode mode)
{
    if (!idle_ || !PassWordLimit(false)) return;
    if (session_.Worker().StartGroup(std::move(signIds), mode, session_.Program().Params(), session_.Tables()) !=
        JobResult::Success)
        return;
    JobStarted();
}

void CLumitagv11Dlg::RunImageEditor()
{
    const QString folder = QString::fromStdString(ProgramFolder().string());
    const QString program = QDir(folder).filePath(QStringLiteral("Tools/imagedit"));
    if (!hooks_.startDetached || !hooks_.startDetached(program, folder))
        ShowBox(session_.Boxes(), BoxIcon::None, std::string(fixed_texts::kError),
                std::string(fixed_texts::kCannotRunImageEditor));
}

// ---- Model, device, RS-485 ----

void CLumitagv11Dlg::ChooseModel(const QString& model)
{
    const auto change = session_.Files().ChangeModel(model.toStdString());
    if (change == ProgramFiles::ModelChange::Unchanged) return;
    ApplyModelToRows();
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::FillDeviceSelector()
{
    const QSignalBlocker block(deviceSelector_);
    deviceSelector_->clear();
    const auto devices = session_.Link().Devices();
    const std::string current = session_.Link().CurrentPath();
    int selected = 0;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        deviceSelector_->addItem(QStringLiteral("Lumitag"));
        if (devices[i] == current) selected = static_cast<int>(i);
    }
    deviceSelector_->setCurrentIndex(devices.empty() ? -1 : selected);
}

void CLumitagv11Dlg::ChooseDevice(int position)
{
    const auto devices = session_.Link().Devices();
    if (position < 0 || position >= static_cast<int>(devices.size())) {
        ShowConnection(false);
        return;
    }
    ShowConnection(session_.Link().Open(devices[static_cast<std::size_t>(position)]));
}

void CLumitagv11Dlg::ShowConnection(bool connected)
{
    const int side = fontMetrics().height() + 4;
    connection_->setPixmap(ArtPixmap(connected ? QStringLiteral("connected") : QStringLiteral("disconnected"),
                                     QSize(side * 2, side)));
    connection_->setToolTip(connected ? QStringLiteral("Lumitag") : QString());
}

void CLumitagv11Dlg::SetMode485(bool on)
{
    session_.Worker().SetIdMode(on);
    session_.Settings().SetMode485(on ? 1 : 0);
}

void CLumitagv11Dlg::OnDeviceEvent(const HidEvent& event)
{
    HidLink& link = session_.Link();
    if (event.kind == HidEvent::Kind::Arrival) {
        switch (link.DeviceArrived(event.path)) {
        case DeviceChange::Ignored: return;
        case DeviceChange::OpenedNewest: {
            // The new sign is current; the selector keeps its selection.
            const QSignalBlocker block(deviceSelector_);
            deviceSelector_->addItem(QStringLiteral("Lumitag"));
            break;
        }
        default: FillDeviceSelector(); break;
        }
    } else {
        if (link.DeviceRemoved(event.path) == DeviceChange::Ignored) return;
        FillDeviceSelector();
    }
    ShowConnection(link.IsConnected());
}

// ---- Job follow-up ----

void CLumitagv11Dlg::UpdateCommandStates()
{
    // No job may start while one runs: Send, Scan and Group Send wait for it.
    sendButton_->setEnabled(idle_ && !TimerFor(kTimerEnableSend).isActive());
    scanButton_->setEnabled(idle_ && !TimerFor(kTimerEnableSend).isActive());
    Action(ids::kToolSend)->setEnabled(idle_);
    Action(ids::kToolGroupSend)->setEnabled(idle_ && busModel_);
}

void CLumitagv11Dlg::OnProgress(int percent, int code, bool done)
{
    progressTarget_ = percent;
    if (!done) return;
    FinishJob(percent);
    // A job that failed never reads "OK!": the pane shows what went wrong.
    const std::string error = JobErrorText(code);
    SetStatus(2, error.empty() ? QString::fromStdString(std::string(fixed_texts::kOk)) : QString::fromStdString(error));
    if (!error.empty()) ShowBox(session_.Boxes(), BoxIcon::None, std::string(fixed_texts::kError), error);
}

void CLumitagv11Dlg::OnScanProgress(int percent, bool end)
{
    progressTarget_ = percent;
    progress_->setValue(std::clamp(percent, 0, 100));
    if (!end) return;
    FinishJob(percent);
    SetStatus(2, QString::fromStdString(std::string(fixed_texts::kOk)));
}

void CLumitagv11Dlg::FinishJob(int percent)
{
    TimerFor(kTimerProgress).stop();
    progress_->setValue(std::clamp(percent, 0, 100));
    SetStatus(3, QString::fromStdString(std::string(fixed_texts::kHundredPercent)));
    idle_ = true;
    TimerFor(kTimerEnableSend).start();
    progressTarget_ = 0;
    UpdateCommandStates();
}

void CLumitagv11Dlg::OnGroupResult(int succeeded, int count)
{
    ShowBox(session_.Boxes(), BoxIcon::Error, kProductCaption, Format(fixed_texts::kSendFailedFormat, count - succeeded));
}

void CLumitagv11Dlg::OnScanFinished()
{
    FillIdList();
    scanDisplay_ = false;
}

void CLumitagv11Dlg::OnSendFinished()
{
    ++seriesPosition_;
    if (waitDialog_) waitDialog_->SetPosition(seriesPosition_);
    if (seriesPosition_ < SeriesCount()) {
        UpdateSeriesText();
        SendSeriesId();
        return;
    }
    seriesIds_.clear();
    seriesPosition_ = 0;
    ReloadCurrentProgram();
    if (waitDialog_) waitDialog_->close();
}

void CLumitagv11Dlg::ReloadCurrentProgram()
{
    session_.Worker().SetSignId(session_.Settings().GetNowSelID());
    session_.Files().ReloadCurrent();
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::OnTimer(int id)
{
    TimerFor(id).stop();
    switch (id) {
    case kTimerEnableSend:
        UpdateCommandStates();
        SetStatus(2, QString());
        SetStatus(3, QString());
        progress_->setValue(0);
        break;
    case kTimerProgress: {
        TimerFor(id).start();
        const int position = progress_->value();
        if (position < progressTarget_) {
            progress_->setValue(position + (progressTarget_ - position) / 4);
            SetStatus(3, QStringLiteral("%1%").arg(progress_->value()));
        }
        break;
    }
    case kTimerClock:
        if (session_.Worker().FrameDone())
            ShowBox(session_.Boxes(), BoxIcon::None, "", Pick(kClockSetOk));
        else
            ShowBox(session_.Boxes(), BoxIcon::Error, std::string(fixed_texts::kError),
                    std::string(fixed_texts::kCheckTimeError));
        break;
    case kTimerFillIds: FillIdList(); break;
    case kTimerSaveIds: session_.Groups().SaveIdList(); break;
    case kTimerFirstDevice: ChooseDevice(0); break;
    default: break;
    }
}

}  // namespace lumitag::app
