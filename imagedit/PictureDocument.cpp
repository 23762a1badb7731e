#include "imagedit/PictureDocument.h"

#include "render/BmpFile.h"
#include "render/SignPictureEdit.h"

#include <QSaveFile>
#include <QUndoCommand>

namespace lumitag::imagedit {

class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(PictureDocument& document, const QString& label, QImage before, QImage after)
        : QUndoCommand(label), document_(document), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { document_.Show(before_); }
    void redo() override { document_.Show(after_); }

private:
    PictureDocument& document_;
    QImage before_;
    QImage after_;
};

PictureDocument::PictureDocument(SignPictureFormat format, QObject* parent)
    : QObject(parent), picture_(NewSignPicture(format.rows * 4, format.rows)), format_(format)
{
    connect(&history_, &QUndoStack::cleanChanged, this, &PictureDocument::stateChanged);
}

void PictureDocument::Reset(const QImage& picture, SignPictureFormat format, const QString& path, bool saved)
{
    history_.clear();
    format_ = format;
    filePath_ = path;
    picture_ = picture.convertToFormat(QImage::Format_ARGB32);
    if (saved)
        history_.setClean();
    else
        history_.resetClean();
    emit pictureChanged();
    emit stateChanged();
}

void PictureDocument::Apply(const QString& label, const QImage& after)
{
    if (after == picture_) return;
    history_.push(new SnapshotCommand(*this, label, picture_, after.convertToFormat(QImage::Format_ARGB32)));
}

bool PictureDocument::SaveTo(const QString& path)
{
    bool written = false;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        QSaveFile file(path);
        written = file.open(QIODevice::WriteOnly) && picture_.save(&file, "PNG") && file.commit();
    } else {
        written = WriteBmp32(picture_, path.toStdString());
    }
    if (!written) return false;
    filePath_ = path;
    history_.setClean();
    emit stateChanged();
    return true;
}

void PictureDocument::Show(const QImage& picture)
{
    picture_ = picture;
    emit pictureChanged();
}

}  // namespace lumitag::imagedit
