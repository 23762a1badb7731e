#include "cli/SendData.h"

#include <unistd.h>

#include <cstdio>
#include <streambuf>

#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "model/ProgramFolder.h"
#include "render/SlotImageBuilder.h"
#include "render/WordLimit.h"

namespace lumitag::cli {

ModelSettings SettingsOf(std::string_view model)
{
    ModelSettings settings;
    ApplyModel(settings, model);
    return settings;
}

namespace {

void BuildSendData(Context& context, std::string_view model, SignProgram& program, PackedTables& tables)
{
    SlotWindows windows(&context.Glyphs());
    windows.SetProgramFolder(ProgramFolder());
    windows.Load(model, SettingsOf(model), program);
    windows.Build(tables);
}

void CheckPictures(std::string_view model, SignProgram& program)
{
    if (const auto bad = FindUnloadablePicture(model, SettingsOf(model), program))
        throw BadInput("slot " + std::to_string(bad->slot + 1) + ": cannot load picture " + bad->path);
}

void CheckWordLimit(Context& context, std::string_view model, const SlotParamTable& params, PackedTables& tables,
                    bool toFile)
{
    const int over = ApplyWordLimit(model, params, tables);
    if (over <= 0) return;
    const auto& table = toFile ? kWordLimitFile : kWordLimitSend;
    if (!context.Reporter().Ask(WordLimitText(table, CurrentLanguage(), OverLimitWords(over))))
        throw CliError(ExitCode::Declined, "not sent: the data is over the word limit of " + std::string(model));
}

}  // namespace

void PrepareSend(Context& context, const Arguments& args, std::string_view model, bool toFile, SignProgram& program,
                 PackedTables& tables)
{
    if (!context.LoadProgram(args, program)) program.SaveParams();
    CheckPictures(model, program);
    if (!toFile) context.OpenDevice(args);
    BuildSendData(context, model, program, tables);
    CheckWordLimit(context, model, program.Params(), tables, toFile);
}

ProgressPrinter::ProgressPrinter() : terminal_(isatty(STDOUT_FILENO) != 0) {}

ProgressPrinter::~ProgressPrinter() { EndLine(); }

void ProgressPrinter::EndLine()
{
    if (!terminal_ || shown_ < 0 || ended_) return;
    ended_ = true;
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void ProgressPrinter::Draw(int percent)
{
    if (!terminal_ || percent == shown_) return;
    shown_ = percent;
    ended_ = false;
    constexpr int kWidth = 40;
    const int filled = std::clamp(percent, 0, 100) * kWidth / 100;
    std::printf("\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), percent);
    std::fflush(stdout);
}

void ProgressPrinter::Progress(int percent, JobResult, bool done)
{
    Draw(percent);
    if (done) EndLine();
}

void ProgressPrinter::ScanProgress(int percent, bool end)
{
    Draw(percent);
    if (end) EndLine();
}

void ProgressPrinter::GroupResult(int succeeded, int count) { failed_ = count - succeeded; }

ExitCode ExitCodeOf(JobResult result)
{
    switch (result) {
    case JobResult::Success: return ExitCode::Success;
    case JobResult::NoDevice: return ExitCode::NoDevice;
    case JobResult::SendFailure: return ExitCode::SendFailure;
    case JobResult::Busy: return ExitCode::Busy;
    }
    return ExitCode::SendFailure;
}

namespace {

class CollectingBuffer : public std::streambuf {
public:
    explicit CollectingBuffer(std::shared_ptr<std::vector<char>> bytes) : bytes_(std::move(bytes)) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        bytes_->insert(bytes_->end(), data, data + count);
        return count;
    }
    int_type overflow(int_type ch) override
    {
        if (!traits_type::eq_int_type(ch, traits_type::eof())) bytes_->push_back(traits_type::to_char_type(ch));
        return traits_type::not_eof(ch);
    }

private:
    std::shared_ptr<std::vector<char>> bytes_;
};

class CollectingOStream : public std::ostream {
public:
    explicit CollectingOStream(std::shared_ptr<std::vector<char>> bytes) : std::ostream(nullptr), buffer_(std::move(bytes))
    {
        rdbuf(&buffer_);
    }

private:
    CollectingBuffer buffer_;
};

}  // namespace

std::unique_ptr<std::ostream> CollectingStream(std::shared_ptr<std::vector<char>> bytes)
{
    return std::make_unique<CollectingOStream>(std::move(bytes));
}

}  // namespace lumitag::cli
