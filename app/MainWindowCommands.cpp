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
#include "link/WordLimit.h"

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

bool CLumitagv11Dlg::Check(const service::Status& status, const char* caption)
{
    if (status.ok()) return true;
    switch (status.code()) {
    case service::ErrorCode::WordLimitDeclined:
    case service::ErrorCode::PictureDeclined:
    case service::ErrorCode::Busy:
        break;  // the user said no, or a job runs: nothing to tell
    case service::ErrorCode::NothingSelected:
        ShowBox(session_.reporter(), BoxIcon::Warning, std::string(fixed_texts::kWarning), status.message());
        break;
    default:
        ShowBox(session_.reporter(), BoxIcon::Warning, caption, status.message());
        break;
    }
    return false;
}

void CLumitagv11Dlg::Send()
{
    if (!idle_ || !session_.Link().IsConnected()) return;
    fileSend_ = false;
    if (!mode485_->isChecked()) {
        auto data = sending_.Prepare(service::SendTarget::Device);
        if (!Check(data.status(), "") || !Check(sending_.StartSend(*data), "")) return;
        JobStarted();
        return;
    }
    // The series loads each ID's program in turn: the rows follow it.
    const service::Status started = series_.Start();
    if (!series_.Running()) {
        Check(started, "");
        ReloadCurrentProgram();
        return;
    }
    JobStarted();
    if (!waitDialog_) {
        waitDialog_ = new CWaitDlg(this);
        connect(waitDialog_, &CWaitDlg::stopRequested, this, [this] { StopSeries(); });
    }
    waitDialog_->show();
    waitDialog_->SetRange(series_.Count());
    waitDialog_->SetPosition(0);
    UpdateSeriesText();
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::UpdateSeriesText()
{
    if (waitDialog_ && series_.Running()) waitDialog_->SetText(QString::fromStdString(series_.ProgressText()));
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
    const std::filesystem::path path = chosen->toStdString();
    {
        // The file must be writable before anything is built; the job's bytes
        // replace it whole once it has ended.
        std::ofstream probe(path, std::ios::binary | std::ios::app);
        if (!probe) {
            const int error = errno;
            std::string text = Format(fixed_texts::kWriteProtectedFormat, error);
            const auto at = text.find("%s");
            if (at != std::string::npos) text.replace(at, 2, path.string());
            ShowBox(session_.reporter(), BoxIcon::Warning, std::string(fixed_texts::kCannotWrite), text);
            return;
        }
    }
    auto data = sending_.Prepare(service::SendTarget::File);
    if (!Check(data.status(), "") ||
        !Check(sending_.StartSendToFile(*data, path), fixed_texts::kCannotWrite.data()))
        return;
    fileSend_ = true;
    JobStarted();
}

// ---- Clock, scan, group send, picture editor ----

void CLumitagv11Dlg::CheckTime()
{
    if (!session_.Link().IsConnected()) return;
    if (sending_.SendClock().ok()) TimerFor(kTimerClock).start();
}

void CLumitagv11Dlg::Scan()
{
    if (!idle_) return;
    const service::Status started = sending_.StartScan();
    if (!started.ok()) {
        if (started.code() == service::ErrorCode::NoDevice)
            ShowBox(session_.reporter(), BoxIcon::Warning, "", started.message());
        return;
    }
    scanDisplay_ = true;
    JobStarted();
}

void CLumitagv11Dlg::GroupSend()
{
    if (!idle_ || !busModel_) return;
    // The dialog prepares the program itself when one of its sends is pressed.
    (void)commands_.SaveParams();
    if (hooks_.openGroupSend) hooks_.openGroupSend();
    // A job the dialog started is followed like any other.
    if (session_.JobRunning() && idle_) JobStarted();
}

void CLumitagv11Dlg::StartGroupJob(std::vector<int> signIds, GroupMode mode)
{
    if (!idle_) return;
    fileSend_ = false;
    std::optional<service::PreparedSend> data;
    if (mode == GroupMode::Send) {
        auto prepared = sending_.PrepareForGroup();
        if (!Check(prepared.status(), "")) return;
        data = std::move(*prepared);
    }
    if (!Check(sending_.StartGroupJob(signIds, mode, data ? &*data : nullptr), "")) return;
    JobStarted();
}

void CLumitagv11Dlg::RunImageEditor()
{
    const QString folder = QString::fromStdString(session_.ProgramFolder().string());
    const QString program = QString::fromStdString((ToolsFolder() / "imagedit").string());
    if (!hooks_.startDetached || !hooks_.startDetached(program, folder))
        ShowBox(session_.reporter(), BoxIcon::None, std::string(fixed_texts::kError),
                std::string(fixed_texts::kCannotRunImageEditor));
}

// ---- Model, device, RS-485 ----

void CLumitagv11Dlg::ChooseModel(const QString& model)
{
    const auto change = commands_.SetModel(model.toStdString());
    if (!change.ok()) {
        Check(change.status(), fixed_texts::kError.data());
        if (change.code() != service::ErrorCode::FileWrite) return;
    } else if (*change == ProgramFiles::ModelChange::Unchanged) {
        return;
    }
    ApplyModelToRows();
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::FillDeviceSelector()
{
    const QSignalBlocker block(deviceSelector_);
    deviceSelector_->clear();
    const auto devices = session_.Link().Devices();
    for (std::size_t i = 0; i < devices.size(); ++i)
        deviceSelector_->addItem(QString::fromUtf8(service::kDeviceEntryText.data(),
                                                   static_cast<qsizetype>(service::kDeviceEntryText.size())));
    deviceSelector_->setCurrentIndex(devices.empty() ? -1 : std::max(0, devices_.CurrentIndex()));
}

void CLumitagv11Dlg::ChooseDevice(int position)
{
    ShowConnection(devices_.OpenIndex(position).ok());
}

void CLumitagv11Dlg::ShowConnection(bool connected)
{
    const int side = fontMetrics().height() + 4;
    connection_->setPixmap(ArtPixmap(connected ? QStringLiteral("connected") : QStringLiteral("disconnected"),
                                     QSize(side * 2, side)));
    connection_->setToolTip(connected ? QStringLiteral("Lumitag") : QString());
}

void CLumitagv11Dlg::SetMode485(bool on) { Check(session_.SetMode485(on), fixed_texts::kError.data()); }

void CLumitagv11Dlg::OnDeviceEvent(const HidEvent& event) { ShowDeviceChange(devices_.Apply(event).change); }

void CLumitagv11Dlg::ShowDeviceChange(DeviceChange change)
{
    switch (change) {
    case DeviceChange::Ignored: return;
    case DeviceChange::OpenedNewest: {
        // The new sign is current; the selector keeps its selection.
        const QSignalBlocker block(deviceSelector_);
        deviceSelector_->addItem(QStringLiteral("Lumitag"));
        break;
    }
    default: FillDeviceSelector(); break;
    }
    ShowConnection(session_.Link().IsConnected());
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
    lastJobCode_ = code;
    FinishJob(percent);
    // A job that failed never reads "OK!": the pane shows what went wrong.
    const std::string error = JobErrorText(code);
    SetStatus(2, error.empty() ? QString::fromStdString(std::string(fixed_texts::kOk)) : QString::fromStdString(error));
    if (!error.empty()) ShowBox(session_.reporter(), BoxIcon::None, std::string(fixed_texts::kError), error);
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
    ShowBox(session_.reporter(), BoxIcon::Error, kProductCaption, Format(fixed_texts::kSendFailedFormat, count - succeeded));
}

void CLumitagv11Dlg::OnScanFinished()
{
    FillIdList();
    scanDisplay_ = false;
}

void CLumitagv11Dlg::OnSendFinished()
{
    if (fileSend_) {
        fileSend_ = false;
        const auto written = sending_.FinishFileSend(static_cast<JobResult>(lastJobCode_));
        if (!written.ok()) {
            SetStatus(2, QString::fromStdString(written.message()));
            ShowBox(session_.reporter(), BoxIcon::Warning, std::string(fixed_texts::kCannotWrite), written.message());
        }
    }
    if (series_.Running()) {
        const auto next = series_.OnSendFinished();
        if (waitDialog_) waitDialog_->SetPosition(series_.Position());
        if (next.ok() && *next) {
            JobStarted();
            UpdateSeriesText();
            RefreshPreviews();
            RefreshRows();
            return;
        }
        if (!next.ok()) Check(next.status(), "");
        if (waitDialog_) waitDialog_->close();
    } else {
        session_.Worker().SetSignId(session_.CurrentId());
        session_.Files().ReloadCurrent();
    }
    ReloadCurrentProgram();
}

void CLumitagv11Dlg::ReloadCurrentProgram()
{
    // After every send the rows show the current ID's program from its file.
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
            ShowBox(session_.reporter(), BoxIcon::None, "", Pick(kClockSetOk));
        else
            ShowBox(session_.reporter(), BoxIcon::Error, std::string(fixed_texts::kError),
                    std::string(fixed_texts::kCheckTimeError));
        break;
    case kTimerFillIds: FillIdList(); break;
    case kTimerSaveIds: (void)session_.Ids().SaveIdList(); break;
    case kTimerFirstDevice: ChooseDevice(0); break;
    default: break;
    }
}

}  // namespace lumitag::app
