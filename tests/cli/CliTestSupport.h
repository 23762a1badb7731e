#pragma once
// Runs lumitag-cli on a temporary program folder, and small fixtures: BMP
// pictures of known pixels, file bytes, hex text.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumitag::test {

using Bytes = std::vector<std::uint8_t>;

struct CliResult {
    int pid = -1;
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A picture as rows of letters: '.' black, 'R' red, 'G' green, 'Y' yellow,
// 'W' white.
using Picture = std::vector<std::string>;
std::uint32_t PixelColour(char letter);  // 0xAARRGGBB

class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs lumitag-cli --home <home> args..., stdin from /dev/null.
    CliResult Run(const std::vector<std::string>& args);
    // The same, failing the test unless it exits with 0.
    CliResult RunOk(const std::vector<std::string>& args);
    // Runs with stdin and stdout on a pseudo terminal that has `input` typed
    // ahead; `out` is what the terminal showed (echo included, CR LF lines).
    CliResult RunOnTerminal(const std::vector<std::string>& args, const std::string& input = {});

    // Writes `picture` as a 24-bit BMP under the home; returns its path.
    std::filesystem::path WriteBmp(const std::string& name, const Picture& picture);
    std::filesystem::path WriteFile(const std::string& name, const std::string& bytes);

    // The INFO values of the current ID's work file (or of `file`).
    std::string WorkValue(const std::string& key, const std::filesystem::path& file = {});

    std::filesystem::path home_;

private:
    // Starts the program; stdin and stdout on `terminal` when it is >= 0.
    CliResult Spawn(const std::vector<std::string>& args, int terminal);
    // Waits for it and collects exit code, stdout and stderr.
    void Finish(CliResult& result);
};

Bytes ReadBytes(const std::filesystem::path& path);
std::string Hex(const Bytes& bytes);

}  // namespace lumitag::test
