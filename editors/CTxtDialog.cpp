#include "editors/CTxtDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "editors/CAutoRichEditCtrl.h"
#include "editors/CSmallIconComboBox.h"
#include "editors/DialogSupport.h"
#include "editors/OffsetControl.h"
#include "editors/PreviewView.h"
#include "editors/RichTextConversion.h"
#include "editors/SlotAccess.h"
#include "editors/SymbolPictures.h"
#include "editors/TextFormatControls.h"
#include "render/content/ContentWriter.h"
#include "render/content/RtfWriter.h"
#include "render/content/ContentString.h"
#include "render/content/Utf8.h"

namespace lumitag::editors {
namespace {

constexpr int kRowAFirstId = 20110;
constexpr int kRowACount = 32;
constexpr int kRowsBFirstId = 1104;
constexpr int kRowsBCount = 66;
// Row B pictures insert the symbols after row A's: id - 1072.
constexpr int kRowsBTokenBase = kRowsBFirstId - 32;

}  // namespace

CTxtDialog::CTxtDialog(SlotAccess& access, int slot, QWidget* parent)
    : QDialog(parent), access_(access), slot_(slot), rules_(access.Rules()), asciiOnly_(rules_.rows == 7),
      defaultFormat_(rules_.textFormat)
{
    setWindowTitle(QStringLiteral("Text Editor"));
    PrepareDialog(this);
    BuildLayout();

    PrepareSlotPreview(*preview_, rules_, access_);
    preview_->Window().SetLayoutFlag(service::RowLayoutFlag(rules_, access_.Field(SlotField::time, slot_),
                                                            access_.Field(SlotField::effect, slot_)));

    rowA_->setVisible(rules_.symbolRowA);
    rowsB_->setVisible(rules_.symbolRowB);
    if (asciiOnly_) {
        formatting_->SetVisible(false);
        arabic_->setVisible(false);
        offset_->setVisible(false);
    }
    edit_->SetAsciiOnly(asciiOnly_);
    edit_->document()->setDefaultFont(ToQtFormat(defaultFormat_).font());
    edit_->setCurrentCharFormat(ToQtFormat(defaultFormat_));
    edit_->SetTextLimit(int(service::kTextLimit));

    LoadSlot();
    Relabel(this, kTemplate, true);
    connect(edit_, &CAutoRichEditCtrl::ContentChanged, this, &CTxtDialog::OnTextChanged);
    OnTextChanged();
    edit_->setFocus();
}

void CTxtDialog::BuildLayout()
{
    auto* previewBox = new QGroupBox(QStringLiteral("Preview"), this);
    Identify(previewBox, 1050);
    preview_ = new PreviewView(20060, previewBox);
    Identify(preview_, 20060);
    (new QVBoxLayout(previewBox))->addWidget(preview_);

    auto* editBox = new QGroupBox(QStringLiteral("Edit"), this);
    Identify(editBox, 1051);
    edit_ = new CAutoRichEditCtrl(editBox);
    Identify(edit_, 1063);
    edit_->setMinimumHeight(90);
    formatting_ = new TextFormatControls(edit_, editBox);
    arabic_ = new QCheckBox(QStringLiteral("Arabic"), editBox);
    Identify(arabic_, 1098);
    offset_ = new OffsetControl(editBox);
    counter_ = new QLabel(editBox);
    Identify(counter_, 1090);

    std::vector<SymbolPicture> rowA;
    const int rows = rules_.rows;
    for (int i = 0; i < kRowACount; ++i)
        rowA.push_back({kRowAFirstId + i, AnimationPicture(access_.Glyphs(), rows, i), QString::fromStdString(SymbolToken(i))});
    rowA_ = new SymbolPictures(rowA, 16, editBox);
    std::vector<SymbolPicture> rowsB;
    for (int i = 0; i < kRowsBCount; ++i) {
        const int number = kRowsBFirstId + i - kRowsBTokenBase;
        rowsB.push_back({kRowsBFirstId + i, AnimationPicture(access_.Glyphs(), 7, number),
                         QString::fromStdString(SymbolToken(number))});
    }
    rowsB_ = new SymbolPictures(rowsB, 22, editBox);
    connect(rowA_, &SymbolPictures::Picked, this, &CTxtDialog::InsertSymbol);
    connect(rowsB_, &SymbolPictures::Picked, this, &CTxtDialog::InsertSymbol);

    auto* tools = new QHBoxLayout;
    tools->addWidget(formatting_->FontList(), 3);
    tools->addWidget(formatting_->SizeList(), 1);
    tools->addWidget(formatting_->ColourList());
    tools->addWidget(formatting_->Bold());
    tools->addWidget(formatting_->Italic());
    tools->addWidget(formatting_->Underline());
    tools->addStretch();
    tools->addWidget(arabic_);
    tools->addWidget(offset_);

    auto* editLayout = new QVBoxLayout(editBox);
    editLayout->addLayout(tools);
    editLayout->addWidget(edit_, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addStretch();
    countRow->addWidget(counter_);
    editLayout->addLayout(countRow);
    editLayout->addWidget(rowA_, 0, Qt::AlignLeft);
    editLayout->addWidget(rowsB_, 0, Qt::AlignLeft);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    Identify(ok, 1);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Identify(cancel, 2);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(previewBox);
    layout->addWidget(editBox, 1);
    layout->addLayout(buttons);

    connect(arabic_, &QCheckBox::clicked, this, [this](bool checked) {
        access_.SetField(SlotField::arabic, slot_, checked ? 1 : 0);
        preview_->Window().SetArabic(checked ? 1 : 0);
        preview_->Refresh();
    });
    connect(offset_, &OffsetControl::OffsetChosen, this, [this](int offset) {
        access_.SetField(SlotField::offset, slot_, offset);
        preview_->Window().SetVerticalOffset(offset);
        preview_->Refresh();
    });
}

void CTxtDialog::LoadSlot()
{
    const std::string content = access_.Content(slot_);
    bool loaded = false;
    if (content.starts_with(kRichTextPrefix)) {
        loaded = LoadRtf(*edit_->document(), content, service::kTextLimit);
    } else if (content.starts_with(kGlyphTextPrefix)) {
        FormattedText text;
        text.Append(std::string_view(content).substr(kGlyphTextPrefix.size()), defaultFormat_);
        LoadFormattedText(*edit_->document(), Truncated(text, service::kTextLimit));
        loaded = true;
    }
    if (loaded) {
        QTextCursor end(edit_->document());
        end.movePosition(QTextCursor::End);
        edit_->setTextCursor(end);
    }
    if (edit_->document()->isEmpty()) edit_->setCurrentCharFormat(ToQtFormat(defaultFormat_));

    const int arabic = access_.Field(SlotField::arabic, slot_);
    const int offset = access_.Field(SlotField::offset, slot_);
    arabic_->setChecked(arabic != 0);
    offset_->SetOffset(offset);
    preview_->Window().SetArabic(arabic);
    preview_->Window().SetVerticalOffset(offset);
    preview_->Refresh();
    formatting_->FollowCaret();
}

int CTxtDialog::TextLength() const
{
    return static_cast<int>(WithoutLineBreaks(PlainTextCrLf(*edit_->document())).size());
}

EditorResult CTxtDialog::Result() const
{
    EditorResult result;
    if (asciiOnly_) {
        result.form = EditorResult::Form::GlyphText;
        result.plain = utf8::Encode(WithoutLineBreaks(PlainTextCrLf(*edit_->document())));
    } else {
        result.form = EditorResult::Form::FormattedText;
        result.formatted = SaveFormattedText(*edit_->document(), defaultFormat_);
    }
    return result;
}

std::string CTxtDialog::PreviewContent() const
{
    const EditorResult result = Result();
    return asciiOnly_ ? GlyphTextContent(result.plain) : WriteRtf(result.formatted);
}

void CTxtDialog::OnTextChanged()
{
    counter_->setText(QStringLiteral("%1/255").arg(TextLength()));
    preview_->SetContent(PreviewContent());
}

void CTxtDialog::InsertSymbol(int controlId)
{
    const int number = controlId >= kRowAFirstId ? controlId - kRowAFirstId : controlId - kRowsBTokenBase;
    if (TextLength() >= kSymbolRoomLimit) return;
    edit_->textCursor().insertText(QString::fromStdString(SymbolToken(number)));
    edit_->setFocus();
}

void CTxtDialog::accept()
{
    contentEmpty_ = TrimmedWithoutLineBreaks(PlainTextCrLf(*edit_->document())).empty();
    // A refused result keeps the editor open, so nothing typed is lost.
    stored_ = access_.Store(slot_, Result());
    if (stored_) QDialog::accept();
}

}  // namespace lumitag::editors
