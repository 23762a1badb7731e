// The main window: construction, the start-up order, the language, shutdown.

#include "app/CLumitagv11Dlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/AboutDialog.h"
#include "app/Art.h"
#include "app/Boxes.h"
#include "app/CWaitDlg.h"
#include "app/ControlIds.h"
#include "app/PreviewWidget.h"
#include "app/WorkerEvents.h"
#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"
#include "l10n/LanguageSettings.h"
#include "l10n/MenuKeys.h"
#include "model/DeviceCatalogue.h"
#include "model/ProgramFolder.h"
#include "ui/Layout.h"

namespace lumitag::app {

namespace {

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Column headings: control id and English text (the pack relabels them).
struct Heading {
    int id;
    const char* text;
};
constexpr Heading kHeadings[] = {
    {ids::kHeadPreview, "Preview"}, {ids::kHeadEdit, "Edit"},   {ids::kHeadEffect, "Effect"},
    {ids::kHeadSpeed, "Speed"},     {ids::kHeadTime, "Time"},   {ids::kHeadBlink, "Blink"},
    {ids::kHeadMarquee, "Marquee"}, {ids::kHeadSend, "Send"},
};

QPushButton* FaceButton(int id, const char* text, const char* art, QWidget* parent)
{
    auto* button = new QPushButton(QIcon(ArtIcon(art)), QString::fromLatin1(text), parent);
    SetControlId(button, id);
    button->setToolTip(button->text());
    button->setAutoDefault(false);
    return button;
}

// The flat image check boxes of the rows.
constexpr const char* kRowFlagStyle =
    "QCheckBox#rowFlag::indicator { width: 16px; height: 16px; }"
    "QCheckBox#rowFlag::indicator:unchecked { image: url(:/art/check-off.svg); }"
    "QCheckBox#rowFlag::indicator:checked { image: url(:/art/check-on.svg); }"
    "QCheckBox#rowFlag::indicator:disabled:unchecked { image: url(:/art/check-off-disabled.svg); }"
    "QCheckBox#rowFlag::indicator:disabled:checked { image: url(:/art/check-on-disabled.svg); }";

}  // namespace

CLumitagv11Dlg::CLumitagv11Dlg(service::Session& session, DialogHooks hooks, WindowOptions options, QWidget* parent)
    : QMainWindow(parent), session_(session), sending_(session), series_(session, sending_), devices_(session),
      commands_(session), hooks_(std::move(hooks)), options_(options),
      events_(new WorkerEvents(this))
{
    setWindowTitle(QStringLiteral("Lumitag Rirazed V9.92"));
    EnsureArt();  // the row check boxes' style sheet names the artwork
    setWindowIcon(ArtIcon(QStringLiteral("lumitag")));
    for (int id : {kTimerEnableSend, kTimerProgress, kTimerClock, kTimerFillIds, kTimerSaveIds, kTimerFirstDevice}) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(id != kTimerProgress);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
        timers_[id] = timer;
    }
    timers_[kTimerEnableSend]->setInterval(1000);
    timers_[kTimerProgress]->setInterval(100);
    timers_[kTimerClock]->setInterval(800);
    timers_[kTimerFillIds]->setInterval(300);
    timers_[kTimerSaveIds]->setInterval(1000);
    timers_[kTimerFirstDevice]->setInterval(200);

    BuildMenus();
    auto* central = new QWidget(this);
    ApplyDialogBackground(central);
    central->setStyleSheet(QString::fromLatin1(kRowFlagStyle));
    auto* outer = new QVBoxLayout(central);
    outer->addWidget(BuildTopBar());
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildIdPanel());
    middle->addWidget(BuildRows(), 1);
    outer->addLayout(middle, 1);
    outer->addWidget(BuildBottomBar());
    setCentralWidget(central);
    BuildStatusBar();
    ConnectWorker();
    Initialise();
    BuildPlayback();
}

CLumitagv11Dlg::~CLumitagv11Dlg()
{
    // The worker outlives the window: stop it from reporting to a window that
    // is gone, and let a running job end first.
    session_.SetEvents(nullptr);
    session_.Worker().Wait();
}

QTimer& CLumitagv11Dlg::TimerFor(int id) { return *timers_.at(id); }

