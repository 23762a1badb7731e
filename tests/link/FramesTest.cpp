// The send sequences of the six protocols, frame by frame, against bytes
// worked out by hand from the protocol rules.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

struct Step {
    Bytes bytes;
    int pauseMs;
};

std::vector<Step> StepsOf(const SendPlan& plan)
{
    std::vector<Step> out;
    for (const auto& s : plan.steps) out.push_back({s.bytes, s.pauseMs});
    return out;
}

TEST(ModeByte, PacksSpeedMarqueeEffectBlink)
{
    struct Case {
        int speed, marquee, effect, blink;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {3, 1, 2, 0, 0xB2},  // the worked example
        {0, 0, 0, 0, 0x00},
        {7, 0, 7, 1, 0x7F},
        {1, 5, 4, 9, 0x9C},  // any nonzero marquee or blink counts as one
        {7, 1, 7, 1, 0xFF},
    };
    for (const auto& c : cases) {
        SlotParamTable params;
        SetSlot(params, 4, c.effect, c.speed, 0, c.marquee, 1, c.blink);
        EXPECT_EQ(ModeByte(params, 4), c.expected) << c.speed << " " << c.effect;
    }
}

// Q06: N = 8, R = 12. Slots 1 and 3 are sent with 240 bytes (20 columns)
// each; slot 5 has data but is not sent; the frame-1 table is empty.
TEST(HelloSend, TwoSlotsOfTwentyColumnsOnQ06)
{
    SlotParamTable params;
    SetSlot(params, 0, 1, 1, 0, 0, 0, 0);
    SetSlot(params, 1, 2, 3, 0, 1, 1, 0);  // mode B2
    SetSlot(params, 2, 0, 0, 0, 0, 0, 0);
    SetSlot(params, 3, 4, 7, 2, 0, 1, 1);  // mode 7C
    SetSlot(params, 5, 6, 2, 0, 0, 0, 0);  // mode 26, not sent
    PackedTables tables;
    tables.frame0[1] = Image(Ramp(240, 0));
    tables.frame0[3] = Image(Ramp(240, 0x80));
    tables.frame0[5] = Image(Ramp(240, 0x40));

    const SendPlan plan = BuildHelloSend({Model("Q06"), 1, false}, params, tables);

    const Bytes parameters = Hex(
        "00 | 11 B2 00 7C 00 26 00 00 | 00 |"
        " 08 00 00 00 | 08 00 00 14 | 08 14 00 00 | 08 14 00 14 |"
        " 08 28 00 00 | 08 28 00 00 | 08 28 00 00 | 08 28 00 00");
    // Row r of the stream: row r of slot 1, then row r of slot 3.
    Bytes stream;
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 20; ++c) stream.push_back(static_cast<std::uint8_t>(r * 20 + c));
        for (int c = 0; c < 20; ++c) stream.push_back(static_cast<std::uint8_t>(0x80 + r * 20 + c));
    }
    std::vector<Step> expected = {{Hex("48 65 6C 6C 6F"), 0}, {parameters, 330}};
    // 40-byte rows; the 256-byte boundary cuts the seventh row into 16 + 24.
    const std::pair<int, int> pieces[] = {{40, 30}, {40, 30}, {40, 30}, {40, 30}, {40, 30}, {40, 30}, {16, 330},
                                          {24, 30}, {40, 30}, {40, 30}, {40, 30}, {40, 30}, {40, 30}};
    int pos = 0;
    for (auto [size, pause] : pieces) {
        expected.push_back({Bytes(stream.begin() + pos, stream.begin() + pos + size), pause});
        pos += size;
    }
    ASSERT_EQ(pos, 480);
    expected.push_back({{}, 200});  // pass 1 sends nothing; the end pause stays

    const auto steps = StepsOf(plan);
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(ToHex(steps[i].bytes), ToHex(expected[i].bytes)) << "step " << i;
        EXPECT_EQ(steps[i].pauseMs, expected[i].pauseMs) << "step " << i;
    }
    EXPECT_EQ(plan.totalUnits, 480 + 5 * 8 + 7);
    EXPECT_TRUE(plan.steps[1].pauseInFileMode);   // after the parameter frame
    EXPECT_FALSE(plan.steps[2].pauseInFileMode);  // data pieces
}

