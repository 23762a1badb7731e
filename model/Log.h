#pragma once
// Diagnostics of the program itself, with levels, on stderr. Not the frame
// log "Debug.Log", which is a product feature of the send worker.

#include <string_view>

namespace lumitag {

enum class LogLevel { Debug = 0, Info = 1, Warning = 2, Error = 3, Off = 4 };

// Messages below this level are dropped. Warning by default; the environment
// variable LUMITAG_LOG (debug, info, warning, error, off) overrides it.
void SetLogLevel(LogLevel level);
LogLevel CurrentLogLevel();

void Log(LogLevel level, std::string_view message);

}  // namespace lumitag
