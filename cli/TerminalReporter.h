#pragma once
// The message boxes of the core, on a terminal: messages go to stderr, and a
// question is asked only when stdin is a terminal. Without one, --yes answers
// yes and anything else is taken as no, so a script never hangs on a prompt.

#include <atomic>
#include <cstdio>
#include <string>

#include "model/Reporter.h"

namespace lumitag::cli {

class TerminalReporter : public Reporter {
public:
    // `in` and `err` are the streams used (stdin and stderr in the program).
    TerminalReporter(std::FILE* in = stdin, std::FILE* err = stderr);

    void Message(MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& text) override;

    // Questions are answered yes without asking (--yes).
    void SetAssumeYes(bool yes) { assumeYes_ = yes; }
    // Errors shown so far, so a command can tell that an operation it
    // cannot otherwise check (a report write) failed.
    int ErrorCount() const { return errors_; }

private:
    std::FILE* in_;
    std::FILE* err_;
    bool assumeYes_ = false;
    std::atomic<int> errors_{0};
};

// Prints "lumitag-cli: <text>" on stderr.
void PrintError(const std::string& text);

}  // namespace lumitag::cli