QAction* CLumitagv11Dlg::Action(int command) const
{
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* CLumitagv11Dlg::RowMenu(int slot, bool editMenu) const
{
    return editMenu ? rows_.at(slot).editMenu : rows_.at(slot).effectMenu;
}

PreviewWidget* CLumitagv11Dlg::Preview(int slot) const { return rows_.at(slot).preview; }

QString CLumitagv11Dlg::StatusText(int pane) const { return panes_.at(pane)->text(); }

void CLumitagv11Dlg::SetStatus(int pane, const QString& text) { panes_.at(pane)->setText(text); }

void CLumitagv11Dlg::BuildMenus()
{
    auto add = [this](QMenu* menu, int command, const char* text, auto slot) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setData(command);
        connect(action, &QAction::triggered, this, slot);
        actions_[command] = action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    add(file, ids::kFileNew, "New(&N)", [this] { FileNew(); });
    add(file, ids::kFileOpen, "Open(&O)", [this] { FileOpen(); });
    add(file, ids::kFileSave, "Save(&S)", [this] { FileSave(); });
    file->addSeparator();
    add(file, ids::kFileExit, "Exit(&E)", [this] { FileExit(); });
    QMenu* setting = menuBar()->addMenu(QStringLiteral("Setting(&S)"));
    add(setting, ids::kModifyId, "ID Modify(&I)", [this] {
        if (hooks_.openIdTool) hooks_.openIdTool();
    });
    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools(&T)"));
    add(tools, ids::kToolCheckTime, "Synchronize Time(&V)", [this] { CheckTime(); });
    add(tools, ids::kToolSend, "Send(&T)", [this] { Send(); });
    add(tools, ids::kToolGroupSend, "Group Send(&G)", [this] { GroupSend(); });
    languageMenu_ = menuBar()->addMenu(QStringLiteral("Language(&L)"));
    for (const LanguageInfo& language : kLanguages) {
        QAction* action = languageMenu_->addAction(Qs(language.menuLabel));
        action->setCheckable(true);
        action->setData(language.menuCommand);
        const int index = language.index;
        connect(action, &QAction::triggered, this, [this, index] { ChooseLanguage(index); });
        actions_[language.menuCommand] = action;
    }
    // The check mark follows the stored setting each time the menu opens.
    connect(languageMenu_, &QMenu::aboutToShow, this, [this] {
        const auto checks = LanguageMenuChecks(session_.Settings());
        for (std::size_t i = 0; i < kLanguages.size(); ++i)
            actions_[kLanguages[i].menuCommand]->setChecked(checks[i]);
    });
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    add(help, ids::kHelpAbout, "About(&A)", [this] { About(); });
    topMenus_ = {file, setting, tools, languageMenu_, help};
}

QWidget* CLumitagv11Dlg::BuildTopBar()
{
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* modelLabel = new QLabel(QStringLiteral("Model"), bar);
    SetControlId(modelLabel, ids::kModelLabel);
    modelSelector_ = new QComboBox(bar);
    SetControlId(modelSelector_, ids::kModelSelector);
    auto* comLabel = new QLabel(QStringLiteral("COM"), bar);
    deviceSelector_ = new QComboBox(bar);
    SetControlId(deviceSelector_, ids::kDeviceSelector);
    deviceSelector_->setMinimumContentsLength(8);
    connection_ = new QLabel(bar);
    SetControlId(connection_, ids::kConnection);
    mode485_ = new QCheckBox(QStringLiteral("485"), bar);
    SetControlId(mode485_, ids::kMode485);
    auto* bmpEditor = FaceButton(ids::kBmpEditor, "Bmp editor", "bmp-editor", bar);
    checkTime_ = FaceButton(ids::kCheckTime, "Check time", "check-time", bar);
    auto* toFile = new QToolButton(bar);
    SetControlId(toFile, ids::kToFile);
    toFile->setIcon(ArtIcon(QStringLiteral("to-file")));
    toFile->setIconSize(QSize(20, 20));
    toFile->setToolTip(QStringLiteral("Write to file"));

    for (QWidget* widget : std::initializer_list<QWidget*>{modelLabel, modelSelector_, comLabel, deviceSelector_,
                                                          connection_, mode485_, bmpEditor, checkTime_})
        layout->addWidget(widget);
    layout->addStretch(1);
    layout->addWidget(toFile);

    connect(modelSelector_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ChooseModel(modelSelector_->itemText(index)); });
    connect(deviceSelector_, &QComboBox::currentIndexChanged, this, [this](int index) { ChooseDevice(index); });
    connect(mode485_, &QCheckBox::clicked, this, [this](bool on) { SetMode485(on); });
    connect(bmpEditor, &QPushButton::clicked, this, [this] { RunImageEditor(); });
    connect(checkTime_, &QPushButton::clicked, this, [this] {
        CheckTime();
        SetStatus(3, QString());
    });
    connect(toFile, &QToolButton::clicked, this, [this] { WriteToFile(); });
    return bar;
}

