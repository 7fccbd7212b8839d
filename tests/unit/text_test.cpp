#include "common/text.h"

#include <gtest/gtest.h>

#include <climits>

using namespace torvane;

TEST(Join, ConcatenatesWithoutSeparators) {
    EXPECT_EQ(Join({}), "");
    EXPECT_EQ(Join({"a", "", "b", "c"}), "abc");
    EXPECT_EQ(Join({"D:\\out", "\\", "movie", "%03d.ts"}), "D:\\out\\movie%03d.ts");
}

TEST(ParseDecimalTag, ReadsLikeTheTagLookup) {
    struct Case {
        const char* tag;
        long long value;
    } cases[] = {
        {"73387040", 73387040}, {"", 0},           {"abc", 0},  {"  42", 42},  {"\t-7", -7},
        {"+5x", 5},             {"12 34", 12},     {"-", 0},    {"7338704O", 7338704},
        {"99999999999999999999", LLONG_MAX},        {"-99999999999999999999", LLONG_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimalTag(c.tag), c.value) << "tag '" << c.tag << "'";
}

TEST(FatalErrorText, FollowsTheBoxLayout) {
    EXPECT_EQ(FatalErrorText({false, 0, "载入启动窗口失败", 1, 1}),
              "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\r\n出错位置：1-1");
    EXPECT_EQ(FatalErrorText({true, 5, "数据或数组类型不匹配", 3, 2}),
              "运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n\r\n出错位置：3-2");
    EXPECT_EQ(FatalErrorText({true, 1, "", 2, 4}), "运行时出错!\r\n\r\n错误代码：1\r\n\r\n出错位置：2-4");
    EXPECT_EQ(OutOfMemoryMessage(1048576), "分配 1048576 字节内存失败!");
}

TEST(Text, LiteralsAreCodePage936Bytes) {
    EXPECT_EQ(std::string("程序目录"), "\xB3\xCC\xD0\xF2\xC4\xBF\xC2\xBC");
}
