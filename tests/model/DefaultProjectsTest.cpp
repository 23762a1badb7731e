#include "model/DefaultProjects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lumitag {
namespace {

// The files as a user would read them, one line per row of the table of
// default parameters; the test turns them into the bytes a file must hold.
const char* const kText177 =
    "[INFO]\r\n"
    "PARA_00=10000000000\r\nDATA_00=\r\n"
    "PARA_01=10110000000\r\nDATA_01=\r\n"
    "PARA_02=10220000000\r\nDATA_02=\r\n"
    "PARA_03=10330000000\r\nDATA_03=\r\n"
    "PARA_04=10440000000\r\nDATA_04=\r\n"
    "PARA_05=10550000000\r\nDATA_05=\r\n"
    "PARA_06=10660000000\r\nDATA_06=\r\n"
    "PARA_07=10770000000\r\nDATA_07=\r\n"
    "PARA_08=10000000000\r\nDATA_08=\r\n"
    "PARA_09=10110000000\r\nDATA_09=\r\n";

const char* const kText242 =
    "[INFO]\r\n"
    "PARA_00=10000000000\r\nDATA_00=\r\n"
    "PARA_01=10110000000\r\nDATA_01=\r\n"
    "PARA_02=10220000000\r\nDATA_02=\r\n"
    "PARA_03=10330000000\r\nDATA_03=\r\n"
    "PARA_04=10440000000\r\nDATA_04=\r\n"
    "PARA_05=10550000000\r\nDATA_05=\r\n"
    "PARA_06=10660000000\r\nDATA_06=\r\n"
    "PARA_07=10070000000\r\nDATA_07=\r\n"
    "PARA_08=10100000000\r\nDATA_08=\r\n"
    "PARA_09=10210000000\r\nDATA_09=\r\n";

std::vector<std::uint8_t> Utf16LeWithMark(const std::string& ascii)
{
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (char c : ascii) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(0);
    }
    return bytes;
}

std::vector<std::uint8_t> BytesOf(int resource)
{
    auto span = DefaultProjectBytes(resource);
    return {span.begin(), span.end()};
}

TEST(DefaultProjectsTest, FileStartsWithMarkAndSectionLine)
{
    const std::vector<std::uint8_t> head = {0xFF, 0xFE, 0x5B, 0x00, 0x49, 0x00, 0x4E, 0x00, 0x46, 0x00,
                                            0x4F, 0x00, 0x5D, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x50, 0x00,
                                            0x41, 0x00, 0x52, 0x00, 0x41, 0x00, 0x5F, 0x00, 0x30, 0x00};
    for (int resource : {177, 242, 243}) {
        auto bytes = BytesOf(resource);
        ASSERT_EQ(bytes.size(), 638u) << resource;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + head.size()), head) << resource;
        // The last line ends with CR LF.
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 4, bytes.end()),
                  (std::vector<std::uint8_t>{0x0D, 0x00, 0x0A, 0x00}))
            << resource;
    }
}

TEST(DefaultProjectsTest, WholeFileMatchesTheParameterTable)
{
    struct Case {
        int resource;
        const char* text;
    };
    for (const auto& c : {Case{177, kText177}, Case{242, kText242}, Case{243, kText242}})
        EXPECT_EQ(BytesOf(c.resource), Utf16LeWithMark(c.text)) << c.resource;
}

TEST(DefaultProjectsTest, OtherIdentifiersHaveNoProject)
{
    for (int resource : {0, 176, 178, 241, 244, -177})
        EXPECT_TRUE(DefaultProjectBytes(resource).empty()) << resource;
}

}  // namespace
}  // namespace lumitag
