#pragma once
// Message boxes of the desktop program. Every box goes through the session's
// Reporter, so tests record them; a reporter that also knows captions shows
// the program's exact caption and icon.

#include <QObject>
#include <functional>
#include <string>

#include "model/Reporter.h"

namespace lumitag::app {

inline constexpr const char* kProductCaption = "Lumitag";

enum class BoxIcon { None, Information, Warning, Error, Question };

// A Reporter that can also show a caption and an icon of the caller's choice.
class CaptionedReporter : public Reporter {
public:
    virtual void Show(BoxIcon icon, const std::string& caption, const std::string& text) = 0;
    virtual bool AskYesNo(BoxIcon icon, const std::string& caption, const std::string& text) = 0;
};

// Shows `text` with `caption` and `icon` when the reporter can, else as a
// plain message of the matching kind.
void ShowBox(Reporter& reporter, BoxIcon icon, const std::string& caption, const std::string& text);
bool AskBox(Reporter& reporter, BoxIcon icon, const std::string& caption, const std::string& text);

// Real message boxes. Callable from any thread: a worker thread waits until
// the box on the GUI thread has been answered.
class MessageBoxReporter : public CaptionedReporter {
public:
    void Message(MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& text) override;
    void Show(BoxIcon icon, const std::string& caption, const std::string& text) override;
    bool AskYesNo(BoxIcon icon, const std::string& caption, const std::string& text) override;

private:
    // Runs `box` on the GUI thread and returns its answer.
    bool OnGuiThread(const std::function<bool()>& box);
};

}  // namespace lumitag::app
