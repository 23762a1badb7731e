#include "tests/app/AppTestSupport.h"

#include <QCoreApplication>

#include "app/screens/SampleProgram.h"
#include "model/DeviceCatalogue.h"
#include "model/GroupStore.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"

namespace lumitag::app::testing {

WindowFixture::WindowFixture(bool withData, bool withWorkData) : folder_(withWorkData)
{
    std::error_code ec;
    if (withData)
        std::filesystem::create_directory_symlink(std::filesystem::path(LUMITAG_PROGRAM_DIR) / "Data",
                                                  folder_.Folder() / "Data", ec);
}

WindowFixture::~WindowFixture()
{
    window_.reset();
    session_.reset();
}

void WindowFixture::StoreSettings(const std::string& model, int language, int nowId, int mode485)
{
    SettingsStore settings;
    if (!model.empty()) settings.SetLedType(model);
    settings.SetLanguage(language);
    settings.SetNowSelID(nowId);
    settings.SetMode485(mode485);
}

void WindowFixture::RegisterIds(const std::vector<int>& ids, const std::vector<int>& checked)
{
    GroupStore groups;
    groups.LoadIdList();
    for (int id : ids) {
        groups.records[static_cast<std::size_t>(id)].groups |= 1u;
        groups.records[static_cast<std::size_t>(id)].name = "Sign " + std::to_string(id);
    }
    for (int id : checked) groups.records[static_cast<std::size_t>(id)].checks |= 1u;
    groups.SaveIdList();
}

void WindowFixture::WriteProgram(int id, const std::string& model, int filledRows)
{
    SignProgram program;
    program.LoadProgram(EnsureWorkFile(id, true, model));
    WriteSampleProgram(program, FindModel(model)->rows, filledRows);
}

void WindowFixture::PutContent(int id, int slot, const std::string& content, int kind)
{
    SignProgram program;
    program.LoadProgram(WorkFile(id));
    program.PutContent(slot, content);
    program.Params().at(SlotField::kind, slot) = kind;
    program.Params().at(SlotField::send, slot) = 1;
    program.SaveParams();
}

void WindowFixture::Open()
{
    service::SessionOptions options;
    options.programFolder = folder_.Folder();
    options.backend = &backend_;
    options.sleeper = &clock_;
    options.clock = [] { return LocalTime{2026, 3, 5, 14, 7, 9, 4}; };
    session_ = std::make_unique<service::Session>(reporter_, options);
    window_ = std::make_unique<CLumitagv11Dlg>(*session_, hooks_, WindowOptions{false, true});
}

void WindowFixture::Settle()
{
    for (int round = 0; round < 1000; ++round) {
        session_->Worker().Wait();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (!session_->Worker().IsBusy() && window_->Idle() && !window_->Series().Running()) {
            QCoreApplication::processEvents();
            return;
        }
    }
}

void WindowFixture::ConnectSign(const std::string& path)
{
    backend_.Plug(path);
    window_->OnDeviceEvent({HidEvent::Kind::Arrival, path});
}

std::filesystem::path WindowFixture::WorkFile(int id) const { return folder_.WorkData() / (std::to_string(id) + ".led"); }

SlotParamTable WindowFixture::ParamsOnDisk(int id) const
{
    SignProgram program;
    program.LoadProgram(WorkFile(id));
    return program.Params();
}

std::vector<std::uint8_t> Payloads(const std::vector<FakeHidBackend::Report>& reports)
{
    std::vector<std::uint8_t> bytes;
    for (const auto& report : reports) bytes.insert(bytes.end(), report.bytes.begin() + 1, report.bytes.end());
    return bytes;
}

}  // namespace lumitag::app::testing
