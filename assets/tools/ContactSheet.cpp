// lumitag-contact-sheet [--cell=N] DATA_DIR OUT.png [FILTER]
//
// Renders every BMP picture below DATA_DIR (glyphs, symbols, animations)
// into one PNG for review: pictures grouped by folder, each enlarged so that
// every LED is a square cell on a grey grid, labelled with its file name.
// FILTER keeps only pictures whose path relative to DATA_DIR contains it
// (e.g. "Gif/7" or "Font5/Color0"); --cell sets the screen pixels per LED
// (default 5). Run with QT_QPA_PLATFORM=offscreen.
// Exit status: 0 written, 1 usage, 2 no pictures found, 3 PNG not written.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int gCell = 5;  // screen pixels per LED, grid line included
constexpr int kSheetWidth = 1500;  // fits a screen without scaling
constexpr int kMargin = 12;
constexpr int kTileGap = 8;
constexpr int kLabelHeight = 14;
constexpr int kHeaderHeight = 24;
const QColor kBackground(0x30, 0x30, 0x30);
const QColor kGrid(0x58, 0x58, 0x58);
const QColor kText(0xE0, 0xE0, 0xE0);

// Orders "2.bmp" before "10.bmp" and "3_0" before "3_1".
bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
            while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
            const std::string na = a.substr(i, ie - i), nb = b.substr(j, je - j);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

struct NaturalOrder {
    bool operator()(const std::string& a, const std::string& b) const { return NaturalLess(a, b); }
};

struct Tile {
    std::string label;
    QImage picture;  // null when the file cannot be read
    int width = 0;
    int height = 0;
};

using Folders = std::map<std::string, std::vector<Tile>, NaturalOrder>;

bool IsBmp(const fs::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".bmp";
}

Folders Collect(const fs::path& data, const std::string& filter, const QFontMetrics& metrics)
{
    Folders folders;
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file() || !IsBmp(entry.path())) continue;
        const std::string relative = fs::relative(entry.path(), data).generic_string();
        if (!filter.empty() && relative.find(filter) == std::string::npos) continue;
        Tile tile;
        tile.label = entry.path().stem().string();
        tile.picture = QImage(QString::fromStdString(entry.path().string()));
        const int pictureWidth = tile.picture.isNull() ? 8 : tile.picture.width();
        const int pictureHeight = tile.picture.isNull() ? 8 : tile.picture.height();
        tile.width = std::max(pictureWidth * gCell + 1,
                              metrics.horizontalAdvance(QString::fromStdString(tile.label)));
        tile.height = pictureHeight * gCell + 1 + kLabelHeight;
        folders[fs::path(relative).parent_path().generic_string()].push_back(std::move(tile));
    }
    for (auto& [folder, tiles] : folders)
        std::sort(tiles.begin(), tiles.end(),
                  [](const Tile& a, const Tile& b) { return NaturalLess(a.label, b.label); });
    return folders;
}

void DrawPicture(QPainter& painter, const QImage& picture, int left, int top)
{
    if (picture.isNull()) {
        painter.setPen(Qt::red);
        painter.drawLine(left, top, left + 8 * gCell, top + 8 * gCell);
        painter.drawLine(left, top + 8 * gCell, left + 8 * gCell, top);
        return;
    }
    painter.fillRect(left, top, picture.width() * gCell + 1, picture.height() * gCell + 1, kGrid);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            painter.fillRect(left + x * gCell + 1, top + y * gCell + 1, gCell - 1, gCell - 1,
                             QColor::fromRgba(picture.pixel(x, y)));
}

// Lays the tiles out row by row; with a painter it also draws them.
int Layout(const Folders& folders, QPainter* painter)
{
    int y = kMargin;
    for (const auto& [folder, tiles] : folders) {
        if (painter) {
            painter->setPen(kText);
            painter->drawText(kMargin, y + kHeaderHeight - 8,
                              QString::fromStdString(folder + "  (" + std::to_string(tiles.size()) + ")"));
        }
        y += kHeaderHeight;
        int x = kMargin;
        int rowHeight = 0;
        for (const Tile& tile : tiles) {
            if (x + tile.width > kSheetWidth - kMargin && x > kMargin) {
                x = kMargin;
                y += rowHeight + kTileGap;
                rowHeight = 0;
            }
            if (painter) {
                DrawPicture(*painter, tile.picture, x, y);
                painter->setPen(kText);
                painter->drawText(x, y + tile.height - 3, QString::fromStdString(tile.label));
            }
            x += tile.width + kTileGap;
            rowHeight = std::max(rowHeight, tile.height);
        }
        y += rowHeight + kTileGap * 2;
    }
    return y + kMargin;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front().starts_with("--cell=")) {
        gCell = std::clamp(std::atoi(args.front().c_str() + 7), 2, 40);
        args.erase(args.begin());
    }
    const bool help = !args.empty() && (args.front() == "--help" || args.front() == "-h");
    if (help || args.size() < 2 || args.size() > 3) {
        std::cerr << "usage: lumitag-contact-sheet [--cell=N] DATA_DIR OUT.png [FILTER]\n"
                     "Renders every BMP below DATA_DIR, enlarged on a grid (N screen pixels\n"
                     "per LED, default 5) and labelled, into OUT.png; FILTER keeps the paths\n"
                     "that contain it (e.g. Gif/7).\n";
        return help ? 0 : 1;
    }
    QGuiApplication app(argc, argv);
    QFont font;
    font.setPixelSize(10);
    const QFontMetrics metrics(font);

    const fs::path data = args[0];
    if (!fs::is_directory(data)) {
        std::cerr << data.string() << ": not a folder\n";
        return 1;
    }
    const Folders folders = Collect(data, args.size() == 3 ? args[2] : "", metrics);
    if (folders.empty()) {
        std::cerr << "no pictures found below " << data.string() << '\n';
        return 2;
    }
    QImage sheet(kSheetWidth, Layout(folders, nullptr), QImage::Format_RGB32);
    sheet.fill(kBackground);
    QPainter painter(&sheet);
    painter.setFont(font);
    Layout(folders, &painter);
    painter.end();
    if (!sheet.save(QString::fromStdString(args[1]), "PNG")) {
        std::cerr << args[1] << ": cannot be written\n";
        return 3;
    }
    return 0;
}
