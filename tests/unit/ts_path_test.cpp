#include "jobs/ts_path.h"

#include <gtest/gtest.h>

using namespace torvane;

namespace {

struct OpenCase {
    const char* mp4;
    const char* ts;
    TextList pieces;
};

// The chosen file, the TS path beside it, and the pieces of the TS file name.
const OpenCase kOpenCases[] = {
    {"D:\\v\\movie.mp4", "D:\\v\\movie.ts", {"movie", "ts"}},
    {"D:\\v\\a.b.mp4", "D:\\v\\a.b.ts", {"a", "b", "ts"}},
    {"D:\\mp4\\clip.mp4", "D:\\mp4\\clip.ts", {"clip", "ts"}},  // the folder is kept
    {"D:\\v\\mp4demo.mp4", "D:\\v\\tsdemo.ts", {"tsdemo", "ts"}},
    {"D:\\v\\X.MP4", "D:\\v\\X.ts", {"X", "ts"}},               // never the input itself
    {"D:\\v\\X.Mp4", "D:\\v\\X.ts", {"X", "ts"}},
    {"D:\\v\\mp4.MP4", "D:\\v\\ts.MP4", {"ts", "MP4"}},         // a lower-case mp4 is replaced, not the extension
    {"D:\\v\\my film.mp4", "D:\\v\\my film.ts", {"my film", "ts"}},
    {"D:\\v\\.mp4", "D:\\v\\.ts", {"", "ts"}},
    {"D:\\v\\mp4", "D:\\v\\ts", {"ts"}},
    {"D:\\v\\movie.avi", "D:\\v\\movie.avi", {"movie", "avi"}},
    {"D:\\v\\name.", "D:\\v\\name.", {"name"}},
    {"", "", {}},
    // 0xB5 0x6D is one double-byte character whose trail byte is "m": "mp4" must not match inside it.
    {"D:\\v\\\xB5mp4.mp4", "D:\\v\\\xB5mp4.ts", {"\xB5mp4", "ts"}},
    {"D:\\v\\\xB5\xB5mp4.mp4", "D:\\v\\\xB5\xB5ts.ts", {"\xB5\xB5ts", "ts"}},
    // A trail byte 0x5C looks like a backslash but does not end the folder part.
    {"D:\\\xD5\\mp4.mp4", "D:\\\xD5\\ts.ts", {"\xD5\\ts", "ts"}},
    {"C:\\视频 文件\\测试 片.mp4", "C:\\视频 文件\\测试 片.ts", {"测试 片", "ts"}},
};

}  // namespace

TEST(DeriveTsPath, KeepsTheFolderAndNeverTheInput) {
    for (const OpenCase& c : kOpenCases) EXPECT_EQ(DeriveTsPath(c.mp4), c.ts) << "mp4 " << c.mp4;
}

TEST(SplitTsFileName, SplitsTheFileNamePartAtDots) {
    for (const OpenCase& c : kOpenCases) EXPECT_EQ(SplitTsFileName(c.ts), c.pieces) << "ts " << c.ts;
    EXPECT_EQ(SplitTsFileName("a..b"), (TextList{"a", "", "b"}));
    EXPECT_EQ(SplitTsFileName("\xB5.x.y"), (TextList{"\xB5.x", "y"}));  // 0xB5 0x2E is one character
}

TEST(FileNameStart, FollowsPathFindFileName) {
    struct Case {
        const char* path;
        size_t start;
    } cases[] = {{"D:\\v\\a.ts", 5}, {"a.ts", 0}, {"D:a.ts", 2}, {"D:/v/a.ts", 5}, {"D:\\v\\", 3}, {"", 0}};
    for (const Case& c : cases) EXPECT_EQ(FileNameStart(c.path), c.start) << c.path;
}

TEST(SamePathText, IgnoresAsciiCaseOnly) {
    EXPECT_TRUE(SamePathText("D:\\v\\X.MP4", "d:\\V\\x.mp4"));
    EXPECT_FALSE(SamePathText("D:\\v\\X.MP4", "D:\\v\\X.ts"));
    EXPECT_FALSE(SamePathText("a", "ab"));
    EXPECT_FALSE(SamePathText("\xB5\x41", "\xB5\x61"));  // a trail byte is not a letter
}

TEST(BuildOpenFilter, MakesTheNulSeparatedList) {
    using namespace std::string_literals;
    EXPECT_EQ(BuildOpenFilter("mp4文件（*.mp4）|*.mp4"), "mp4文件（*.mp4）\0*.mp4\0\0"s);
    EXPECT_EQ(BuildOpenFilter("a|b||  "), "a\0b\0\0"s);
    EXPECT_EQ(BuildOpenFilter("*.mp4"), "*.mp4\0\0"s);
    EXPECT_EQ(BuildOpenFilter("\xB5|x|y"), "\xB5|x\0y\0\0"s);  // 0xB5 0x7C is one character
}
