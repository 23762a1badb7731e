// The sign ID list: a tree of the main list's IDs with check boxes choosing
// the IDs of an RS-485 send; selecting an ID makes its program current.

#include <QTreeWidget>

#include "app/CLumitagv11Dlg.h"
#include "app/Art.h"
#include "l10n/InlineTexts.h"
#include "model/WorkFiles.h"

namespace lumitag::app {

namespace {
constexpr int kIdRole = Qt::UserRole;

Qt::CheckState StateOf(bool checked) { return checked ? Qt::Checked : Qt::Unchecked; }
}  // namespace

void CLumitagv11Dlg::FillIdList()
{
    idListReady_ = false;
    idTree_->setUpdatesEnabled(false);
    idTree_->clear();
    const IdRegistry& registry = session_.Ids();
    auto* root = new QTreeWidgetItem(idTree_, QStringList(QStringLiteral("LEDS")));
    root->setData(0, kIdRole, 0);
    root->setIcon(0, ArtIcon(QStringLiteral("tree-group")));
    root->setFlags(root->flags() | Qt::ItemIsUserCheckable);
    for (int id = kFirstId; id <= kLastId; ++id) {
        const IdRecord& record = registry.records[static_cast<std::size_t>(id)];
        if (!(record.groups & 1u)) continue;
        auto* item = new QTreeWidgetItem(
            root, QStringList(QStringLiteral("%1.%2").arg(id).arg(QString::fromStdString(record.name))));
        item->setData(0, kIdRole, id);
        item->setIcon(0, ArtIcon(QStringLiteral("tree-sign")));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const bool checked = scanDisplay_ ? record.scanState == kScanAnswered : (record.checks & 1u) != 0;
        item->setCheckState(0, StateOf(checked));
    }
    root->setExpanded(true);
    root->setCheckState(0, StateOf((registry.groupChecks & 1u) != 0));
    idTree_->setUpdatesEnabled(true);
    idListReady_ = true;
}

void CLumitagv11Dlg::SelectIdItem(QTreeWidgetItem* item)
{
    if (!idListReady_ || !item) return;
    const int data = item->data(0, kIdRole).toInt();
    const int id = item->parent() ? data : session_.Ids().FirstIdInGroup(data);
    if (id == session_.Settings().GetNowSelID()) return;
    // Selecting the root of an empty list makes ID 0 current, which the
    // service's ID range refuses; the program files take any ID.
    session_.Files().SelectId(id);
    session_.SetSignId(id);
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::ToggleIdCheck(QTreeWidgetItem* item)
{
    if (!idListReady_ || !item) return;
    const bool checked = item->checkState(0) == Qt::Checked;
    // The tree reports the new state; the descendants follow it.
    idListReady_ = false;
    for (int i = 0; i < item->childCount(); ++i) item->child(i)->setCheckState(0, StateOf(checked));
    if (checked) item->setExpanded(true);
    idListReady_ = true;

    IdRegistry& registry = session_.Ids();
    if (QTreeWidgetItem* parent = item->parent()) {
        const int group = parent->data(0, kIdRole).toInt();
        auto& record = registry.records[static_cast<std::size_t>(item->data(0, kIdRole).toInt())];
        if (checked)
            record.checks |= 1u << group;
        else
            record.checks &= ~(1u << group);
    } else {
        const int group = item->data(0, kIdRole).toInt();
        const std::uint32_t bit = 1u << group;
        if (checked)
            registry.groupChecks |= bit;
        else
            registry.groupChecks &= ~bit;
        for (int id = kFirstId; id <= kLastId; ++id) {
            auto& record = registry.records[static_cast<std::size_t>(id)];
            record.checks = checked ? (record.checks | bit) : (record.checks & ~bit);
        }
    }
    TimerFor(kTimerSaveIds).start();  // one save a second after the last click
}

void CLumitagv11Dlg::CopyProgram(int id) { commands_.Copy(id); }

void CLumitagv11Dlg::PasteProgram(int id)
{
    const auto pasted = commands_.Paste(id);
    if (!pasted.ok()) {
        Check(pasted.status(), fixed_texts::kError.data());
        return;
    }
    if (*pasted == ProgramFiles::PasteResult::PastedOnCurrent) {
        RefreshPreviews();
        RefreshRows();
    }
}

void CLumitagv11Dlg::AddIds()
{
    if (hooks_.addIds) hooks_.addIds();
    FillIdList();
}

void CLumitagv11Dlg::ModifyId()
{
    if (hooks_.modifyId) hooks_.modifyId(session_.Settings().GetNowSelID());
    FillIdList();
}

void CLumitagv11Dlg::DeleteId()
{
    QTreeWidgetItem* item = idTree_->currentItem();
    if (!item || !item->parent()) return;
    int count = 0;
    for (QTreeWidgetItemIterator it(idTree_); *it; ++it) ++count;
    if (count <= 1) return;
    const int id = session_.Settings().GetNowSelID();
    if (id >= 0 && id < kIdRecordCount) session_.Ids().records[static_cast<std::size_t>(id)].groups = 0;
    (void)session_.Ids().SaveIdList();
    FillIdList();
}

}  // namespace lumitag::app

namespace lumitag::app {

// ---- File menu: the current ID's program ----

void CLumitagv11Dlg::FileNew()
{
    const auto created = commands_.New();
    if (!created.ok() || !*created) {
        if (!created.ok()) Check(created.status(), fixed_texts::kError.data());
        return;
    }
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::FileOpen()
{
    (void)commands_.SaveParams();
    if (!hooks_.chooseProjectToOpen) return;
    const auto chosen = hooks_.chooseProjectToOpen();
    if (!chosen || !Check(commands_.Open(chosen->toStdString()), fixed_texts::kError.data())) return;
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::FileSave()
{
    (void)commands_.SaveParams();
    if (!hooks_.chooseProjectToSave) return;
    if (const auto chosen = hooks_.chooseProjectToSave())
        Check(commands_.SaveAs(chosen->toStdString()), fixed_texts::kCannotWrite.data());
}

}  // namespace lumitag::app