QWidget* CLumitagv11Dlg::BuildIdPanel()
{
    auto* frame = new QGroupBox(QStringLiteral("LEDS"), this);
    auto* layout = new QGridLayout(frame);
    idTree_ = new QTreeWidget(frame);
    SetControlId(idTree_, ids::kIdTree);
    idTree_->setHeaderHidden(true);
    idTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    idTree_->setMinimumWidth(fontMetrics().averageCharWidth() * 22);
    layout->addWidget(idTree_, 0, 0, 1, 2);
    auto* add = FaceButton(ids::kAdd, "Add", "id-add", frame);
    auto* del = FaceButton(ids::kDel, "Del", "id-del", frame);
    auto* modify = FaceButton(ids::kModify, "Modify", "id-modify", frame);
    scanButton_ = FaceButton(ids::kScan, "Scan", "scan", frame);
    layout->addWidget(add, 1, 0);
    layout->addWidget(del, 1, 1);
    layout->addWidget(modify, 2, 0);
    layout->addWidget(scanButton_, 2, 1);
    connect(add, &QPushButton::clicked, this, [this] { AddIds(); });
    connect(modify, &QPushButton::clicked, this, [this] { ModifyId(); });
    connect(del, &QPushButton::clicked, this, [this] { DeleteId(); });
    connect(scanButton_, &QPushButton::clicked, this, [this] { Scan(); });
    connect(idTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { SelectIdItem(item); });
    connect(idTree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { ToggleIdCheck(item); });
    connect(idTree_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* item = idTree_->itemAt(at);
        if (!item || !item->parent()) return;  // the root and empty space have no menu
        contextTarget_ = item->data(0, Qt::UserRole).toInt();
        QMenu menu(this);
        QAction* copy = menu.addAction(Qs(fixed_texts::kCopyContent));
        QAction* paste = menu.addAction(Qs(fixed_texts::kPasteContent));
        QAction* chosen = menu.exec(idTree_->viewport()->mapToGlobal(at));
        if (chosen == copy) CopyProgram(contextTarget_);
        if (chosen == paste) PasteProgram(contextTarget_);
    });
    return frame;
}