TEST(HelloSend, NothingSentSendsNoFrameInEitherPass)
{
    SlotParamTable params;
    SetSlot(params, 0, 0, 0, 0, 0, 0, 0);
    PackedTables tables;
    tables.frame0[0] = Image(Ramp(24));  // data, but the slot is not sent
    tables.frame1[0] = Image(Ramp(24));
    SetSlot(params, 1, 0, 0, 0, 0, 1, 0);  // sent, but empty
    const SendPlan plan = BuildHelloSend({Model("Q06"), 1, false}, params, tables);
    EXPECT_TRUE(FramesOf(plan).empty());
    EXPECT_EQ(plan.totalUnits, 0);
}

// Q07: two-plane model, R = rows = 7, header set B, 320 ms before pass 1; in
// "485" mode byte 2 of both headers is the sign ID.
TEST(HelloSend, TwoPlaneModelInIdModeSendsBothPasses)
{
    SlotParamTable params;
    SetSlot(params, 0, 5, 2, 0, 0, 1, 0);  // mode 25
    PackedTables tables;
    tables.frame0[0] = Image(Ramp(14, 0x10));  // 7 rows of 2 bytes
    tables.frame1[0] = Image(Ramp(14, 0xA0));

    const SendPlan plan = BuildHelloSend({Model("Q07"), 300, true}, params, tables);  // 300 → 0x2C

    const Bytes parameters = Hex(
        "00 | 25 00 00 00 00 00 00 00 | 00 | 08 00 00 02 | 08 02 00 00 | 08 02 00 00 | 08 02 00 00 |"
        " 08 02 00 00 | 08 02 00 00 | 08 02 00 00 | 08 02 00 00");
    std::vector<Step> expected = {{Hex("48 65 2C 6C 6F"), 0}, {parameters, 330}};
    for (int r = 0; r < 7; ++r) expected.push_back({Ramp(2, 0x10 + 2 * r), 30});
    expected.push_back({{}, 320});
    expected.push_back({Hex("48 65 2C 5A F0"), 0});
    expected.push_back({parameters, 330});
    for (int r = 0; r < 7; ++r) expected.push_back({Ramp(2, 0xA0 + 2 * r), 30});
    expected.push_back({{}, 200});

    const auto steps = StepsOf(plan);
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(ToHex(steps[i].bytes), ToHex(expected[i].bytes)) << "step " << i;
        EXPECT_EQ(steps[i].pauseMs, expected[i].pauseMs) << "step " << i;
    }
    EXPECT_EQ(plan.totalUnits, 2 * (14 + 5 * 8 + 7));
}

// Q01 has 7 rows, but protocol 0 always divides by 12; a slot that is not a
// whole number of rows sends its whole rows only, and a record whose size
// claims more than its buffer holds is read no further than the buffer.
TEST(HelloSend, FixedDivisorAndPartialRows)
{
    SlotParamTable params;
    SetSlot(params, 0, 0, 0, 0, 0, 1, 0);
    SetSlot(params, 1, 0, 0, 0, 0, 1, 0);
    PackedTables tables;
    tables.frame0[0] = Image(Ramp(30));  // 2 columns of 12 rows and 6 stray bytes
    tables.frame0[1].data = Ramp(12, 0xE0);
    tables.frame0[1].size = 5000;  // only 12 bytes exist: one column

    const SendPlan plan = BuildHelloSend({Model("Q01"), 1, false}, params, tables);
    const auto frames = FramesOf(plan);
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(ToHex(frames[1]), ToHex(Hex("00 | 00 00 00 00 00 00 00 00 | 00 | 08 00 00 02 | 08 02 00 01 |"
                                         " 08 03 00 00 | 08 03 00 00 | 08 03 00 00 | 08 03 00 00 |"
                                         " 08 03 00 00 | 08 03 00 00")));
    Bytes stream;
    for (int r = 0; r < 12; ++r) {
        stream.push_back(static_cast<std::uint8_t>(2 * r));
        stream.push_back(static_cast<std::uint8_t>(2 * r + 1));
        stream.push_back(static_cast<std::uint8_t>(0xE0 + r));
    }
    Bytes sent;
    for (std::size_t i = 2; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].size(), 3u);  // one row of the stream each
        sent.insert(sent.end(), frames[i].begin(), frames[i].end());
    }
    EXPECT_EQ(ToHex(sent), ToHex(stream));
}

