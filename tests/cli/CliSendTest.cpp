// Compose -> preview -> send to file, for one model of each protocol: the
// slots hold pictures of known pixels (or glyph text on the glyph-code
// model), and the frames written to the file are compared with bytes worked
// out here from the protocol rules.

#include <QImage>

#include <functional>

#include "CliTestSupport.h"
#include "model/DeviceCatalogue.h"

namespace lumitag::test {
namespace {

// Colours cycle along both axes; the last column is lit except in row 3,
// so trimming keeps the full width.
Picture Pattern(int width, int height)
{
    Picture picture;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) row += ".RGYW"[(x * 3 + y) % 5];
        picture.push_back(row);
    }
    return picture;
}

// One bit per pixel, leftmost pixel in the high bit, rows of ceil(w/8)
// bytes; `height` rows, those below the picture dark.
Bytes PackBits(const Picture& picture, int height, const std::function<bool(char)>& lit)
{
    const int width = static_cast<int>(picture.front().size());
    const int rowBytes = (width + 7) / 8;
    Bytes out(static_cast<std::size_t>(rowBytes * height), 0);
    for (int y = 0; y < static_cast<int>(picture.size()); ++y)
        for (int x = 0; x < width; ++x)
            if (lit(picture[y][x])) out[y * rowBytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    return out;
}

// Two bits per pixel in one page of 2*P/8 bytes per row: black 00, red 10,
// green 01, any other 11 (second bit high, first bit low), pixel x at bits
// 2*(x%4); inverted on the paged protocol. Bits of a row's last byte past
// the picture are 1; the rest of the page keeps the fill.
Bytes PackTwoBit(const Picture& picture, int pageWidth, bool invert, std::uint8_t fill)
{
    const int height = static_cast<int>(picture.size());
    const int width = static_cast<int>(picture.front().size());
    const int rowBytes = 2 * pageWidth / 8;
    Bytes out(std::max<std::size_t>(256, static_cast<std::size_t>(height * rowBytes)), fill);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < (width + 3) / 4 * 4; ++x) {
            int code = 3;
            if (x < width) {
                const char c = picture[y][x];
                code = c == '.' ? 0 : c == 'R' ? 2 : c == 'G' ? 1 : 3;
                if (invert) code ^= 3;
            }
            auto& byte = out[y * rowBytes + x / 4];
            byte = static_cast<std::uint8_t>((byte & ~(3 << (2 * (x % 4)))) | (code << (2 * (x % 4))));
        }
    }
    return out;
}

void Append(Bytes& out, std::initializer_list<int> bytes)
{
    for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}
