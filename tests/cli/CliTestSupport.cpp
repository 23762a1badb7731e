#include "CliTestSupport.h"

#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "model/IniFile.h"

extern char** environ;

namespace lumitag::test {
namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void PutLe(Bytes& out, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::uint32_t PixelColour(char letter)
{
    switch (letter) {
    case 'R': return 0xFFFF0000;
    case 'G': return 0xFF00FF00;
    case 'Y': return 0xFFFFFF00;
    case 'W': return 0xFFFFFFFF;
    default: return 0xFF000000;
    }
}

void CliTest::SetUp()
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    home_ = std::filesystem::temp_directory_path() /
            ("lumitag-cli-test-" + std::to_string(getpid()) + "-" + std::to_string(stamp) + "-" +
             std::to_string(counter++));
    std::filesystem::create_directories(home_);
}

void CliTest::TearDown()
{
    std::error_code ec;
    std::filesystem::remove_all(home_, ec);
}

CliResult CliTest::Spawn(const std::vector<std::string>& args, int terminal)
{
    std::vector<std::string> all = {LUMITAG_CLI, "--home", home_.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);

    const auto outPath = home_ / ".stdout";
    const auto errPath = home_ / ".stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (terminal >= 0) {
        posix_spawn_file_actions_adddup2(&actions, terminal, 0);
        posix_spawn_file_actions_adddup2(&actions, terminal, 1);
        posix_spawn_file_actions_addclose(&actions, terminal);
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    CliResult result;
    result.pid = spawned == 0 ? pid : -1;
    if (spawned != 0) ADD_FAILURE() << "cannot start " << LUMITAG_CLI;
    return result;
}

void CliTest::Finish(CliResult& result)
{
    if (result.pid < 0) return;
    int status = 0;
    waitpid(result.pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto outPath = home_ / ".stdout";
    const auto errPath = home_ / ".stderr";
    if (std::filesystem::exists(outPath)) result.out = ReadText(outPath);
    result.err = ReadText(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
}

CliResult CliTest::Run(const std::vector<std::string>& args)
{
    CliResult result = Spawn(args, -1);
    Finish(result);
    return result;
}

CliResult CliTest::RunOnTerminal(const std::vector<std::string>& args, const std::string& input)
{
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "no pseudo terminal";
        return {};
    }
    // Typed ahead: the terminal holds it until the program reads.
    if (!input.empty() && write(master, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        ADD_FAILURE() << "cannot type into the terminal";
    CliResult result = Spawn(args, slave);
    close(slave);
    // Reads until the program's end closes the terminal's last other side.
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(master, buffer, sizeof buffer);
        if (count <= 0) break;
        result.out.append(buffer, static_cast<std::size_t>(count));
    }
    close(master);
    const std::string screen = result.out;
    Finish(result);
    result.out = screen;
    return result;
}

CliResult CliTest::RunOk(const std::vector<std::string>& args)
{
    CliResult result = Run(args);
    std::string line;
    for (const auto& arg : args) line += " " + arg;
    EXPECT_EQ(result.exitCode, 0) << "lumitag-cli" << line << "\n" << result.err;
    return result;
}

std::filesystem::path CliTest::WriteBmp(const std::string& name, const Picture& picture)
{
    const int height = static_cast<int>(picture.size());
    const int width = static_cast<int>(picture.front().size());
    const int stride = (width * 3 + 3) / 4 * 4;
    Bytes bmp = {'B', 'M'};
    PutLe(bmp, static_cast<std::uint32_t>(54 + stride * height), 4);
    PutLe(bmp, 0, 4);
    PutLe(bmp, 54, 4);
    PutLe(bmp, 40, 4);
    PutLe(bmp, static_cast<std::uint32_t>(width), 4);
    PutLe(bmp, static_cast<std::uint32_t>(height), 4);
    PutLe(bmp, 1, 2);
    PutLe(bmp, 24, 2);
    PutLe(bmp, 0, 4);
    PutLe(bmp, static_cast<std::uint32_t>(stride * height), 4);
    PutLe(bmp, 2835, 4);
    PutLe(bmp, 2835, 4);
    PutLe(bmp, 0, 4);
    PutLe(bmp, 0, 4);
    for (int y = height - 1; y >= 0; --y) {  // bottom-up
        for (char letter : picture[static_cast<std::size_t>(y)]) PutLe(bmp, PixelColour(letter) & 0xFFFFFF, 3);
        bmp.resize(bmp.size() + static_cast<std::size_t>(stride - width * 3), 0);
    }
    const auto path = home_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    return path;
}

std::filesystem::path CliTest::WriteFile(const std::string& name, const std::string& bytes)
{
    const auto path = home_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string CliTest::WorkValue(const std::string& key, const std::filesystem::path& file)
{
    CIniFile ini(file.empty() ? home_ / "WorkData" / "0.led" : file);
    EXPECT_TRUE(ini.Load());
    return ini.GetString("INFO", key);
}

Bytes ReadBytes(const std::filesystem::path& path)
{
    const std::string text = ReadText(path);
    return Bytes(text.begin(), text.end());
}

std::string Hex(const Bytes& bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) text += (i % 32 == 0) ? '\n' : ' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

}  // namespace lumitag::test
