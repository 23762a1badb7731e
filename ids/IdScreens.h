#pragma once
// The ID dialogs as the review tool (lumitag-screens) shows them: each over
// its own registry, settings and a fake link in a throw-away folder, with a
// few registered IDs and an older ID list, so no sign and no user file is
// needed. The language is whatever the caller has applied.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace lumitag::ids {

class IdScreens {
public:
    IdScreens();
    ~IdScreens();
    IdScreens(const IdScreens&) = delete;
    IdScreens& operator=(const IdScreens&) = delete;

    // "id-editor-add", "id-editor-auto-add", "id-editor-modify", "id-tool",
    // "group-send".
    static QStringList Names();
    // The window of `name`, not yet shown; null for an unknown name. The
    // windows must not outlive this object.
    std::unique_ptr<QWidget> Make(const QString& name);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumitag::ids
