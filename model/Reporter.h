#pragma once
// How the core tells the user something that the desktop program shows as a
// message box. The GUI shows a box, the CLI prints to stderr, tests record.
// Calls block until the user has answered, so a worker thread that reports an
// error waits while the box is shown.

#include <mutex>
#include <string>
#include <vector>

namespace lumitag {

enum class MessageKind { Info, Warning, Error };

class Reporter {
public:
    virtual ~Reporter() = default;
    // Shows `text` (UTF-8) and returns once it has been acknowledged.
    virtual void Message(MessageKind kind, const std::string& text) = 0;
    // Asks a yes/no question; true means yes.
    virtual bool Ask(const std::string& text) = 0;
};

// Records every message; answers questions with a preset answer. For tests.
class RecordingReporter : public Reporter {
public:
    struct Entry {
        MessageKind kind;
        std::string text;
        bool question;
    };

    explicit RecordingReporter(bool answer = true) : answer_(answer) {}

    void Message(MessageKind kind, const std::string& text) override
    {
        std::lock_guard lock(mutex_);
        entries_.push_back({kind, text, false});
    }
    bool Ask(const std::string& text) override
    {
        std::lock_guard lock(mutex_);
        entries_.push_back({MessageKind::Info, text, true});
        return answer_;
    }
    std::vector<Entry> entries() const
    {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    std::vector<std::string> texts() const
    {
        std::lock_guard lock(mutex_);
        std::vector<std::string> out;
        for (const auto& e : entries_) out.push_back(e.text);
        return out;
    }
    void SetAnswer(bool answer) { answer_ = answer; }

private:
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    bool answer_;
};

}  // namespace lumitag
