#include "editors/TextFormatControls.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QToolButton>

#include "editors/CAutoRichEditCtrl.h"
#include "editors/CSmallIconComboBox.h"
#include "editors/DialogSupport.h"
#include "service/SlotEditing.h"
#include "editors/RichTextConversion.h"

namespace lumitag::editors {

QStringList InstalledFamilies()
{
    // fontconfig lists a family once per foundry ("Sans [Foundry]"): the
    // face name is what a content string stores, so each name is offered once.
    QStringList families;
    for (QString family : QFontDatabase::families()) {
        const int bracket = family.indexOf(QLatin1String(" ["));
        if (bracket > 0) family.truncate(bracket);
        if (!families.contains(family)) families.append(family);
    }
    families.sort(Qt::CaseInsensitive);
    return families;
}

TextFormatControls::TextFormatControls(CAutoRichEditCtrl* edit, QWidget* parent) : QObject(parent), edit_(edit)
{
    fonts_ = new QComboBox(parent);
    Identify(fonts_, 20002);
    fonts_->addItems(InstalledFamilies());
    fonts_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fonts_->setMinimumContentsLength(12);

    sizes_ = new QComboBox(parent);
    Identify(sizes_, 20001);
    for (int size = 6; size <= 20; ++size) sizes_->addItem(QString::number(size));
    sizes_->setCurrentIndex(sizes_->findText(QStringLiteral("9")));

    colours_ = new CSmallIconComboBox(parent);
    Identify(colours_, 20000);
    for (const auto& colour : service::EditorColours()) colours_->AddColour(colour.code);
    colours_->setCurrentIndex(0);

    bold_ = StyleButton(parent, 1060, QStringLiteral("bold"), QStringLiteral("Bold"));
    italic_ = StyleButton(parent, 1061, QStringLiteral("italic"), QStringLiteral("Italic"));
    underline_ = StyleButton(parent, 1062, QStringLiteral("underline"), QStringLiteral("Underline"));

    connect(fonts_, &QComboBox::activated, this, [this](int index) {
        face_ = fonts_->itemText(index).toStdString();
        Apply();
    });
    connect(sizes_, &QComboBox::activated, this, [this](int index) {
        size_ = sizes_->itemText(index).toInt();
        Apply();
    });
    connect(colours_, &QComboBox::activated, this, [this](int index) {
        colour_ = colours_->CodeAt(index);
        Apply();
    });
    for (QToolButton* button : {bold_, italic_, underline_})
        connect(button, &QToolButton::clicked, this, &TextFormatControls::Apply);
    connect(edit_, &QTextEdit::cursorPositionChanged, this, &TextFormatControls::FollowCaret);
    connect(edit_, &QTextEdit::selectionChanged, this, &TextFormatControls::FollowCaret);
}

QToolButton* TextFormatControls::StyleButton(QWidget* parent, int id, const QString& art, const QString& label)
{
    auto* button = new QToolButton(parent);
    Identify(button, id);
    button->setCheckable(true);
    button->setIcon(EditorIcon(art));
    button->setIconSize(QSize(20, 20));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setText(label);
    button->setToolTip(label);
    return button;
}

void TextFormatControls::FollowCaret()
{
    if (following_) return;
    following_ = true;
    const CharFormat format = FromQtFormat(edit_->currentCharFormat(), Remembered());
    bold_->setChecked(format.bold);
    italic_->setChecked(format.italic);
    underline_->setChecked(format.underline);
    int fontIndex = -1;
    for (int i = 0; i < fonts_->count() && fontIndex < 0; ++i)
        if (fonts_->itemText(i).startsWith(QString::fromStdString(format.face))) fontIndex = i;
    fonts_->setCurrentIndex(fontIndex);
    const QString size = QString::number(format.twips / 20);
    for (int i = 0; i < sizes_->count(); ++i)
        if (sizes_->itemText(i).startsWith(size)) {
            sizes_->setCurrentIndex(i);
            break;
        }
    face_ = format.face;
    size_ = format.twips / 20;
    colour_ = format.colour;
    if (const int index = colours_->IndexOfCode(format.colour); index >= 0) colours_->setCurrentIndex(index);
    following_ = false;
}

CharFormat TextFormatControls::Remembered() const
{
    CharFormat format;
    format.face = face_;
    format.twips = size_ * 20;
    format.colour = colour_;
    format.bold = bold_->isChecked();
    format.italic = italic_->isChecked();
    format.underline = underline_->isChecked();
    return format;
}

void TextFormatControls::Apply()
{
    edit_->mergeCurrentCharFormat(ToQtFormat(Remembered()));
    edit_->setFocus(Qt::OtherFocusReason);
    emit Applied();
}

void TextFormatControls::SetVisible(bool visible)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{fonts_, sizes_, colours_, bold_, italic_, underline_})
        widget->setVisible(visible);
}

}  // namespace lumitag::editors