// Pieces end at a row of the stream or a 256-byte block, whichever comes
// first; where both fall together the block's 330 ms applies.
TEST(HelloSend, PieceSizesAndPauses)
{
    struct Case {
        int columns;  // one slot of 12 rows
        std::vector<std::pair<int, int>> pieces;
    };
    const Case cases[] = {
        {32, {{32, 30}, {32, 30}, {32, 30}, {32, 30}, {32, 30}, {32, 30}, {32, 30}, {32, 330},
              {32, 30}, {32, 30}, {32, 30}, {32, 30}}},
        {100, {{100, 30}, {100, 30}, {56, 330}, {44, 30}, {100, 30}, {100, 30}, {12, 330}, {88, 30}, {100, 30},
               {68, 330}, {32, 30}, {100, 30}, {100, 30}, {24, 330}, {76, 30}, {100, 30}}},
        {256, std::vector<std::pair<int, int>>(12, {256, 330})},
        {300, {{256, 330}, {44, 30}, {212, 330}, {88, 30}, {168, 330}, {132, 30}, {124, 330}, {176, 30},
               {80, 330},  {220, 30}, {36, 330}, {256, 330}, {8, 30}, {248, 330}, {52, 30}, {204, 330},
               {96, 30},  {160, 330}, {140, 30}, {116, 330}, {184, 30}, {72, 330}, {228, 30}, {28, 330},
               {256, 330}, {16, 30}}},
    };
    for (const auto& c : cases) {
        SlotParamTable params;
        SetSlot(params, 0, 0, 0, 0, 0, 1, 0);
        PackedTables tables;
        tables.frame0[0] = Image(Bytes(12 * c.columns, 0x5A));
        const SendPlan plan = BuildHelloSend({Model("Q06"), 1, false}, params, tables);
        std::vector<std::pair<int, int>> pieces;
        for (std::size_t i = 2; i + 1 < plan.steps.size(); ++i)
            pieces.emplace_back(static_cast<int>(plan.steps[i].bytes.size()), plan.steps[i].pauseMs);
        EXPECT_EQ(pieces, c.pieces) << c.columns << " columns";
    }
}

// A start column beyond 255 carries its bits 8..10 in the group's first byte.
TEST(HelloSend, StartColumnHighBits)
{
    SlotParamTable params;
    SetSlot(params, 0, 0, 0, 0, 0, 1, 0);
    SetSlot(params, 1, 0, 0, 0, 0, 1, 0);
    PackedTables tables;
    tables.frame0[0] = Image(Bytes(300 * 12, 0x55));  // 300 = 0x12C columns
    tables.frame0[1] = Image(Bytes(12, 0x66));
    const auto frames = FramesOf(BuildHelloSend({Model("Q06"), 1, false}, params, tables));
    ASSERT_GE(frames.size(), 2u);
    const Bytes groups(frames[1].begin() + 10, frames[1].begin() + 18);
    EXPECT_EQ(ToHex(groups), ToHex(Hex("08 00 01 2C | 09 2C 00 01")));
}

// Q03: glyph codes as they are, then the 12-byte slot frame, 20 ms apart.
TEST(GlyphSlotSend, DataThenSlotFramePerSlot)
{
    SlotParamTable params;
    SetSlot(params, 0, 3, 5, 0, 0, 1, 0);
    SetSlot(params, 1, 1, 2, 0, 0, 0, 0);  // has data, not sent
    SetSlot(params, 2, 6, 7, 0, 0, 1, 0);  // sent, empty
    PackedTables tables;
    tables.frame0[0] = Image(Hex("41 42 43"));
    tables.frame0[1] = Image(Hex("44 45"));
    const SendPlan plan = BuildGlyphSlotSend({Model("Q03"), 1, true}, params, tables);

    std::vector<Step> expected = {
        {Hex("41 42 43"), 0},
        {Hex("FA AF FF FF 30 05 03 FF FF FF FF 5A"), 20},
        {Hex("FA AF FF FF 31 02 01 FF FF FF FF FF"), 20},
        {Hex("FA AF FF FF 32 07 06 FF FF FF FF 5A"), 20},
    };
    for (int j = 3; j < 9; ++j)
        expected.push_back({{0xFA, 0xAF, 0xFF, 0xFF, static_cast<std::uint8_t>(0x30 + j), 0, 0, 0xFF, 0xFF, 0xFF,
                             0xFF, 0xFF},
                            20});
    const auto steps = StepsOf(plan);
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(ToHex(steps[i].bytes), ToHex(expected[i].bytes)) << "step " << i;
        EXPECT_EQ(steps[i].pauseMs, expected[i].pauseMs) << "step " << i;
    }
    EXPECT_EQ(plan.totalUnits, 3 + 12 * 9);
}

Bytes PagedFrame(std::string_view head, std::string_view body)
{
    Bytes frame = Hex(head);
    const Bytes rest = Hex(body);
    frame.insert(frame.end(), rest.begin(), rest.end());
    return frame;
}

