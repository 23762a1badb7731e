#include "editors/CDialogImg.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/CPicWnd.h"
#include "editors/DialogSupport.h"
#include "editors/PreviewView.h"
#include "editors/SlotAccess.h"
#include "render/content/ContentString.h"
#include "render/content/ContentWriter.h"

namespace lumitag::editors {

QString PictureFileFilter() { return QStringLiteral("图片文件(*.bmp *.png *.jpg *.jpeg *.gif)"); }

CDialogImg::CDialogImg(SlotAccess& access, int slot, QWidget* parent)
    : QDialog(parent), access_(access), slot_(slot), rules_(access.Rules())
{
    setWindowTitle(QStringLiteral("Image Editor"));
    PrepareDialog(this);
    chooser_ = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), PictureFileFilter(), nullptr,
                                            QFileDialog::ReadOnly);
    };
    BuildLayout();
    PrepareSlotPreview(*preview_, rules_, access_);
    LoadSlot();
    Relabel(this, kTemplate, true);
}

void CDialogImg::BuildLayout()
{
    auto* previewBox = new QGroupBox(QStringLiteral("Preview"), this);
    Identify(previewBox, 1050);
    preview_ = new PreviewView(20060, previewBox);
    Identify(preview_, 20060);
    (new QVBoxLayout(previewBox))->addWidget(preview_);

    auto* editBox = new QGroupBox(QStringLiteral("Edit"), this);
    Identify(editBox, 1051);
    list_ = new QListWidget(editBox);
    Identify(list_, 1092);
    // Paths read left to right whatever the language.
    list_->setLayoutDirection(Qt::LeftToRight);
    list_->setMinimumWidth(260);
    picture_ = new CPicWnd(editBox);
    Identify(picture_, 1100);
    auto* pictureLabel = new QLabel(QStringLiteral("Preview"), editBox);
    Identify(pictureLabel, 1069);

    auto* buttons = new QVBoxLayout;
    const std::pair<int, const char*> kButtons[] = {{1054, "Add"}, {1066, "Del"}, {1067, "Up"}, {1068, "Down"}};
    for (const auto& [id, label] : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(label), editBox);
        Identify(button, id);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, id] {
            switch (id) {
            case 1054: Add(); break;
            case 1066: Delete(); break;
            case 1067: MoveUp(); break;
            default: MoveDown(); break;
            }
        });
    }
    buttons->addStretch();
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(pictureLabel);
    pictureColumn->addWidget(picture_, 1);

    auto* editLayout = new QHBoxLayout(editBox);
    editLayout->addWidget(list_, 2);
    editLayout->addLayout(buttons);
    editLayout->addLayout(pictureColumn, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    Identify(ok, 1);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Identify(cancel, 2);
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

    connect(list_, &QListWidget::currentRowChanged, this, &CDialogImg::ShowSelected);
}

void CDialogImg::LoadSlot()
{
    const std::string content = access_.Content(slot_);
    if (content.starts_with(kRichTextPrefix) || content.starts_with(kGlyphTextPrefix)) return;
    preview_->SetContent(content);
    for (const std::string& entry : ImageListEntries(content)) list_->addItem(QString::fromStdString(entry));
}

EditorResult CDialogImg::Result() const
{
    EditorResult result;
    result.form = EditorResult::Form::Pictures;
    for (int i = 0; i < list_->count(); ++i) result.paths.push_back(list_->item(i)->text().toStdString());
    return result;
}

void CDialogImg::RebuildPreview() { preview_->SetContent(ImageListContent(Result().paths)); }

void CDialogImg::ShowSelected()
{
    const QListWidgetItem* item = list_->currentItem();
    if (item && !item->text().isEmpty()) picture_->SetPath(item->text());
}

void CDialogImg::Add()
{
    const QString path = chooser_ ? chooser_(this) : QString();
    // A ";" inside a path would split it into two broken entries when the
    // list is read back, so such a file cannot be listed.
    if (path.isEmpty() || path.contains(QLatin1Char(';'))) return;
    list_->addItem(path);
    RebuildPreview();
}

void CDialogImg::Delete()
{
    if (list_->currentRow() >= 0) delete list_->takeItem(list_->currentRow());
    if (list_->count() > 0) list_->setCurrentRow(list_->count() - 1);
    RebuildPreview();
}

void CDialogImg::MoveUp()
{
    const int row = list_->currentRow();
    if (row <= 0) return;
    list_->insertItem(row, list_->takeItem(row - 1));
    list_->setCurrentRow(row - 1);
    RebuildPreview();
}

void CDialogImg::MoveDown()
{
    const int row = list_->currentRow();
    if (row < 0 || row + 1 >= list_->count()) return;
    list_->insertItem(row, list_->takeItem(row + 1));
    list_->setCurrentRow(row + 1);
    RebuildPreview();
}

void CDialogImg::accept()
{
    contentEmpty_ = list_->count() == 0;
    stored_ = access_.Store(slot_, Result());
    if (stored_) QDialog::accept();
}

}  // namespace lumitag::editors
