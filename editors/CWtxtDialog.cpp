#include "editors/CWtxtDialog.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/CDialogFace.h"
#include "editors/CEditWnd.h"
#include "editors/CSmallIconComboBox.h"
#include "editors/DialogSupport.h"
#include "editors/PreviewView.h"
#include "editors/SlotAccess.h"
#include "editors/SymbolPictures.h"
#include "render/content/ContentString.h"
#include "render/content/ContentWriter.h"

namespace lumitag::editors {
namespace {

constexpr int kFirstPictureId = 1104;
constexpr int kPictureCount = 66;
// Picture id minus this is the character it inserts (128..193).
constexpr int kPictureCharacterOffset = 976;

}  // namespace

CWtxtDialog::CWtxtDialog(SlotAccess& access, int slot, QWidget* parent)
    : QDialog(parent), access_(access), slot_(slot), rules_(access.Rules())
{
    setWindowTitle(QStringLiteral("Text Editor"));
    PrepareDialog(this);
    pickerRunner_ = [](CDialogFace& picker) { picker.exec(); };
    BuildLayout();
    PrepareSlotPreview(*preview_, rules_, access_);
    edit_->SetGlyphCache(access_.Glyphs());
    fonts_->setCurrentIndex(0);
    colours_->setCurrentIndex(0);
    LoadSlot();
    Relabel(this, kTemplate, false);
    edit_->setFocus();
}

void CWtxtDialog::BuildLayout()
{
    auto* previewBox = new QGroupBox(QStringLiteral("Preview"), this);
    Identify(previewBox, 1050);
    preview_ = new PreviewView(20060, previewBox);
    Identify(preview_, 20060);
    (new QVBoxLayout(previewBox))->addWidget(preview_);

    auto* editBox = new QGroupBox(QStringLiteral("Edit"), this);
    Identify(editBox, 1051);
    edit_ = new CEditWnd(editBox);
    Identify(edit_, 1102);
    edit_->setMinimumHeight(80);
    fonts_ = new QComboBox(editBox);
    Identify(fonts_, 20000);
    for (std::string_view font : service::BitmapFonts()) fonts_->addItem(QString::fromLatin1(font.data(), font.size()));
    colours_ = new CSmallIconComboBox(editBox);
    Identify(colours_, 20001);
    for (int i = 0; i < service::kBitmapFontColours; ++i) colours_->AddColour(service::EditorColours()[i].code);
    picker_ = new QToolButton(editBox);
    Identify(picker_, 1065);
    picker_->setIcon(EditorIcon(QStringLiteral("symbols")));
    picker_->setIconSize(QSize(22, 22));

    std::vector<SymbolPicture> pictures;
    for (int i = 0; i < kPictureCount; ++i) {
        const int character = kFirstPictureId + i - kPictureCharacterOffset;
        pictures.push_back({kFirstPictureId + i, GlyphPicture(access_.Glyphs(), character), QString()});
    }
    auto* symbols = new SymbolPictures(pictures, 22, editBox);
    connect(symbols, &SymbolPictures::Picked, this, [this](int id) {
        edit_->InsertChar(static_cast<std::uint32_t>(id - kPictureCharacterOffset));
        edit_->setFocus();
    });

    auto* tools = new QHBoxLayout;
    tools->addWidget(fonts_);
    tools->addWidget(colours_);
    tools->addWidget(picker_);
    tools->addStretch();
    auto* editLayout = new QVBoxLayout(editBox);
    editLayout->addLayout(tools);
    editLayout->addWidget(edit_, 1);
    editLayout->addWidget(symbols, 0, Qt::AlignLeft);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    Identify(ok, 1);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Identify(cancel, 2);
    for (QPushButton* button : {ok, cancel}) button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(previewBox);
    layout->addWidget(editBox, 1);
    layout->addLayout(bottom);

    connect(fonts_, &QComboBox::activated, this, &CWtxtDialog::ChooseFont);
    connect(colours_, &QComboBox::activated, this, [this](int index) {
        edit_->SetColourIndex(index);
        edit_->setFocus();
    });
    connect(picker_, &QToolButton::clicked, this, &CWtxtDialog::OpenPicker);
    connect(edit_, &CEditWnd::Changed, this, [this] { preview_->SetContent(GlyphCodesContent(edit_->Codes())); });
}

void CWtxtDialog::ChooseFont(int index)
{
    edit_->SetFontIndex(index);
    edit_->setFocus();
    picker_->setEnabled(service::BitmapFontHasPicker(index));
}

void CWtxtDialog::LoadSlot()
{
    const std::string content = access_.Content(slot_);
    const std::vector<std::uint32_t> codes = GlyphCodesOf(content, service::kMaxEditorGlyphCodes);
    if (!codes.empty() && codes.back() != 0) {
        const int font = static_cast<int>(GlyphFont(codes.back()));
        const int colour = static_cast<int>(GlyphColour(codes.back()));
        // A font or colour outside the lists selects no entry.
        fonts_->setCurrentIndex(font < fonts_->count() ? font : -1);
        colours_->setCurrentIndex(colour < colours_->count() ? colour : -1);
        edit_->SetFontIndex(font);
        edit_->SetColourIndex(colour);
        picker_->setEnabled(service::BitmapFontHasPicker(font));
    }
    if (codes.empty()) return;
    preview_->SetContent(content);
    edit_->InsertCodes(codes);
}

EditorResult CWtxtDialog::Result() const
{
    EditorResult result;
    result.form = EditorResult::Form::GlyphCodes;
    result.codes = edit_->Codes();
    return result;
}

void CWtxtDialog::OpenPicker()
{
    const QString folder = QString::fromStdString((access_.ProgramFolder() / "Data" / "ASCII" / "Eruope").string());
    CDialogFace picker(edit_, folder, this);
    pickerRunner_(picker);
}

void CWtxtDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();  // neither closes the editor
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CWtxtDialog::accept()
{
    contentEmpty_ = edit_->Codes().empty();
    stored_ = access_.Store(slot_, Result());
    if (stored_) QDialog::accept();
}

}  // namespace lumitag::editors
