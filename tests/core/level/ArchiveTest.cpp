#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "level/Archive.h"

namespace trundlex {
namespace {

std::string encodeInt(std::int32_t value) {
    std::ostringstream out;
    ArchiveWriter writer(out);
    writer.writeInt32(value);
    EXPECT_TRUE(writer.ok());
    return out.str();
}

bool decodeString(const std::string& bytes, std::string& text) {
    std::istringstream in(bytes);
    ArchiveReader reader(in);
    return reader.readString(text);
}

TEST(ArchiveString, PrefixFormsAtTheirBoundaries) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xfe"},
        {255, std::string("\xff\xff\x00", 3)},
        {65533, "\xff\xfd\xff"},
        {65534, std::string("\xff\xff\xff\xfe\xff\x00\x00", 7)},
        {70000, std::string("\xff\xff\xff\x70\x11\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'x');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char>(i * 7);
        }
        const std::string bytes = encodeArchiveString(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        std::string decoded;
        ASSERT_TRUE(decodeString(bytes, decoded)) << c.length;
        EXPECT_EQ(decoded, text) << c.length;
    }
}

TEST(ArchiveString, ReaderAcceptsLongerPrefixThanNeeded) {
    // Other writers may use the 32-bit form for a short string.
    std::string decoded;
    ASSERT_TRUE(decodeString(std::string("\xff\xff\xff\x03\x00\x00\x00" "abc", 10), decoded));
    EXPECT_EQ(decoded, "abc");
}

TEST(ArchiveString, ShortInputFailsWithoutTouchingTheResult) {
    const std::string full = encodeArchiveString(std::string(300, 'q'));
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3},
                            full.size() - 1}) {
        std::string decoded = "old";
        EXPECT_FALSE(decodeString(full.substr(0, cut), decoded)) << cut;
        EXPECT_EQ(decoded, "old") << cut;
    }
}

TEST(ArchiveString, LyingLengthIsRefusedCheaply) {
    // Promises almost 4 GiB but holds a few bytes: must fail, not allocate the promise.
    std::string decoded;
    EXPECT_FALSE(decodeString(std::string("\xff\xff\xff\xfe\xff\xff\xff" "tiny", 11), decoded));
}

TEST(ArchiveString, ReaderStaysFailedAfterAnError) {
    std::istringstream in(std::string("\x20" "ab", 3) + encodeArchiveString("next"));
    ArchiveReader reader(in);
    std::string text;
    EXPECT_FALSE(reader.readString(text));
    EXPECT_FALSE(reader.readString(text));
    EXPECT_FALSE(reader.ok());
}

TEST(ArchiveInt, LittleEndianSignedRoundTrip) {
    EXPECT_EQ(encodeInt(1), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(encodeInt(-2), "\xfe\xff\xff\xff");
    EXPECT_EQ(encodeInt(0x12345678), "\x78\x56\x34\x12");

    std::istringstream in(encodeInt(INT32_MIN) + encodeInt(INT32_MAX) + encodeArchiveString("s") +
                          encodeInt(-7) + std::string("\x01\x02", 2));
    ArchiveReader reader(in);
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    std::string s;
    ASSERT_TRUE(reader.readInt32(a) && reader.readInt32(b) && reader.readString(s) &&
                reader.readInt32(c));
    EXPECT_EQ(std::tuple(a, b, s, c), std::tuple(INT32_MIN, INT32_MAX, std::string("s"), -7));
    EXPECT_FALSE(reader.readInt32(c)) << "two bytes are not an integer";
    EXPECT_EQ(c, -7);
}

}  // namespace
}  // namespace trundlex
