#include <gtest/gtest.h>

#include <utility>

#include "records/archive.h"
#include "records/compact_string.h"

namespace quorvel {
namespace {

using namespace std::string_literals;

TEST(CompactString, HoldsAnyTextInPlaceOrOnTheHeap) {
    for (const std::string& text : {""s, "Okafor"s, std::string(14, 'a'), std::string(15, 'b'),
                                    std::string(300, 'c'), "A\0B"s, std::string(20, '\0')}) {
        CompactString value(text);
        EXPECT_EQ(value.size(), text.size());
        EXPECT_EQ(value, text);
        EXPECT_EQ(value.empty(), text.empty());
        EXPECT_EQ(value.c_str()[text.size()], '\0') << "not terminated at " << text.size();
        EXPECT_EQ(value.str(), text);
    }
}

TEST(CompactString, CopiesAndMovesKeepBothSidesSound) {
    for (const std::string& text : {"Hale"s, std::string(40, 'x')}) {
        CompactString original(text);
        CompactString copy(original);
        EXPECT_EQ(copy, text);
        EXPECT_NE(copy.data(), original.data());

        CompactString moved(std::move(copy));
        EXPECT_EQ(moved, text);
        EXPECT_TRUE(copy.empty());
        EXPECT_STREQ(copy.c_str(), "");

        CompactString target("something long enough for the heap"s);
        target = original;
        EXPECT_EQ(target, text);
        target = std::move(moved);
        EXPECT_EQ(target, text);
        auto& self = target;
        target = self;
        EXPECT_EQ(target, text);
    }
}

TEST(CompactString, AssigningPartOfItselfOrClearingLeavesNoOldCharacters) {
    CompactString heap(std::string(30, 'h') + "tail");
    heap = heap.view().substr(20); // ten 'h' and "tail", now in place
    EXPECT_EQ(heap, std::string(10, 'h') + "tail");
    heap = heap.view().substr(10);
    EXPECT_EQ(heap, "tail");

    CompactString inPlace("abcdef"s);
    inPlace.clear();
    EXPECT_STREQ(inPlace.c_str(), "");
    EXPECT_EQ(inPlace.size(), 0u);
}

TEST(CompactString, ACountedCopyReadsSixteenBytesButKeepsOnlyItsText) {
    // A one-byte length, the characters, then bytes of whatever follows in the file.
    const std::string counted = "\x04"
                                "4/21"
                                "\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F"s;
    CompactString text(std::string(50, 'z'));
    text.assignCounted(counted.data());
    EXPECT_EQ(text, "4/21");
    EXPECT_STREQ(text.c_str(), "4/21");
    EXPECT_EQ(text, CompactString("4/21"s)) << "the bytes after the text were kept";

    const std::string fourteen = "\x0E" + std::string(14, 'n') + "\x7F"s;
    text.assignCounted(fourteen.data());
    EXPECT_EQ(text, std::string(14, 'n'));
    EXPECT_STREQ(text.c_str(), std::string(14, 'n').c_str());

    const std::string longer = "\x14" + std::string(20, 'q');
    text.assignCounted(longer.data());
    EXPECT_EQ(text, std::string(20, 'q'));
}

TEST(CompactString, ReadFromEveryArchiveForm) {
    const auto readBack = [](const std::string& bytes) {
        ArchiveReader reader(bytes);
        CompactString text;
        reader.io(text);
        EXPECT_TRUE(reader.atEnd());
        return text.str();
    };
    for (std::size_t length : {0u, 3u, 14u, 15u, 254u, 255u, 70000u}) {
        ArchiveWriter writer;
        writer.writeString(std::string(length, 'k'));
        EXPECT_EQ(readBack(writer.bytes()), std::string(length, 'k')) << length;
        // The same string followed by enough bytes for the one-copy path.
        const std::string followed = writer.bytes() + std::string(20, '\x55');
        ArchiveReader reader(followed);
        CompactString text;
        reader.io(text);
        EXPECT_EQ(text, std::string(length, 'k')) << length;
        EXPECT_EQ(reader.remaining(), 20u);
    }
    EXPECT_EQ(readBack("\xFF\xFE\xFF\x02"
                       "A\0\x3A\x04"s),
              "A?");

    const std::string cut = "\x05"
                            "abc";
    ArchiveReader shortReader(cut);
    CompactString text("kept"s);
    EXPECT_THROW(shortReader.io(text), ArchiveError);
}

} // namespace
} // namespace quorvel