QWidget* CLumitagv11Dlg::BuildRows()
{
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    for (int column = 0; column < static_cast<int>(std::size(kHeadings)); ++column) {
        auto* heading = new QLabel(QString::fromLatin1(kHeadings[column].text), area);
        SetControlId(heading, kHeadings[column].id);
        grid->addWidget(heading, 0, column, column == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    auto* vertical = new QLabel(QStringLiteral("Vertical"), area);  // the hidden column's heading
    SetControlId(vertical, ids::kHeadVertical);
    vertical->hide();
    grid->addWidget(vertical, 0, 8);

    QStringList speeds, times;
    for (int i = 1; i <= 8; ++i) speeds << QString::number(i);
    for (int i = 0; i <= 5; ++i) times << QStringLiteral("%1s").arg(i);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Row& row = rows_[slot];
        const int line = slot + 1;
        row.preview = new PreviewWidget(ids::kPreview + slot, area);
        row.edit = new QToolButton(area);
        row.effect = new QToolButton(area);
        row.editMenu = new QMenu(row.edit);
        row.effectMenu = new QMenu(row.effect);
        for (auto [button, menu, id] : {std::tuple{row.edit, row.editMenu, ids::kEditButton},
                                        std::tuple{row.effect, row.effectMenu, ids::kEffectButton}}) {
            SetControlId(button, id + slot);
            button->setMenu(menu);
            button->setPopupMode(QToolButton::InstantPopup);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setMinimumWidth(fontMetrics().averageCharWidth() * 11);
            button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        }
        const bool editMenu = true;
        connect(row.editMenu, &QMenu::triggered, this,
                [this, slot, editMenu](QAction* a) { ChooseRowMenuItem(slot, editMenu, a->data().toInt()); });
        connect(row.effectMenu, &QMenu::triggered, this,
                [this, slot](QAction* a) { ChooseRowMenuItem(slot, false, a->data().toInt()); });
        row.speed = new QComboBox(area);
        row.speed->addItems(speeds);
        SetControlId(row.speed, ids::kSpeed + slot);
        row.time = new QComboBox(area);
        row.time->addItems(times);
        SetControlId(row.time, ids::kTime + slot);
        auto flag = [area](int id) {
            auto* box = new QCheckBox(area);
            box->setObjectName(QStringLiteral("rowFlag"));
            SetControlId(box, id);
            return box;
        };
        row.blink = flag(ids::kBlink + slot);
        row.marquee = flag(ids::kMarquee + slot);
        row.send = flag(ids::kSend + slot);
        row.arabic = flag(ids::kArabic + slot);
        row.arabic->hide();  // the right-to-left box is never shown

        int column = 0;
        for (QWidget* widget : std::initializer_list<QWidget*>{row.preview, row.edit, row.effect, row.speed,
                                                              row.time, row.blink, row.marquee, row.send}) {
            grid->addWidget(widget, line, column, column >= 5 ? Qt::AlignHCenter : Qt::Alignment());
            row.widgets.push_back(widget);
            ++column;
        }
        grid->addWidget(row.arabic, line, 8);

        connect(row.preview, &PreviewWidget::doubleClicked, this, [this, slot] { EditFromPreview(slot); });
        connect(row.speed, &QComboBox::activated, this, [this, slot](int index) {
            session_.Program().Params().at(SlotField::speed, slot) = index;
            session_.Program().SaveParams();
        });
        connect(row.time, &QComboBox::activated, this, [this, slot](int index) {
            session_.Program().Params().at(SlotField::time, slot) = index;
            session_.Program().SaveParams();
            UpdateLayoutFlag(slot);
        });
        connect(row.blink, &QCheckBox::clicked, this, [this, slot](bool on) { SetRowFlag(slot, SlotField::blink, on); });
        connect(row.marquee, &QCheckBox::clicked, this,
                [this, slot](bool on) { SetRowFlag(slot, SlotField::marquee, on); });
        connect(row.send, &QCheckBox::clicked, this, [this, slot](bool on) { SetRowFlag(slot, SlotField::send, on); });
        connect(row.arabic, &QCheckBox::clicked, this,
                [this, slot](bool on) { SetRowFlag(slot, SlotField::arabic, on); });
    }
    grid->setColumnStretch(0, 1);
    return area;
}

QWidget* CLumitagv11Dlg::BuildBottomBar()
{
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    progress_ = new QProgressBar(bar);
    SetControlId(progress_, ids::kProgress);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    sendButton_ = FaceButton(ids::kSendButton, "Send", "send", bar);
    sendButton_->setIconSize(QSize(24, 24));
    layout->addWidget(progress_, 1);
    layout->addWidget(sendButton_);
    connect(sendButton_, &QPushButton::clicked, this, [this] { Send(); });
    return bar;
}

void CLumitagv11Dlg::BuildStatusBar()
{
    constexpr int kWidths[] = {160, 120, 560, 100};
    for (int pane = 0; pane < 4; ++pane) {
        panes_[pane] = new QLabel(statusBar());
        panes_[pane]->setMinimumWidth(kWidths[pane] * fontMetrics().averageCharWidth() / 7);
        statusBar()->addWidget(panes_[pane], pane == 2 ? 1 : 0);
    }
    statusBar()->setSizeGripEnabled(true);
    panes_[1]->setText(QStringLiteral("COM:AUTO"));
}

void CLumitagv11Dlg::ConnectWorker()
{
    connect(events_, &WorkerEvents::progress, this, &CLumitagv11Dlg::OnProgress, Qt::QueuedConnection);
    connect(events_, &WorkerEvents::scanProgress, this, &CLumitagv11Dlg::OnScanProgress, Qt::QueuedConnection);
    connect(events_, &WorkerEvents::groupResult, this, &CLumitagv11Dlg::OnGroupResult, Qt::QueuedConnection);
    connect(events_, &WorkerEvents::scanFinished, this, &CLumitagv11Dlg::OnScanFinished, Qt::QueuedConnection);
    connect(events_, &WorkerEvents::sendFinished, this, &CLumitagv11Dlg::OnSendFinished, Qt::QueuedConnection);
}

void CLumitagv11Dlg::Initialise()
{
    // The order is the program's own: devices, worker and ID list, glyphs,
    // settings and program, selectors, status bar, rows, model, ID list,
    // previews, language, then the delayed device choice and ID list.
    const bool listed = devices_.List().ok();
    if (options_.watchDevices) StartWatchingDevices();
    if (!listed || (options_.watchDevices && !deviceNotifier_))
        ShowBox(session_.reporter(), BoxIcon::None, kProductCaption, std::string(fixed_texts::kHidRegisterFailed));

    session_.SetEvents(events_);
    session_.Ids();  // the ID list is read here

    for (int slot = 0; slot < kSlotCount; ++slot) rows_[slot].preview->Window().SetGlyphCache(&session_.Glyphs());

    const int language = StartupLanguage(session_.Settings());
    (void)session_.LoadCurrentProgram();  // an unreadable program shows empty rows
    mode485_->setChecked(session_.Mode485());
    session_.Worker();  // takes the model, the "485" mode and the current ID

    FillDeviceSelector();
    FillModelSelector();
    ApplyModelToRows();
    FillIdList();
    RefreshPreviews();
    RefreshRows();
    ApplyLanguage(language);
    UpdateCommandStates();

    TimerFor(kTimerFirstDevice).start();
    TimerFor(kTimerFillIds).start();
}

void CLumitagv11Dlg::StartWatchingDevices()
{
    if (!devices_.StartMonitor()) return;
    deviceNotifier_ = new QSocketNotifier(devices_.MonitorFd(), QSocketNotifier::Read, this);
    connect(deviceNotifier_, &QSocketNotifier::activated, this, [this] {
        for (const service::DeviceEvent& event : devices_.HandleMonitorEvents()) ShowDeviceChange(event.change);
    });
}

void CLumitagv11Dlg::FillModelSelector()
{
    const QSignalBlocker block(modelSelector_);
    modelSelector_->clear();
    for (const DeviceModel& model : Catalogue()) modelSelector_->addItem(Qs(model.name));
    // The stored name picks its entry by a prefix match ignoring case; none
    // stored picks the first entry without applying it.
    const QString stored = QString::fromStdString(session_.ModelName());
    int index = 0;
    if (!stored.isEmpty()) {
        for (int i = 0; i < modelSelector_->count(); ++i) {
            if (modelSelector_->itemText(i).startsWith(stored, Qt::CaseInsensitive)) {
                index = i;
                break;
            }
        }
    }
    modelSelector_->setCurrentIndex(index);
}

void CLumitagv11Dlg::ApplyLanguage(int index)
{
    if (lumitag::ApplyLanguage(index, session_.reporter())) Relabel(index);
}

void CLumitagv11Dlg::Relabel(int index)
{
    ui::ApplyLanguageDirection(index);
    RelabelMenus();
    FillRowMenus();
    RefreshRows();
    ApplyDialogTexts(this, ids::kDialog, true);
    // Row controls have no texts of their own in the packs: they take their
    // column's heading as tooltip.
    for (int column = 0; column < static_cast<int>(std::size(kHeadings)); ++column) {
        const QWidget* heading = FindControl(this, kHeadings[column].id);
        const QString tip = heading ? qobject_cast<const QLabel*>(heading)->text() : QString();
        for (Row& row : rows_) row.widgets.at(static_cast<std::size_t>(column))->setToolTip(tip);
    }
    SetStatus(0, QString::fromStdString(ModelStatusText(session_.ModelName(), CurrentLanguage())));
}

void CLumitagv11Dlg::ChooseLanguage(int index)
{
    const bool usable = lumitag::ChooseLanguage(index, session_.Settings(), session_.reporter());
    if (usable) Relabel(index);
}

void CLumitagv11Dlg::RelabelMenus()
{
    for (const MenuLabel& label : MenuLabels(kTopMenuKeys))
        topMenus_.at(static_cast<std::size_t>(label.id))->setTitle(QString::fromStdString(label.text));
    for (const MenuLabel& label : MenuLabels(kMenuItemKeys))
        if (QAction* action = Action(label.id)) action->setText(QString::fromStdString(label.text));
}

void CLumitagv11Dlg::About()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CLumitagv11Dlg::FileExit()
{
    if (options_.askOnExit &&
        !AskBox(session_.reporter(), BoxIcon::Question, "", std::string(fixed_texts::kExit)))
        return;
    close();
}

void CLumitagv11Dlg::closeEvent(QCloseEvent* event)
{
    (void)commands_.SaveParams();
    if (waitDialog_) waitDialog_->close();
    QMainWindow::closeEvent(event);
}

void CLumitagv11Dlg::keyPressEvent(QKeyEvent* event)
{
    // Escape closes at once (saving the parameters); Enter does nothing.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QMainWindow::keyPressEvent(event);
}

}  // namespace lumitag::app
