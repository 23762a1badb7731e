#pragma once
// The picture being edited, its format, its file and its history. Every
// change goes through Apply as a before/after pair on the undo stack: sign
// pictures are at most a few thousand LEDs, so whole snapshots are simpler
// and safer than per-tool inverse operations.

#include "render/SignPictureImport.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QUndoStack>

namespace lumitag::imagedit {

class PictureDocument : public QObject {
    Q_OBJECT
public:
    explicit PictureDocument(SignPictureFormat format, QObject* parent = nullptr);

    const QImage& picture() const { return picture_; }
    SignPictureFormat format() const { return format_; }
    const QString& filePath() const { return filePath_; }
    QUndoStack& history() { return history_; }
    bool modified() const { return !history_.isClean(); }

    // Starts over with `picture` (a new, opened or imported picture): the
    // history is cleared; an imported picture is not `saved` anywhere yet.
    void Reset(const QImage& picture, SignPictureFormat format, const QString& path, bool saved = true);

    // Records a change from the current picture to `after` as one undo step.
    // Nothing is recorded when the pixels do not change.
    void Apply(const QString& label, const QImage& after);

    // Writes the picture: PNG when the name ends in ".png", else the 32-bit
    // BMP the slot images use. On success the file becomes the document's
    // and the state counts as saved.
    bool SaveTo(const QString& path);

signals:
    void pictureChanged();
    void stateChanged();  // file name or saved state

private:
    friend class SnapshotCommand;
    void Show(const QImage& picture);

    QImage picture_;
    SignPictureFormat format_;
    QString filePath_;
    QUndoStack history_;
};

}  // namespace lumitag::imagedit
