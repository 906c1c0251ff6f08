#include <gtest/gtest.h>

#include "records/archive.h"

namespace quorvel {
namespace {

std::string encoded(const std::string& text) {
    ArchiveWriter writer;
    writer.writeString(text);
    return writer.bytes();
}

std::string roundTrip(const std::string& text) {
    const std::string bytes = encoded(text);
    ArchiveReader reader(bytes);
    std::string back = reader.readString();
    EXPECT_TRUE(reader.atEnd());
    return back;
}

TEST(Archive, NumbersAreLittleEndianAndRoundTrip) {
    ArchiveWriter writer;
    writer.writeInt32(0x01020304);
    writer.writeInt32(-1);
    writer.writeDouble(37.25);
    const std::string& bytes = writer.bytes();
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\xFF'));

    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.readInt32(), 0x01020304);
    EXPECT_EQ(reader.readInt32(), -1);
    EXPECT_EQ(reader.readDouble(), 37.25);
    EXPECT_TRUE(reader.atEnd());
}

TEST(Archive, StringPrefixFormsAtTheirBoundaries) {
    EXPECT_EQ(encoded(""), std::string(1, '\0'));
    EXPECT_EQ(encoded(std::string(254, 'a')).substr(0, 1), "\xFE");
    EXPECT_EQ(encoded(std::string(255, 'a')).substr(0, 3), std::string("\xFF\xFF\x00", 3));
    EXPECT_EQ(encoded(std::string(65533, 'a')).substr(0, 3), "\xFF\xFD\xFF");
    EXPECT_EQ(encoded(std::string(65534, 'a')).substr(0, 7),
              std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 65533u, 65534u, 65535u, 70000u}) {
        const std::string text(length, 'x');
        EXPECT_EQ(roundTrip(text), text) << length;
        EXPECT_EQ(encoded(text).size() - length, length < 255     ? 1u
                                                 : length < 65534 ? 3u
                                                                  : 7u)
            << length;
    }
}

TEST(Archive, SixteenBitTextBecomesEightBit) {
    // 0xFF 0xFFFE marks UTF-16LE text; a second prefix gives the count of units.
    std::string bytes("\xFF\xFE\xFF\x04", 4);
    bytes += std::string("A\0\xE9\0\x3A\x04!\0", 8); // 'A', e-acute, a Cyrillic letter, '!'
    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.readString(), "A\xE9?!");
    EXPECT_TRUE(reader.atEnd());

    // The second prefix may itself be long.
    std::string longer("\xFF\xFE\xFF\xFF\x2C\x01", 6);
    for (int i = 0; i < 300; ++i)
        longer += std::string("z\0", 2);
    ArchiveReader longReader(longer);
    EXPECT_EQ(longReader.readString(), std::string(300, 'z'));
}

TEST(Archive, TruncatedOrMalformedInputIsACleanError) {
    const auto faultOf = [](const std::string& bytes, auto read) {
        ArchiveReader reader(bytes);
        try {
            read(reader);
        } catch (const ArchiveError& error) {
            return error.fault();
        }
        ADD_FAILURE() << "no error";
        return ArchiveFault::BadFormat;
    };
    const auto readInt = [](ArchiveReader& r) { r.readInt32(); };
    const auto readDouble = [](ArchiveReader& r) { r.readDouble(); };
    const auto readString = [](ArchiveReader& r) { r.readString(); };

    EXPECT_EQ(faultOf("abc", readInt), ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf("abcdefg", readDouble), ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf("", readString), ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf("\x05"
                      "abcd",
                      readString),
              ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf("\xFF\x01", readString), ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf(std::string("\xFF\x00\x01", 3) + "short", readString),
              ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", readString), ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf(std::string("\xFF\xFE\xFF\x02"
                                  "a\0b",
                                  7),
                      readString),
              ArchiveFault::EndOfData);
    EXPECT_EQ(faultOf("\xFF\xFE\xFF\xFF\xFE\xFF\x01\x00", readString), ArchiveFault::BadFormat);

    // A failed read leaves the position where it was, so nothing half-read is consumed.
    const std::string bytes("\x09"
                            "abc",
                            4);
    ArchiveReader reader(bytes);
    EXPECT_THROW(reader.readString(), ArchiveError);
    EXPECT_LE(reader.position(), 1u);
}

} // namespace
} // namespace quorvel
