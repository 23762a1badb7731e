#include "model/Log.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace lumitag {
namespace {

LogLevel LevelFromEnvironment()
{
    const char* value = std::getenv("LUMITAG_LOG");
    if (!value) return LogLevel::Warning;
    const std::string v(value);
    if (v == "debug") return LogLevel::Debug;
    if (v == "info") return LogLevel::Info;
    if (v == "error") return LogLevel::Error;
    if (v == "off") return LogLevel::Off;
    return LogLevel::Warning;
}

std::atomic<LogLevel>& Level()
{
    static std::atomic<LogLevel> level{LevelFromEnvironment()};
    return level;
}

const char* Name(LogLevel level)
{
    switch (level) {
    case LogLevel::Debug: return "debug";
    case LogLevel::Info: return "info";
    case LogLevel::Warning: return "warning";
    case LogLevel::Error: return "error";
    case LogLevel::Off: break;
    }
    return "";
}

}  // namespace

void SetLogLevel(LogLevel level) { Level() = level; }
LogLevel CurrentLogLevel() { return Level(); }

void Log(LogLevel level, std::string_view message)
{
    if (level < Level() || level == LogLevel::Off) return;
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::fprintf(stderr, "lumitag %s: %.*s\n", Name(level), static_cast<int>(message.size()), message.data());
}

}  // namespace lumitag
