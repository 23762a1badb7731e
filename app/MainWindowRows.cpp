// The ten slot rows: following the model, showing the parameter table and
// writing every change back to the work file.

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "app/CLumitagv11Dlg.h"
#include "app/PreviewWidget.h"
#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "model/DeviceCatalogue.h"
#include "render/LayoutFlag.h"
#include "render/SlotImageBuilder.h"

namespace lumitag::app {

namespace {

QString LangText(const std::string& key) { return QString::fromStdString(GetLangString(key)); }

QString EditItemKey(int labelKey) { return QStringLiteral("IDS_EDIT_MENU_ITEM%1").arg(labelKey); }
QString EffectItemKey(int labelKey) { return QStringLiteral("IDS_DZ_MENU_ITEM%1").arg(labelKey); }

// The label of the menu item with `command`, or "" when the menu has none.
QString ItemText(const QMenu* menu, int command)
{
    for (const QAction* action : menu->actions())
        if (action->data().toInt() == command) return action->text();
    return {};
}

bool IsDateOrTextOrImage(int kind) { return kind >= 1 && kind <= 3; }

}  // namespace

void CLumitagv11Dlg::FillRowMenus()
{
    const ModelSettings settings = session_.Worker().Settings();
    for (Row& row : rows_) {
        row.editMenu->clear();
        for (const ContentKindItem& item : ContentKindItems(settings.hasClock)) {
            QAction* action = row.editMenu->addAction(LangText(EditItemKey(item.labelKey).toStdString()));
            action->setData(ids::kMenuBase + item.code);
        }
        row.effectMenu->clear();
        const auto effects = EffectMenuItems(settings.effectMenu);
        for (std::size_t code = 0; code < effects.size(); ++code) {
            QAction* action = row.effectMenu->addAction(LangText(EffectItemKey(effects[code].labelKey).toStdString()));
            action->setData(ids::kMenuBase + static_cast<int>(code));
        }
    }
}

void CLumitagv11Dlg::ApplyModelToRows()
{
    const std::string model = session_.ModelName();
    SendWorker& worker = session_.Worker();
    worker.ApplyModel(model);
    const ModelSettings settings = worker.Settings();
    for (Row& row : rows_) {
        CImageWnd& window = row.preview->Window();
        window.SetRows(settings.rows);
        window.SetHeightOverride(PreviewHeightOverride(model));
        window.SetPaging(settings.pageWidth, settings.pagePitch);
        row.preview->Invalidate();
    }
    SetStatus(0, QString::fromStdString(ModelStatusText(model, CurrentLanguage())));
    checkTime_->setVisible(settings.hasClock);
    hasClock_ = settings.hasClock;
    busModel_ = settings.busModel;
    FillRowMenus();
    for (int slot = 8; slot < kSlotCount; ++slot) {
        const bool shown = settings.slotCount > slot;
        for (QWidget* widget : rows_[slot].widgets) widget->setVisible(shown);
    }
    UpdateCommandStates();
}

void CLumitagv11Dlg::RefreshRows()
{
    const SlotParamTable& params = session_.Program().Params();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Row& row = rows_[slot];
        row.edit->setText(ItemText(row.editMenu, ids::kMenuBase + params.at(SlotField::kind, slot)));
        row.effect->setText(ItemText(row.effectMenu, ids::kMenuBase + params.at(SlotField::effect, slot)));
        // A value outside its list leaves the list without a selection.
        const int speed = params.at(SlotField::speed, slot);
        row.speed->setCurrentIndex(speed >= 0 && speed < row.speed->count() ? speed : -1);
        const int time = params.at(SlotField::time, slot);
        row.time->setCurrentIndex(time >= 0 && time < row.time->count() ? time : -1);
        row.blink->setChecked(params.at(SlotField::blink, slot) != 0);
        row.arabic->setChecked(params.at(SlotField::arabic, slot) != 0);
        row.marquee->setChecked(params.at(SlotField::marquee, slot) != 0);
        row.send->setChecked(params.at(SlotField::send, slot) != 0);
        UpdateRowEnabling(slot);
    }
}

void CLumitagv11Dlg::UpdateRowEnabling(int slot)
{
    Row& row = rows_[slot];
    const SlotParamTable& params = session_.Program().Params();
    const ModelSettings settings = session_.Worker().Settings();
    row.arabic->setChecked(params.at(SlotField::arabic, slot) != 0);
    row.blink->setEnabled(settings.rows != 16);
    const int kind = params.at(SlotField::kind, slot);
    const bool some = kind != 0;
    const bool known = IsDateOrTextOrImage(kind);
    row.send->setEnabled(some);
    row.marquee->setEnabled(some);
    row.speed->setEnabled(some);
    row.arabic->setEnabled(known);
    row.effect->setEnabled(known);
    row.time->setEnabled(known && !TimeSelectorDisabled(session_.ModelName()));
    row.edit->setEnabled(true);
}

void CLumitagv11Dlg::RefreshPreviews()
{
    SignProgram& program = session_.Program();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        PreviewWidget* preview = rows_[slot].preview;
        const std::string content = program.GetContent(slot);
        preview->Window().SetArabic(program.Params().at(SlotField::arabic, slot));
        preview->Window().SetVerticalOffset(program.Params().at(SlotField::offset, slot));
        preview->SetContent(content);
        UpdateLayoutFlag(slot);
    }
}

void CLumitagv11Dlg::UpdateLayoutFlag(int slot)
{
    const SlotParamTable& params = session_.Program().Params();
    PreviewWidget* preview = rows_[slot].preview;
    preview->Window().SetLayoutFlag(
        LayoutFlagFor(session_.ModelName(), params.at(SlotField::time, slot), params.at(SlotField::effect, slot)));
    preview->update();
}

void CLumitagv11Dlg::SetRowFlag(int slot, SlotField field, bool checked)
{
    session_.Program().Params().at(field, slot) = checked ? 1 : 0;
    session_.Program().SaveParams();
}

void CLumitagv11Dlg::ChooseRowMenuItem(int slot, bool editMenu, int command)
{
    Row& row = rows_[slot];
    SignProgram& program = session_.Program();
    if (!editMenu) {
        row.effect->setText(ItemText(row.effectMenu, command));
        program.Params().at(SlotField::effect, slot) = command - ids::kMenuBase;
        program.SaveParams();
        UpdateLayoutFlag(slot);
        return;
    }
    // The editor stores the content, the kind and the send mark in one write.
    if (!hooks_.editSlot || !hooks_.editSlot(slot, command - ids::kMenuBase, false)) return;
    RefreshPreviews();
    RefreshRows();
}

void CLumitagv11Dlg::EditFromPreview(int slot)
{
    const int kind = session_.Program().Params().at(SlotField::kind, slot);
    if (!IsDateOrTextOrImage(kind)) return;  // an empty row has no editor
    if (!hooks_.editSlot || !hooks_.editSlot(slot, kind, true)) return;
    RefreshPreviews();
    RefreshRows();
}

}  // namespace lumitag::app
