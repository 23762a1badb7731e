#pragma once
// Pieces the three ID dialogs share: their resource numbers (the language
// packs key their texts on them), the ID drop-down lists, and what every
// dialog does when it opens.

#include <QString>
#include <QWidget>

class QComboBox;
class QDialog;

namespace lumitag::ids {

inline constexpr int kIdEditorDialog = 163;
inline constexpr int kIdToolDialog = 201;
inline constexpr int kGroupDialog = 310;

// An editable drop-down list with the entries "1".."256", "1" selected.
QComboBox* MakeIdList(int controlId, QWidget* parent);

// The dialogs' background, then the title and control texts of the current
// language pack; each control the pack gives a text also shows it as its
// tooltip, as the dialogs' tooltip control did.
void PrepareDialog(QDialog* dialog, int dialogId);

// The child carrying control number `id`, or null.
QWidget* FindControl(const QWidget* root, int id);
template <typename T>
T* Control(const QWidget* root, int id)
{
    return qobject_cast<T*>(FindControl(root, id));
}

}  // namespace lumitag::ids
