// The main window's play/pause toggle for the previews: a View menu item and
// a toolbar button sharing one action, remembered in the settings and off by
// default, so the window starts with the still previews.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/Art.h"
#include "app/CLumitagv11Dlg.h"
#include "app/PreviewPlayback.h"
#include "app/PreviewWidget.h"
#include "model/SettingsStore.h"

namespace lumitag::app {

void CLumitagv11Dlg::BuildPlayback()
{
    std::array<PreviewWidget*, kSlotCount> previews{};
    for (int slot = 0; slot < kSlotCount; ++slot) previews[static_cast<std::size_t>(slot)] = Preview(slot);
    playback_ = new PreviewPlayback(session_, previews, this);

    playAction_ = new QAction(ArtIcon(QStringLiteral("play")), QStringLiteral("Play previews(&P)"), this);
    playAction_->setObjectName(QStringLiteral("playPreviews"));
    playAction_->setCheckable(true);
    playAction_->setToolTip(QStringLiteral("Play every row's effect in its preview, as the sign will"));
    // Before Help, outside the relabelled menus, whose order stays the program's.
    auto* view = new QMenu(QStringLiteral("View(&V)"), this);
    view->addAction(playAction_);
    QAction* help = topMenus_.empty() ? nullptr : topMenus_.back()->menuAction();
    menuBar()->insertMenu(help, view);
    QToolBar* toolbar = addToolBar(QStringLiteral("View"));
    toolbar->setObjectName(QStringLiteral("viewToolBar"));
    toolbar->setMovable(false);
    toolbar->addAction(playAction_);

    const bool remembered = session_.Settings().GetPlayPreviews();
    playAction_->setChecked(remembered);
    SetPreviewsPlaying(remembered);
    connect(playAction_, &QAction::toggled, this, [this](bool on) {
        SetPreviewsPlaying(on);
        session_.Settings().SetPlayPreviews(on);
    });
}

void CLumitagv11Dlg::SetPreviewsPlaying(bool on)
{
    playAction_->setIcon(ArtIcon(on ? QStringLiteral("pause") : QStringLiteral("play")));
    playback_->SetPlaying(on);
}

}  // namespace lumitag::app