// Q30 (page width 64, so 256-byte pages): a 600-byte slot 0, nothing else.
TEST(PagedSend, SixHundredByteSlotThenEmptySlots)
{
    SlotParamTable params;
    SetSlot(params, 0, 2, 4, 3, 1, 1, 0);
    SetSlot(params, 1, 1, 1, 1, 0, 0, 0);  // not sent, but its 300 bytes count for progress
    PackedTables tables;
    tables.frame0[0] = Image(Ramp(600, 7));
    tables.frame0[1] = Image(Ramp(300));
    const SendPlan plan = BuildPagedSend({Model("Q30"), 9, false}, params, tables);

    Bytes header = PagedFrame("AA AA AA AA 01 00 00 00 01 00 00 40 10 00 AA 55 00 02 02 04 03 01", "");
    header.resize(272, 0x00);
    header.push_back(0x88);
    std::vector<Bytes> expected = {header};
    for (int k = 0; k < 3; ++k) {
        Bytes frame = Hex("AA AA AA AA 01 00 00 01 01 00 00 40 10 00");
        frame[6] = static_cast<std::uint8_t>(0x10 + k);
        const int count = k < 2 ? 256 : 88;
        const Bytes data = Ramp(count, 7 + 256 * k);
        frame.insert(frame.end(), data.begin(), data.end());
        frame.resize(14 + 256, 0xFF);  // the last frame is padded with FF
        for (auto b : Hex("00 00 88")) frame.push_back(b);
        expected.push_back(frame);
    }
    for (int j = 1; j < 10; ++j) {
        Bytes empty = Hex("AA AA AA AA 01 00 00 01 01 00 00 40 10");
        empty.push_back(static_cast<std::uint8_t>(j));
        empty.resize(272, 0x00);
        empty.push_back(0x88);
        expected.push_back(empty);
    }
    const auto frames = FramesOf(plan);
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(ToHex(frames[i]), ToHex(expected[i])) << "frame " << i;

    // Header 1000 ms, data frames 500 ms, empty slots 1000 ms, then 500 ms.
    std::vector<int> pauses;
    for (const auto& s : plan.steps) pauses.push_back(s.pauseMs);
    std::vector<int> expectedPauses = {1000, 500, 500, 500};
    expectedPauses.insert(expectedPauses.end(), 9, 1000);
    expectedPauses.push_back(500);
    EXPECT_EQ(pauses, expectedPauses);
    for (std::size_t i = 0; i + 1 < plan.steps.size(); ++i) {
        EXPECT_TRUE(plan.steps[i].frameDone);
        EXPECT_TRUE(plan.steps[i].pauseInFileMode);
    }
    EXPECT_FALSE(plan.steps.back().pauseInFileMode);
    EXPECT_EQ(plan.totalUnits, 10 + 3 + 2);
}

// Q36 pages are 4 x 256 columns wide; "485" mode puts the ID in bytes 2, 3.
TEST(PagedSend, WidePagesAndIdMode)
{
    SlotParamTable params;
    SetSlot(params, 3, 0, 0, 0, 0, 1, 0);
    PackedTables tables;
    tables.frame0[3] = Image(Bytes(2048 + 100, 0x11));
    const auto frames = FramesOf(BuildPagedSend({Model("Q36"), 256, true}, params, tables));
    ASSERT_EQ(frames.size(), 10u + 9u);
    const Bytes& header = frames[3];
    EXPECT_EQ(ToHex({header.begin(), header.begin() + 18}),
              ToHex(Hex("AA AA 00 00 01 00 00 00 01 00 00 40 10 03 AA 55 00 02")));
    EXPECT_EQ(ToHex({frames[0].begin(), frames[0].begin() + 4}), ToHex(Hex("AA AA 00 00")));
}

