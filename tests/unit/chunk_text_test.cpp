#include "console/chunk_text.h"

#include <gtest/gtest.h>

using namespace torvane;
using namespace std::string_literals;

TEST(ChunkText, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(ChunkText("abc"), "abc");
    EXPECT_EQ(ChunkText("ab\0cd"s), "ab");
    EXPECT_EQ(ChunkText("\0abc"s), "");
    EXPECT_EQ(ChunkText(""), "");
}

TEST(CharCarry, NeverSplitsADoubleByteCharacter) {
    struct Case {
        std::vector<std::string> reads;
        std::vector<std::string> shown;  // what each read releases, then what the end releases
    } cases[] = {
        {{"abc"}, {"abc", ""}},
        {{"a\xB2", "\xE2z"}, {"a", "\xB2\xE2z", ""}},            // split between two reads
        {{"\xB2\xE2\xB2", "\xE2"}, {"\xB2\xE2", "\xB2\xE2", ""}},
        {{"\xB2\x80\xB2"}, {"\xB2\x80", "\xB2"}},                 // a trail byte of 0x80+ is not a lead byte
        {{"\xB2"}, {"", "\xB2"}},                                 // the end lets a lone lead byte go
        {{"\xB2", "", "\xE2"}, {"", "", "\xB2\xE2", ""}},
    };
    for (const Case& c : cases) {
        CharCarry carry;
        std::vector<std::string> shown;
        for (const auto& r : c.reads) shown.push_back(carry.Feed(r));
        shown.push_back(carry.Finish());
        EXPECT_EQ(shown, c.shown);
    }
}
