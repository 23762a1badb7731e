#include "editors/SymbolPictures.h"

#include <QGridLayout>
#include <QPainter>
#include <QToolButton>

#include "editors/DialogSupport.h"
#include "render/GlyphCache.h"
#include "render/content/ContentString.h"

namespace lumitag::editors {
namespace {

constexpr int kTile = 20;

// Our stand-in for a missing Data picture: the symbol's number on a dark tile.
QPixmap NumberTile(int number)
{
    QPixmap tile(kTile, kTile);
    tile.fill(QColor(0x20, 0x20, 0x20));
    QPainter painter(&tile);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(QColor(0xFF, 0xD2, 0x1F));
    painter.drawText(tile.rect(), Qt::AlignCenter, QString::number(number));
    return tile;
}

// Pictures are LED pixels: enlarged without smoothing, at most a tile high.
QPixmap Enlarged(const QImage& image)
{
    const int scale = std::max(1, kTile / std::max(1, image.height()));
    return QPixmap::fromImage(image.scaled(image.width() * scale, image.height() * scale, Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation));
}

}  // namespace

SymbolPictures::SymbolPictures(const std::vector<SymbolPicture>& pictures, int columns, QWidget* parent)
    : QWidget(parent)
{
    setLayoutDirection(Qt::LeftToRight);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    int i = 0;
    for (const auto& symbol : pictures) {
        auto* button = new QToolButton(this);
        Identify(button, symbol.controlId);
        button->setIcon(QIcon(symbol.picture));
        button->setIconSize(symbol.picture.size().boundedTo(QSize(48, kTile)));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        if (!symbol.tip.isEmpty()) button->setToolTip(symbol.tip);
        const int id = symbol.controlId;
        connect(button, &QToolButton::clicked, this, [this, id] { emit Picked(id); });
        grid->addWidget(button, i / columns, i % columns);
        ++i;
    }
}

QPixmap AnimationPicture(const GlyphCache* cache, int rows, int number)
{
    const auto index = GlyphCache::AnimationIndex(rows, number, 0);
    const QImage* image = cache && index ? cache->Entry(*index) : nullptr;
    return image ? Enlarged(*image) : NumberTile(number);
}

QPixmap GlyphPicture(const GlyphCache* cache, int character)
{
    const auto index = GlyphCache::GlyphCodeIndex(MakeGlyphCode(static_cast<std::uint32_t>(character), 0, 0));
    const QImage* image = cache && index ? cache->Entry(*index) : nullptr;
    return image ? Enlarged(*image) : NumberTile(character);
}

}  // namespace lumitag::editors
