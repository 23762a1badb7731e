#include "imagedit/ImportDialog.h"

#include "imagedit/LedCanvas.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>

namespace lumitag::imagedit {
namespace {

constexpr int kRowChoices[] = {7, 12, 16};
constexpr int kPreviewHeight = 160;

}  // namespace

ImportDialog::ImportDialog(const QImage& source, SignPictureFormat format, QWidget* parent)
    : QDialog(parent), source_(source)
{
    setWindowTitle(tr("Import picture"));

    rows_ = new QComboBox(this);
    rows_->setObjectName("rows");
    for (int rows : kRowChoices) rows_->addItem(QString::number(rows), rows);
    rows_->setCurrentIndex(std::max(0, rows_->findData(format.rows)));

    colours_ = new QComboBox(this);
    colours_->setObjectName("colours");
    colours_->addItem(tr("One colour (lit or unlit)"), int(SignColourKind::SingleColour));
    colours_->addItem(tr("Red, green and yellow"), int(SignColourKind::FourColour));
    colours_->setCurrentIndex(format.colours == SignColourKind::FourColour ? 1 : 0);

    reduction_ = new QComboBox(this);
    reduction_->setObjectName("reduction");
    reduction_->addItem(tr("Threshold"), int(ColourReduction::Threshold));
    reduction_->addItem(tr("Dithered (ordered)"), int(ColourReduction::Ordered));

    threshold_ = new QSlider(Qt::Horizontal, this);
    threshold_->setObjectName("threshold");
    threshold_->setRange(0, 255);
    threshold_->setValue(128);
    thresholdValue_ = new QLabel(this);
    thresholdValue_->setMinimumWidth(fontMetrics().horizontalAdvance("0000"));
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(threshold_, 1);
    thresholdRow->addWidget(thresholdValue_);

    auto* form = new QFormLayout;
    form->addRow(tr("Rows:"), rows_);
    form->addRow(tr("Colours:"), colours_);
    form->addRow(tr("Reduction:"), reduction_);
    form->addRow(tr("Threshold:"), thresholdRow);

    before_ = new QLabel(this);
    before_->setAlignment(Qt::AlignCenter);
    before_->setPixmap(QPixmap::fromImage(
        source_.scaled(QSize(kPreviewHeight * 2, kPreviewHeight), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    after_ = new LedPreview(this);
    sizeText_ = new QLabel(this);
    sizeText_->setAlignment(Qt::AlignCenter);

    auto* beforeBox = new QGroupBox(tr("Before"), this);
    (new QVBoxLayout(beforeBox))->addWidget(before_);
    auto* afterBox = new QGroupBox(tr("On the sign"), this);
    auto* afterLayout = new QVBoxLayout(afterBox);
    afterLayout->addWidget(after_, 1);
    afterLayout->addWidget(sizeText_);
    auto* views = new QHBoxLayout;
    views->addWidget(beforeBox, 1);
    views->addWidget(afterBox, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(views, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(rows_, &QComboBox::currentIndexChanged, this, &ImportDialog::Update);
    connect(colours_, &QComboBox::currentIndexChanged, this, &ImportDialog::Update);
    connect(reduction_, &QComboBox::currentIndexChanged, this, &ImportDialog::Update);
    connect(threshold_, &QSlider::valueChanged, this, &ImportDialog::Update);
    Update();
}

SignPictureFormat ImportDialog::format() const
{
    return {rows_->currentData().toInt(), SignColourKind(colours_->currentData().toInt())};
}

ColourReduction ImportDialog::reduction() const { return ColourReduction(reduction_->currentData().toInt()); }

int ImportDialog::threshold() const { return threshold_->value(); }

void ImportDialog::Update()
{
    // Fitting reads every pixel of a possibly large photo; the slider only
    // needs the reduction of the small fitted picture again.
    if (fitted_.height() != format().rows) fitted_ = FitToRows(source_, format().rows);
    result_ = ReduceToSignColours(fitted_, format().colours, reduction(), threshold());
    thresholdValue_->setNum(threshold());
    after_->SetPicture(result_);
    sizeText_->setText(tr("%1 x %2 LEDs").arg(result_.width()).arg(result_.height()));
}

LedPreview::LedPreview(QWidget* parent) : QWidget(parent)
{
    setLayoutDirection(Qt::LeftToRight);
    setMinimumSize(160, 80);
}

void LedPreview::SetPicture(const QImage& picture)
{
    picture_ = picture;
    updateGeometry();
    update();
}

QSize LedPreview::sizeHint() const { return {kPreviewHeight * 2, kPreviewHeight}; }

void LedPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull()) return;
    const int cell = std::max(1, std::min(width() / picture_.width(), height() / picture_.height()));
    const QSize drawn = picture_.size() * cell;
    PaintLeds(painter, picture_, cell, QPoint((width() - drawn.width()) / 2, (height() - drawn.height()) / 2));
}

}  // namespace lumitag::imagedit