// Q26, sign 7: slot 0 of 300 bytes (two frames), slot 1 with data but not
// sent, slot 2 of 256 bytes, the rest empty.
TEST(BusSend, DataFramesAndClearFrames)
{
    SlotParamTable params;
    SetSlot(params, 0, 5, 3, 2, 1, 1, 0);  // Snow → code 12
    SetSlot(params, 1, 1, 1, 1, 0, 0, 0);
    SetSlot(params, 2, 9, 6, 4, 0, 1, 0);  // index 9 → code 1
    PackedTables tables;
    tables.frame0[0] = Image(Ramp(300, 1));
    tables.frame0[1] = Image(Ramp(40));
    tables.frame0[2] = Image(Ramp(256, 0x50));
    const SendPlan plan = BuildBusSend({Model("Q26"), 7, false}, params, tables);

    auto frame = [](std::string_view head, const Bytes& data) {
        Bytes f = Hex(head);
        f.insert(f.end(), data.begin(), data.end());
        f.resize(275, 0x00);
        f.push_back(0x88);
        return f;
    };
    std::vector<Bytes> expected = {
        frame("7E 07 DD 00 00 00 00 00 00 00 00 00 02 0C 03 02 01 02 00", Ramp(256, 1)),
        frame("7E 07 99 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00", Ramp(44, 1 + 256)),
        Hex("7E 07 CD 00 30 00 FE 7E"),
        frame("7E 07 DD 00 60 00 00 00 00 00 00 00 02 01 06 04 00 01 00", Ramp(256, 0x50)),
    };
    for (int j = 3; j < 10; ++j) {
        const int number = 48 * j;
        expected.push_back({0x7E, 0x07, 0xCD, static_cast<std::uint8_t>(number >> 8),
                            static_cast<std::uint8_t>(number & 0xFF), 0x00, 0xFE, 0x7E});
    }
    const auto frames = FramesOf(plan);
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(ToHex(frames[i]), ToHex(expected[i])) << "frame " << i;
    for (const auto& step : plan.steps) {
        EXPECT_EQ(step.pauseMs, 0);
        EXPECT_TRUE(step.frameDone);
    }
    EXPECT_EQ(plan.totalUnits, 10 + 2 + 1 + 1);
}

TEST(BusSend, MarkersFrameNumbersAndSignId)
{
    SlotParamTable params;
    SetSlot(params, 0, 0, 0, 0, 0, 1, 0);
    SetSlot(params, 1, 0, 0, 0, 0, 1, 0);
    PackedTables tables;
    tables.frame0[0] = Image(Bytes(512, 1));
    tables.frame0[1] = Image(Bytes(256 * 3, 2));
    const auto frames = FramesOf(BuildBusSend({Model("Q28"), 256, false}, params, tables));
    ASSERT_GE(frames.size(), 5u);
    const std::string heads[] = {"7E 00 DD 00 00 ", "7E 00 99 00 01 ", "7E 00 DD 00 30 ", "7E 00 DD 00 31 ",
                                 "7E 00 99 00 32 "};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ToHex({frames[i].begin(), frames[i].begin() + 5}), heads[i]) << i;
    EXPECT_EQ(frames[0][17], 2);
    EXPECT_EQ(frames[2][17], 3);
    EXPECT_EQ(ToHex(frames[5]), ToHex(Hex("7E 00 CD 00 60 00 FE 7E")));
}

TEST(BusSend, EffectCodes)
{
    const std::pair<int, int> cases[] = {{0, 1}, {1, 4}, {2, 5},  {3, 6},  {4, 7},
                                         {5, 12}, {6, 14}, {7, 1}, {9, 1}, {-1, 1}};
    for (auto [index, code] : cases) EXPECT_EQ(BusEffectCode(index), code) << index;
}

TEST(BuildSend, PicksTheModelsProtocolAndRefusesUnknownOnes)
{
    SlotParamTable params;
    SetSlot(params, 0, 0, 0, 0, 0, 1, 0);
    PackedTables tables;
    tables.frame0[0] = Image(Bytes(24, 3));
    const std::pair<const char*, std::string> cases[] = {
        {"Q01", "48 65 6C 6C 6F "}, {"Q06", "48 65 6C 6C 6F "}, {"Q07", "48 65 6C 6C 6F "},
        {"Q03", "03 03 03 03 03 "},  // glyph codes as they are
        {"Q29", "AA AA AA AA 01 "}, {"Q27", "7E 01 DD 00 00 "},
    };
    for (const auto& [model, head] : cases) {
        const auto plan = BuildSend({Model(model), 1, false}, params, tables);
        ASSERT_TRUE(plan) << model;
        const auto frames = FramesOf(*plan);
        ASSERT_FALSE(frames.empty()) << model;
        EXPECT_EQ(ToHex({frames[0].begin(), frames[0].begin() + 5}), head) << model;
    }
    ModelSettings odd = Model("Q06");
    odd.protocol = static_cast<LinkProtocol>(6);
    EXPECT_FALSE(BuildSend({odd, 1, false}, params, tables));
    odd.slotCount = 99;  // never more slots than the tables hold
    odd.protocol = LinkProtocol::Bus276;
    EXPECT_EQ(FramesOf(*BuildSend({odd, 1, false}, params, tables)).size(), 10u);
}

}  // namespace
}  // namespace lumitag::test
