// The console runner through "1.TS": the run box shows what the interpreter prints, byte for byte, and no
// interpreter outlives its command.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct Launch {
    std::string fake;
    std::string mp4;
};

Launch Prepare(Torvane& app, const std::string& name, const std::string& script) {
    Launch l{FakeFfmpegFolder(name + "-ffmpeg", script), FreshFolder(name + "-video") + "\\clip.mp4"};
    WriteFileBytes(l.mp4, "");
    app.Start();
    app.SetText(MainPart::程序目录, l.fake);
    EXPECT_TRUE(app.OpenMp4(l.mp4));
    return l;
}

std::string Pattern(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
    return s;
}

}  // namespace

TEST(Console, TheRunBoxHoldsTheOutputByteForByte) {
    Torvane app("console-bytes");
    std::string big = Pattern(5000) + "\r\n测试输出：中文\r\n";
    // 0xB2 0xE2 (测) arrives in two reads; "def" follows a zero byte in the same read and is not shown, so
    // "abc" is followed by "ghi".
    Launch l = Prepare(app, "console-bytes",
                       "out big.txt\nerr small.txt\npause 300\nhex 41 B2\npause 400\nhex E2 42\npause 400\n"
                       "hex 61 62 63 00 64 65 66\npause 400\nhex 67 68 69\n");
    WriteFileBytes(l.fake + "\\big.txt", big);
    WriteFileBytes(l.fake + "\\small.txt", "stderr line\r\n");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(app.WaitCommandsEnded());
    std::string expected = big + "stderr line\r\nA\xB2\xE2" "Babcghi";
    ASSERT_TRUE(WaitFor([&] { return app.Text(MainPart::运行命令框).find(expected) != std::string::npos; }, 5000))
        << app.Text(MainPart::运行命令框).substr(0, 300);
}

TEST(Console, TwoLaunchesInARowEachRunAndEnd) {
    Torvane app("console-twice");
    Launch l = Prepare(app, "console-twice", "hex 66 69 72 73 74\npause 200\n");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return FakeCalls(l.fake).size() == 1; }));
    WriteFileBytes(l.fake + "\\script.txt", "hex 73 65 63 6F 6E 64\n");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return FakeCalls(l.fake).size() == 2; }));
    ASSERT_TRUE(app.WaitCommandsEnded()) << app.LiveInterpreters() << " interpreters still alive";
    // The box was cleared at the second launch, which printed "second".
    EXPECT_TRUE(WaitFor([&] { return app.Text(MainPart::运行命令框).find("second") != std::string::npos; }, 5000));
    EXPECT_EQ(app.Text(MainPart::运行命令框).find("first"), std::string::npos);
    app.Close();
    EXPECT_EQ(app.WaitExit(), std::optional<DWORD>(0));
}

TEST(Console, ClosingWhileTheCommandPrintsEndsNormally) {
    Torvane app("console-close");
    Launch l = Prepare(app, "console-close", "flood 400000000\n");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return app.Text(MainPart::运行命令框).size() > 20000; }, 20000));
    app.Close();
    auto code = app.WaitExit(20000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(app.FreeAppStateRuns(), 1);
    EXPECT_EQ(app.FindWindowOf("#32770", "错误"), nullptr);
    EXPECT_EQ(ReadFileBytes(app.folder() + "\\pz.ini"), "[PEIZHI]\r\n程序目录=" + l.fake + "\r\n");
}
