#pragma once
// Bringing an ordinary picture to the sign: the rows to fit, the LED colours
// and how mid-tones are reduced, with the original and the result side by
// side, updated as the controls change.

#include "render/SignPictureImport.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QLabel;
class QSlider;

namespace lumitag::imagedit {

class LedPreview;

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(const QImage& source, SignPictureFormat format, QWidget* parent = nullptr);

    SignPictureFormat format() const;
    ColourReduction reduction() const;
    int threshold() const;
    // The picture as it will be imported.
    const QImage& result() const { return result_; }

    QComboBox* rowsBox() const { return rows_; }
    QComboBox* coloursBox() const { return colours_; }
    QComboBox* reductionBox() const { return reduction_; }
    QSlider* thresholdSlider() const { return threshold_; }

private:
    void Update();

    QImage source_;
    QImage fitted_;  // source_ at the chosen rows
    QImage result_;
    QComboBox* rows_;
    QComboBox* colours_;
    QComboBox* reduction_;
    QSlider* threshold_;
    QLabel* thresholdValue_;
    QLabel* before_;
    QLabel* sizeText_;
    LedPreview* after_;
};

// A picture drawn as LEDs, scaled to fit its widget.
class LedPreview : public QWidget {
    Q_OBJECT
public:
    explicit LedPreview(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace lumitag::imagedit
