#pragma once
// Every editor dialog opened on a sample slot, for review as PNG pictures:
// the review tool writes each in the languages asked for.

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace lumitag::editors {

class SlotAccess;

struct EditorScreen {
    QString name;   // file name stem
    QString model;  // the model the sample runs on
    std::string content;
    std::function<std::unique_ptr<QWidget>(SlotAccess&)> open;
};

std::vector<EditorScreen> EditorScreens();

}  // namespace lumitag::editors
