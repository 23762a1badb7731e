#include "editors/CSmallIconComboBox.h"

#include <QPainter>
#include <QPixmap>

#include "render/ColourBands.h"

namespace lumitag::editors {
namespace {
constexpr int kSwatch = 16;
}

QPixmap ColourSwatch(std::uint32_t code)
{
    const auto bands = ColourBands(code);
    if (!bands) return {};
    QPixmap swatch(kSwatch, kSwatch);
    swatch.fill(Qt::black);
    QPainter painter(&swatch);
    // Bands of 5, 6 and 5 pixels, inside a one-pixel dark border.
    const int tops[4] = {1, 6, 10, 15};
    for (int band = 0; band < 3; ++band)
        painter.fillRect(1, tops[band], kSwatch - 2, tops[band + 1] - tops[band], QColor::fromRgb((*bands)[band]));
    return swatch;
}

CSmallIconComboBox::CSmallIconComboBox(QWidget* parent) : QComboBox(parent)
{
    setIconSize(QSize(kSwatch, kSwatch));
    setMinimumHeight(18);
}

int CSmallIconComboBox::AddColour(std::uint32_t code)
{
    const QPixmap swatch = ColourSwatch(code);
    if (swatch.isNull()) return -1;
    addItem(QIcon(swatch), QString(), QVariant::fromValue<quint32>(code));
    return count() - 1;
}

std::uint32_t CSmallIconComboBox::CodeAt(int index) const { return itemData(index).value<quint32>(); }

int CSmallIconComboBox::IndexOfCode(std::uint32_t code) const
{
    return findData(QVariant::fromValue<quint32>(code));
}

}  // namespace lumitag::editors
