#pragma once
// A throw-away program folder for tests of the files the program keeps in
// WorkData/: created under the system's temporary folder, made the program
// folder for the test's lifetime, removed afterwards.

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProgramFolder.h"

namespace lumitag::testing {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class TempProgramFolder {
public:
    explicit TempProgramFolder(bool withWorkData = true) : previous_(ProgramFolder())
    {
        static std::atomic<int> counter{0};
        folder_ = fs::temp_directory_path() /
                  ("lumitag-files-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(folder_);
        if (withWorkData) fs::create_directories(WorkData());
        SetProgramFolder(folder_);
    }
    ~TempProgramFolder()
    {
        SetProgramFolder(previous_);
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const fs::path& Folder() const { return folder_; }
    fs::path WorkData() const { return folder_ / "WorkData"; }

private:
    fs::path previous_;
    fs::path folder_;
};

inline Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// ASCII text as the program writes it: the mark FF FE, then UTF-16LE.
inline Bytes Utf16File(std::string_view ascii)
{
    Bytes bytes = {0xFF, 0xFE};
    for (char c : ascii) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(0);
    }
    return bytes;
}

inline void WriteUtf16File(const fs::path& path, std::string_view ascii) { WriteBytes(path, Utf16File(ascii)); }

// "FF FE 5B 00 ..." for readable failure messages.
inline std::string Hex(const Bytes& bytes, std::size_t count = SIZE_MAX)
{
    std::string out;
    char cell[4];
    for (std::size_t i = 0; i < bytes.size() && i < count; ++i) {
        std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
        if (!out.empty()) out += ' ';
        out += cell;
    }
    return out;
}

}  // namespace lumitag::testing
