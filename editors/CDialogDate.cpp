#include "editors/CDialogDate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <ctime>

#include "editors/CAutoRichEditCtrl.h"
#include "editors/CSmallIconComboBox.h"
#include "editors/DialogSupport.h"
#include "editors/OffsetControl.h"
#include "editors/PreviewView.h"
#include "editors/RichTextConversion.h"
#include "editors/SlotAccess.h"
#include "editors/TextFormatControls.h"
#include "editors/EditorRules.h"
#include "render/DateText.h"
#include "render/content/ContentWriter.h"
#include "render/content/RtfWriter.h"
#include "render/content/ContentString.h"
#include "render/content/Utf8.h"

namespace lumitag::editors {
namespace {
constexpr const char* kSwitchLabels[6] = {"Y", "M", "D", "W", "T", "S"};
}

CDialogDate::CDialogDate(SlotAccess& access, int slot, QWidget* parent)
    : QDialog(parent), access_(access), slot_(slot), rules_(access.Rules()), asciiOnly_(rules_.rows == 7),
      defaultFormat_(rules_.dateFormat)
{
    setWindowTitle(QStringLiteral("Date Editor"));
    PrepareDialog(this);
    BuildLayout();
    PrepareSlotPreview(*preview_, rules_, access_);

    if (asciiOnly_) {
        formatting_->SetVisible(false);
        arabic_->setVisible(false);
        // The arrows stay and keep working on the hidden list.
        offset_->ShowListAndLabel(false);
    }
    edit_->SetAsciiOnly(asciiOnly_);
    edit_->document()->setDefaultFont(ToQtFormat(defaultFormat_).font());
    edit_->setCurrentCharFormat(ToQtFormat(defaultFormat_));
    edit_->SetTextLimit(int(service::kTextLimit));
    const service::DateFlags defaults = service::DefaultDateFlags();
    for (int part = 0; part < 6; ++part) switches_[part]->setChecked(defaults[part]);

    LoadSlot();
    Relabel(this, kTemplate, true);
    connect(edit_, &CAutoRichEditCtrl::ContentChanged, this, &CDialogDate::OnTextChanged);
    for (QCheckBox* box : switches_)
        connect(box, &QCheckBox::toggled, this, [this] {
            Tick();
            OnTextChanged();
        });
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &CDialogDate::Tick);
    timer_.start();
    OnTextChanged();
    edit_->setFocus();
}

void CDialogDate::BuildLayout()
{
    auto* previewBox = new QGroupBox(QStringLiteral("Preview"), this);
    Identify(previewBox, 1050);
    preview_ = new PreviewView(1094, previewBox);
    Identify(preview_, 1094);
    (new QVBoxLayout(previewBox))->addWidget(preview_);

    auto* editBox = new QGroupBox(QStringLiteral("Edit"), this);
    Identify(editBox, 1051);
    edit_ = new CAutoRichEditCtrl(editBox);
    Identify(edit_, 1063);
    edit_->setMinimumHeight(70);
    formatting_ = new TextFormatControls(edit_, editBox);
    arabic_ = new QCheckBox(QStringLiteral("Arabic"), editBox);
    Identify(arabic_, 1098);
    offset_ = new OffsetControl(editBox);
    counter_ = new QLabel(editBox);
    Identify(counter_, 1090);

    auto* formatLabel = new QLabel(QStringLiteral("Format"), editBox);
    Identify(formatLabel, 1093);
    sample_ = new QLineEdit(editBox);
    Identify(sample_, 1066);
    sample_->setReadOnly(true);
    // Dates read left to right in every language.
    sample_->setLayoutDirection(Qt::LeftToRight);
    sample_->setMinimumWidth(sample_->fontMetrics().horizontalAdvance(QStringLiteral("8888-88-88 WWWWWW 88:88:88")));
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(formatLabel);
    for (int part = 0; part < 6; ++part) {
        switches_[part] = new QCheckBox(QString::fromLatin1(kSwitchLabels[part]), editBox);
        Identify(switches_[part], kFirstSwitchId + part);
        formatRow->addWidget(switches_[part]);
    }
    formatRow->addWidget(sample_, 1);

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
    editLayout->addLayout(formatRow);
    editLayout->addLayout(tools);
    editLayout->addWidget(edit_, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addStretch();
    countRow->addWidget(counter_);
    editLayout->addLayout(countRow);

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

    // The check box follows the text editor: the flag changes at once.
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

void CDialogDate::LoadSlot()
{
    const DateItemParts item = DateItemOf(access_.Content(slot_));
    if (item.isDateItem) {
        for (int part = 0; part < 6; ++part) switches_[part]->setChecked(item.flags[part]);
        bool loaded = false;
        if (item.textPart.starts_with(kRichTextPrefix)) {
            loaded = LoadRtf(*edit_->document(), item.textPart, service::kTextLimit);
        } else if (item.textPart.starts_with(kGlyphTextPrefix)) {
            FormattedText text;
            text.Append(std::string_view(item.textPart).substr(kGlyphTextPrefix.size()), defaultFormat_);
            LoadFormattedText(*edit_->document(), Truncated(text, service::kTextLimit));
            loaded = true;
        }
        if (loaded) edit_->moveCursor(QTextCursor::End);
    }
    if (edit_->document()->isEmpty()) edit_->setCurrentCharFormat(ToQtFormat(defaultFormat_));

    const int arabic = access_.Field(SlotField::arabic, slot_);
    const int offset = access_.Field(SlotField::offset, slot_);
    arabic_->setChecked(arabic != 0);
    offset_->SetOffset(offset);
    preview_->Window().SetArabic(arabic);
    preview_->Window().SetVerticalOffset(offset);
    preview_->Refresh();
    Tick();
    formatting_->FollowCaret();
}

std::array<bool, 6> CDialogDate::Switches() const
{
    std::array<bool, 6> on{};
    for (int part = 0; part < 6; ++part) on[part] = switches_[part]->isChecked();
    return on;
}

EditorResult CDialogDate::Result() const
{
    EditorResult result;
    result.form = EditorResult::Form::DateItem;
    result.dateFlags = Switches();
    if (asciiOnly_)
        result.plain = utf8::Encode(WithoutLineBreaks(PlainTextCrLf(*edit_->document())));
    else
        result.formatted = SaveFormattedText(*edit_->document(), defaultFormat_);
    return result;
}

std::string CDialogDate::PreviewContent() const
{
    const EditorResult result = Result();
    return DateItemContent(result.dateFlags, asciiOnly_ ? GlyphTextContent(result.plain) : WriteRtf(result.formatted));
}

void CDialogDate::RefreshSample(const std::tm* now)
{
    std::string flags;
    for (bool on : Switches()) flags += on ? '1' : '0';
    sample_->setText(QString::fromStdString(FormatDateText(flags, now)));
}

void CDialogDate::Tick()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    RefreshSample(localtime_r(&now, &local) ? &local : nullptr);
}

void CDialogDate::OnTextChanged()
{
    const auto length = WithoutLineBreaks(PlainTextCrLf(*edit_->document())).size();
    counter_->setText(QStringLiteral("%1/255").arg(length));
    preview_->SetContent(PreviewContent());
}

void CDialogDate::accept()
{
    stored_ = access_.Store(slot_, Result());
    if (!stored_) return;
    timer_.stop();
    QDialog::accept();
}

}  // namespace lumitag::editors
