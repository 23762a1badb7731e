#include "ids/IdScreens.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <fstream>

#include "ids/CDialogGroup.h"
#include "ids/CDialogID.h"
#include "ids/CDialogIDSet.h"
#include "ids/CTreeOptionsCtrl.h"
#include "ids/CoreIdServices.h"
#include "ids/DialogSupport.h"
#include "link/FakeHidBackend.h"
#include "link/HidLink.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"
#include "model/GroupStore.h"
#include "model/SettingsStore.h"

namespace lumitag::ids {
namespace {

constexpr int kShownId = 12;

// The settings' older ID list, as an older program version left it.
void WriteOlderIdList(const std::filesystem::path& path)
{
    const std::string text =
        "[LEDData]\r\nLEDID_Num=5\r\nLEDID_Str=   1   2  12  40 200\r\n"
        "LEDID1=Entrance\r\nLEDID2=Hall\r\nLEDID12=Canteen\r\nLEDID40=Platform 3\r\nLEDID200=Car park\r\n";
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

struct IdScreens::State {
    State()
        : store(std::filesystem::path(folder.path().toStdString()) / "IDLIST.id"),
          settings(std::filesystem::path(folder.path().toStdString()) / "System.set"),
          backend(&clock),
          link(backend, &reporter, &clock),
          worker(link, clock, {}),
          services(store, settings, worker, link, reporter, "Q26")
    {
        WriteOlderIdList(settings.Path());
        store.records[1] = {"Entrance", 1, 1, 0};
        store.records[kShownId] = {"Canteen", 1, 1, 0};
        worker.ApplyModel("Q26");
    }

    QTemporaryDir folder;
    GroupStore store;
    SettingsStore settings;
    VirtualClock clock;
    RecordingReporter reporter;
    FakeHidBackend backend;
    HidLink link;
    SendWorker worker;
    CoreIdServices services;
};

IdScreens::IdScreens() : state_(std::make_unique<State>()) {}

IdScreens::~IdScreens() = default;

QStringList IdScreens::Names()
{
    return {QStringLiteral("id-editor-add"), QStringLiteral("id-editor-auto-add"), QStringLiteral("id-editor-modify"),
            QStringLiteral("id-tool"), QStringLiteral("group-send")};
}

std::unique_ptr<QWidget> IdScreens::Make(const QString& name)
{
    auto& services = state_->services;
    if (name == QLatin1String("id-editor-add"))
        return std::make_unique<CDialogID>(services, CDialogID::Mode::Add, 0);
    if (name == QLatin1String("id-editor-auto-add")) {
        auto dialog = std::make_unique<CDialogID>(services, CDialogID::Mode::Add, 0);
        Control<QCheckBox>(dialog.get(), CDialogID::kAutoAdd)->setChecked(true);
        return dialog;
    }
    if (name == QLatin1String("id-editor-modify"))
        return std::make_unique<CDialogID>(services, CDialogID::Mode::Modify, kShownId);
    if (name == QLatin1String("id-tool")) return std::make_unique<CDialogIDSet>(services);
    if (name == QLatin1String("group-send")) {
        auto dialog = std::make_unique<CDialogGroup>(services);
        // One sign unticked, so both images show.
        auto* tree = Control<CTreeOptionsCtrl>(dialog.get(), CDialogGroup::kTree);
        if (auto* root = tree->topLevelItem(0); root && root->childCount() > 2)
            CTreeOptionsCtrl::SetItemImage(root->child(2), ItemImage::Unchecked);
        return dialog;
    }
    return nullptr;
}

}  // namespace lumitag::ids