void Append(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

// Slot 1 as the tests set it: speed 3, marquee, effect "Right"; the other
// slots as the default project leaves them: effect and speed n mod 8.
constexpr int kSpeed = 2;  // stored speed of "--speed 3"

// Protocols 0, 1, 4: header, parameter frame, then the data rows of the only
// included slot (slot 1), per pass; a pass without data sends nothing.
Bytes HelloSend(const Bytes& header0, const Bytes& header1, const Bytes& data0, const Bytes& data1, int rowDivisor,
                int rightEffect)
{
    constexpr int kSlots = 8;
    Bytes out;
    auto pass = [&](const Bytes& header, const Bytes& data) {
        if (data.empty()) return;
        Append(out, header);
        out.push_back(0x00);
        out.push_back(static_cast<std::uint8_t>(((kSpeed + 8) << 4) + rightEffect));
        for (int j = 1; j < kSlots; ++j) out.push_back(static_cast<std::uint8_t>((j % 8) * 0x11));
        out.push_back(0x00);
        const int cols = static_cast<int>(data.size()) / rowDivisor;
        Append(out, {0x08, 0x00, cols >> 8, cols & 0xFF});
        for (int j = 1; j < kSlots; ++j) Append(out, {0x08 | ((cols >> 8) & 7), cols & 0xFF, 0x00, 0x00});
        Append(out, data);
    };
    pass(header0, data0);
    pass(header1, data1);
    return out;
}

struct SendCase {
    const char* name;
    const char* model;
    LinkProtocol protocol;
    std::vector<std::string> extraSendArgs;
    std::function<Bytes(CliTest&, std::vector<std::string>& compose)> prepare;  // returns the expected frames
    bool pictureInPreview;
};

class CliSendTest : public CliTest, public ::testing::WithParamInterface<SendCase> {
public:
    // The compose command for slot 1 with a picture of `picture`.
    std::vector<std::string> ImageSlot(const Picture& picture)
    {
        return {"image", "1", WriteBmp("slot1.bmp", picture).string()};
    }
};

const SendCase kCases[] = {
    {"HelloFixed12_Q01", "Q01", LinkProtocol::HelloFixed12, {},
     [](CliTest& test, std::vector<std::string>& compose) {
         // 7 LED rows, sent as 12 rows: the five rows below are dark.
         const Picture picture = Pattern(10, 7);
         compose = static_cast<CliSendTest&>(test).ImageSlot(picture);
         const Bytes data = PackBits(picture, 12, [](char c) { return c != '.'; });
         return HelloSend({0x48, 0x65, 0x6C, 0x6C, 0x6F}, {}, data, {}, 12, 1);
     },
     true},
    {"Hello_Q06_RS485_Id7", "Q06", LinkProtocol::Hello, {"--485", "--id", "7"},
     [](CliTest& test, std::vector<std::string>& compose) {
         const Picture picture = Pattern(10, 12);
         compose = static_cast<CliSendTest&>(test).ImageSlot(picture);
         const Bytes data = PackBits(picture, 12, [](char c) { return c != '.'; });
         return HelloSend({0x48, 0x65, 0x07, 0x6C, 0x6F}, {}, data, {}, 12, 1);
     },
     true},
    {"Paged273_Q30", "Q30", LinkProtocol::Paged273, {},
     [](CliTest& test, std::vector<std::string>& compose) {
         const Picture picture = Pattern(10, 16);
         compose = static_cast<CliSendTest&>(test).ImageSlot(picture);
         const Bytes data = PackTwoBit(picture, 64, true, 0xFF);
         Bytes out;
         for (int j = 0; j < 10; ++j) {
             Bytes frame(273, 0x00);
             const bool included = j == 0;
             std::copy_n(Bytes{0xAA, 0xAA, 0xAA, 0xAA, 0x01, 0x00, 0x00, static_cast<std::uint8_t>(included ? 0x00 : 0x01), 0x01, 0x00,
                               0x00, 0x40, 0x10, static_cast<std::uint8_t>(j)}
                             .begin(),
                         14, frame.begin());
             if (included) std::copy_n(Bytes{0xAA, 0x55, 0x00, 0x01, 2, kSpeed, 0, 1}.begin(), 8, frame.begin() + 14);
             frame[272] = 0x88;
             Append(out, frame);
             if (!included) continue;
             Bytes page(273, 0x00);
             std::copy_n(Bytes{0xAA, 0xAA, 0xAA, 0xAA, 0x01, 0x00, 0x10, 0x01, 0x01, 0x00, 0x00, 0x40, 0x10, 0x00}.begin(),
                         14, page.begin());
             std::copy(data.begin(), data.end(), page.begin() + 14);
             page[272] = 0x88;
             Append(out, page);
         }
         return out;
     },
     true},
    {"GlyphSlots_Q05", "Q05", LinkProtocol::GlyphSlots, {},
     [](CliTest&, std::vector<std::string>& compose) {
         // Glyph codes: the characters, and a symbol as 96 + its number.
         compose = {"text", "1", "AB", "--symbol", "40"};
         Bytes out = {0x41, 0x42, 96 + 40};
         for (int j = 0; j < 9; ++j) {
             const int speed = j == 0 ? kSpeed : j % 8;
             const int effect = j == 0 ? 1 : j % 8;
             Append(out, {0xFA, 0xAF, 0xFF, 0xFF, 0x30 + j, speed, effect, 0xFF, 0xFF, 0xFF, 0xFF, j == 0 ? 0x5A : 0xFF});
         }
         return out;
     },
     false},
    {"HelloTwoPlane_Q07", "Q07", LinkProtocol::HelloTwoPlane, {},
     [](CliTest& test, std::vector<std::string>& compose) {
         // A red plane (red and yellow lit) and a green plane (green and yellow).
         const Picture picture = Pattern(10, 7);
         compose = static_cast<CliSendTest&>(test).ImageSlot(picture);
         const Bytes red = PackBits(picture, 7, [](char c) { return c == 'R' || c == 'Y'; });
         const Bytes green = PackBits(picture, 7, [](char c) { return c == 'G' || c == 'Y'; });
         return HelloSend({0x48, 0x65, 0x6C, 0x6C, 0x6F}, {0x48, 0x65, 0x96, 0x5A, 0xF0}, red, green, 7, 1);
     },
     true},
    {"Bus276_Q26_Id300Low", "Q26", LinkProtocol::Bus276, {"--id", "256"},
     [](CliTest& test, std::vector<std::string>& compose) {
         const Picture picture = Pattern(10, 16);
         compose = static_cast<CliSendTest&>(test).ImageSlot(picture);
         const Bytes data = PackTwoBit(picture, 64, false, 0x00);
         Bytes out;
         // Sign ID 256 travels as its low byte.
         Append(out, {0x7E, 0x00, 0xDD, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0x00, 0x02, 5, kSpeed, 0, 1, 1, 0x00});
         Append(out, data);
         out.push_back(0x88);
         for (int j = 1; j < 10; ++j) Append(out, {0x7E, 0x00, 0xCD, (48 * j) >> 8, (48 * j) & 0xFF, 0x00, 0xFE, 0x7E});
         return out;
     },
     true},
};

TEST_P(CliSendTest, ComposePreviewAndSendToFile)
{
    const SendCase& c = GetParam();
    std::vector<std::string> compose;
    const Bytes expected = c.prepare(*this, compose);
    compose.insert(compose.end(), {"--model", c.model});
    RunOk(compose);
    RunOk({"slot", "1", "--model", c.model, "--speed", "3", "--marquee", "on", "--effect", "Right"});

    // Preview: one picture per row the model shows.
    const auto png = home_ / "preview.png";
    RunOk({"preview", "--model", c.model, "--png", png.string(), "--scale", "2"});
    const QImage sheet(QString::fromStdString(png.string()));
    int slotCount = 0;
    for (const auto& model : Catalogue())
        if (model.name == c.model) slotCount = model.slotCount;
    ASSERT_FALSE(sheet.isNull());
    EXPECT_EQ(sheet.width(), 315 * 2);
    EXPECT_EQ(sheet.height(), 28 * 2 * slotCount);
    if (c.pictureInPreview) {
        auto redIn = [&](int row) {
            for (int y = row * 56 + 2; y < row * 56 + 54; ++y)
                for (int x = 2; x < 60; ++x)
                    if (sheet.pixel(x, y) == 0xFFFF0000) return true;
            return false;
        };
        EXPECT_TRUE(redIn(0));
        EXPECT_FALSE(redIn(1));
    }

    const auto output = home_ / "frames.bin";
    std::vector<std::string> send = {"send", "--model", c.model, "--output", output.string()};
    send.insert(send.end(), c.extraSendArgs.begin(), c.extraSendArgs.end());
    RunOk(send);
    EXPECT_EQ(Hex(ReadBytes(output)), Hex(expected));
    // The slot image of frame 0 was written as a record of the send.
    if (c.pictureInPreview) {
        EXPECT_TRUE(std::filesystem::exists(home_ / "Image" / "20060_0.bmp"));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryProtocol, CliSendTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumitag::test
