#include "cli/TerminalReporter.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace lumitag::cli {
namespace {

// Texts of the boxes may carry Windows line ends.
std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

const char* Prefix(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return "error: ";
    case MessageKind::Warning: return "warning: ";
    case MessageKind::Info: break;
    }
    return "";
}

}  // namespace

TerminalReporter::TerminalReporter(std::FILE* in, std::FILE* err) : in_(in), err_(err) {}

void TerminalReporter::Message(MessageKind kind, const std::string& text)
{
    if (kind == MessageKind::Error) ++errors_;
    std::fprintf(err_, "%s%s\n", Prefix(kind), WithoutCarriageReturns(text).c_str());
    std::fflush(err_);
}

bool TerminalReporter::Ask(const std::string& text)
{
    const std::string question = WithoutCarriageReturns(text);
    if (assumeYes_) {
        std::fprintf(err_, "%s yes (--yes)\n", question.c_str());
        return true;
    }
    if (!isatty(fileno(in_))) {
        std::fprintf(err_, "%s no (no terminal to ask on; --yes answers yes)\n", question.c_str());
        return false;
    }
    for (;;) {
        std::fprintf(err_, "%s [y/N] ", question.c_str());
        std::fflush(err_);
        char line[64];
        if (!std::fgets(line, sizeof line, in_)) return false;
        // Only a line's first letter answers; the rest of a long line must not
        // be taken for the next answer.
        if (!std::strchr(line, '\n')) {
            int c = 0;
            while ((c = std::fgetc(in_)) != EOF && c != '\n') {
            }
        }
        const char answer = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        if (answer == 'y') return true;
        if (answer == 'n' || answer == '\n') return false;
    }
}

void PrintError(const std::string& text)
{
    std::fprintf(stderr, "lumitag-cli: %s\n", WithoutCarriageReturns(text).c_str());
    std::fflush(stderr);
}

}  // namespace lumitag::cli
