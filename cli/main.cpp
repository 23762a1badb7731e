// lumitag-cli [--home DIR] COMMAND [options]

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/TerminalReporter.h"
#include "l10n/Language.h"
#include "l10n/LanguageSettings.h"
#include "model/Log.h"
#include "model/ProgramFolder.h"

namespace {

using namespace lumitag;
using namespace lumitag::cli;

std::string GeneralHelp()
{
    std::string text =
        "Usage: lumitag-cli [--home DIR] COMMAND [options]\n\n"
        "Programs Lumitag LED signs and badges: the same program folder, work files,\n"
        "settings and send path as the desktop program.\n\n"
        "  --home DIR   the program folder (Data/ read, WorkData/ and Image/ written);\n"
        "               default: the folder of this executable when Data/ is beside it;\n"
        "               installed, Data/ from PREFIX/share/lumitag and the rest\n"
        "               written into $XDG_DATA_HOME/lumitag\n\n"
        "Commands:\n";
    for (const auto& command : Commands()) {
        std::string name = "  " + std::string(command->Name());
        name.resize(16, ' ');
        text += name + std::string(command->Summary()) + "\n";
    }
    text += "\n`lumitag-cli COMMAND --help` describes a command.\n\n";
    text += kExitCodeHelp;
    return text;
}

Command* FindCommand(std::string_view name)
{
    for (const auto& command : Commands())
        if (command->Name() == name) return command.get();
    return nullptr;
}

// "-h" or "--help" among the options (not after "--", where it is text).
bool AsksForHelp(const std::vector<std::string>& args)
{
    for (const auto& arg : args) {
        if (arg == "--") return false;
        if (arg == "-h" || arg == "--help") return true;
    }
    return false;
}

// Qt's own chatter (no XDG_RUNTIME_DIR on a headless machine, ...) goes to
// the program's log, not into the command's output.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    const LogLevel level = type == QtDebugMsg || type == QtInfoMsg ? LogLevel::Debug
                           : type == QtWarningMsg                  ? LogLevel::Info
                                                                   : LogLevel::Error;
    Log(level, message.toStdString());
}

// The command a command line runs once "--home DIR" is passed, or nullptr.
Command* CommandOf(int argc, char** argv)
{
    int next = 1;
    while (next < argc && std::string_view(argv[next]).starts_with("--home"))
        next += std::string_view(argv[next]) == "--home" ? 2 : 1;
    return next < argc ? FindCommand(argv[next]) : nullptr;
}

bool NeedsApplication(int argc, char** argv)
{
    const Command* command = CommandOf(argc, argv);
    return !command || command->NeedsApplication();
}

int Run(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::filesystem::path home;
    std::size_t next = 0;
    while (next < args.size() && args[next].starts_with("--home")) {
        if (args[next] == "--home" && next + 1 < args.size()) {
            home = args[next + 1];
            next += 2;
        } else if (args[next].starts_with("--home=")) {
            home = args[next].substr(7);
            next += 1;
        } else {
            throw BadInput("--home needs a folder");
        }
    }
    // "help COMMAND" is "COMMAND --help".
    if (next + 1 < args.size() && args[next] == "help" && FindCommand(args[next + 1])) {
        std::fputs(FindCommand(args[next + 1])->Help().c_str(), stdout);
        return 0;
    }
    if (next == args.size() || args[next] == "--help" || args[next] == "-h" || args[next] == "help") {
        std::fputs(GeneralHelp().c_str(), stdout);
        return next == args.size() ? ToInt(ExitCode::BadInput) : 0;
    }
    Command* command = FindCommand(args[next]);
    if (!command) throw BadInput("unknown command \"" + args[next] + "\" (see lumitag-cli --help)");
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(next) + 1, args.end());
    // Help needs no program folder, and wins over an incomplete command line.
    if (AsksForHelp(rest)) {
        std::fputs(command->Help().c_str(), stdout);
        return 0;
    }

    std::error_code ec;
    if (!home.empty() && !std::filesystem::is_directory(home, ec))
        throw BadInput("program folder not found: " + home.string());
    UseFolders(LocateFolders(ExecutableFolder(), home.empty() ? home : std::filesystem::absolute(home),
                             UserEnvironment::FromProcess()));

    TerminalReporter reporter;
    Context context(reporter);
    // Messages the desktop program shows in the user's language are printed
    // in it too.
    if (command->NeedsApplication()) ApplyLanguage(StartupLanguage(context.Settings()), reporter);
    return ToInt(command->Execute(context, rest));
}

}  // namespace

int main(int argc, char** argv)
{
    // Rendering needs a GUI application object, never a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QtMessage);
    // The application object (platform plugin, font configuration) is most of
    // a short command's time; only commands that draw or read settings get it.
    std::optional<QGuiApplication> app;
    if (NeedsApplication(argc, argv)) app.emplace(argc, argv);
    try {
        return Run(argc, argv);
    } catch (const CliError& error) {
        PrintError(error.what());
        return ToInt(error.code());
    } catch (const std::exception& error) {
        PrintError(std::string("unexpected failure: ") + error.what());
        return ToInt(ExitCode::BadInput);
    }
}
