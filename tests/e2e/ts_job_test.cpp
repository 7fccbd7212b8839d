// "1.TS" with a fake ffmpeg: what ffmpeg receives, the notices, the clipboard; and what the run box shows.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const char kSentinel[] = "clipboard before";

std::vector<std::string> TsArgs(const std::string& mp4, const std::string& ts) {
    return {"-y", "-i", mp4, "-vcodec", "copy", "-acodec", "copy", "-bsf:v", "h264_mp4toannexb", ts};
}

}  // namespace

TEST(TsJob, HostileNamesReachFfmpegAsOneArgumentEach) {
    std::string fake = FakeFfmpegFolder("ts-hostile-ffmpeg", "");
    Torvane app("ts-hostile");
    app.Start();
    app.SetText(MainPart::程序目录, fake);
    const char* names[] = {"movie", "my film", "a&b", "a^b", "a(b)", "a,b", "a;b", "a=b", "测试 视频",
                           "clip&mkdir pwned&"};
    size_t launched = 0;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::string mp4 = PlaceFile(std::string("ts-hostile-") + std::to_string(launched), std::string(name) + ".mp4");
        ASSERT_TRUE(app.OpenMp4(mp4));
        std::string ts = mp4.substr(0, mp4.size() - 3) + "ts";
        EXPECT_EQ(app.Text(MainPart::视频目录), mp4);
        EXPECT_EQ(app.Text(MainPart::视频名称), name);
        app.Press(MainPart::生成TS);
        ASSERT_TRUE(WaitFor([&] { return FakeCalls(fake).size() == launched + 1; })) << app.Describe();
        FakeCall call = FakeCalls(fake).back();
        EXPECT_EQ(call.args, TsArgs(mp4, ts));
        EXPECT_EQ(call.cwd, fake);
        ++launched;
    }
    EXPECT_EQ(ClipboardText(), "ffmpeg -y -i \"" + Paths().root + "\\ts-hostile-9\\clip&mkdir pwned&.mp4\" -vcodec copy "
                               "-acodec copy -bsf:v h264_mp4toannexb \"" + Paths().root +
                               "\\ts-hostile-9\\clip&mkdir pwned&.ts\"");
    EXPECT_TRUE(app.WaitCommandsEnded());
    for (const std::string& where : {fake, app.folder(), std::string("C:\\windows\\system32")})
        EXPECT_FALSE(PathExists(where + "\\pwned")) << "a command was injected: " << where;
}

TEST(TsJob, PlainNamesStayBareAndTheOutputIsTheDerivedPath) {
    std::string fake = FakeFfmpegFolder("ts-plain-ffmpeg", "");
    std::string mp4 = PlaceFile("ts-plain", "mp4demo.mp4");
    Torvane app("ts-plain-app");
    app.Start();
    app.SetText(MainPart::程序目录, fake);
    ASSERT_TRUE(app.OpenMp4(mp4));
    EXPECT_EQ(app.Text(MainPart::视频名称), "tsdemo");
    std::string ts = Paths().root + "\\ts-plain\\tsdemo.ts";
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return FakeCalls(fake).size() == 1; }));
    EXPECT_EQ(ClipboardText(), "ffmpeg -y -i " + mp4 + " -vcodec copy -acodec copy -bsf:v h264_mp4toannexb " + ts);

    // An edit of 视频目录 changes the input; the output stays the path derived when the file was chosen.
    app.SetText(MainPart::视频目录, "C:\\other\\x.mp4");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return FakeCalls(fake).size() == 2; }));
    EXPECT_EQ(FakeCalls(fake).back().args, TsArgs("C:\\other\\x.mp4", ts));

    // The second open starts with the file chosen before (the dialog shows its name in its folder), and an
    // upper-case extension becomes ts.
    std::string upper = PlaceFile("ts-plain-upper", "CAM01.MP4");
    auto prefilled = app.OpenMp4(upper);
    EXPECT_TRUE(prefilled == mp4 || prefilled == std::string("mp4demo.mp4")) << prefilled.value_or("<no dialog>");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return FakeCalls(fake).size() == 3; }));
    EXPECT_EQ(FakeCalls(fake).back().args, TsArgs(upper, Paths().root + "\\ts-plain-upper\\CAM01.ts"));
    EXPECT_TRUE(app.WaitCommandsEnded());
}

TEST(TsJob, EveryProblemIsANoticeAndLaunchesNothing) {
    struct Case {
        const char* name;
        const char* open;        // file opened through the dialog, if any
        const char* typedMp4;    // 视频目录 afterwards, if set by hand
        bool ffmpegFolder;
        std::vector<std::string> notices;
    } cases[] = {
        {"nothing", nullptr, nullptr, false, {"还未加载mp4文件", "未加载ffmpeg所在目录"}},
        {"nothing-but-ffmpeg", nullptr, nullptr, true, {"还未加载mp4文件"}},
        {"typed-only", nullptr, "C:\\v\\movie.mp4", true, {"请点击“打开文件”选择mp4文件"}},
        {"no-ffmpeg", "movie.mp4", nullptr, false, {"未加载ffmpeg所在目录"}},
        {"emptied-mp4", "movie.mp4", "", true, {"还未加载mp4文件"}},
        {"same-path", "movie.avi", nullptr, true, {"TS文件路径与MP4文件相同，无法生成"}},
        {"quote", "movie.mp4", "C:\\v\\mo\"vie.mp4", true, {"路径或名称中不能含有英文双引号"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string fake = FakeFfmpegFolder(std::string("ts-notice-ffmpeg-") + c.name, "");
        Torvane app(std::string("ts-notice-") + c.name);
        app.Start();
        if (c.open) {
            ASSERT_TRUE(app.OpenMp4(PlaceFile(std::string("ts-notice-file-") + c.name, c.open)));
        }
        if (c.typedMp4) app.SetText(MainPart::视频目录, c.typedMp4);
        if (c.ffmpegFolder) app.SetText(MainPart::程序目录, fake);
        SetClipboardText(kSentinel);
        app.Press(MainPart::生成TS);
        EXPECT_EQ(app.TakeNotices(), c.notices);
        EXPECT_EQ(ClipboardText(), kSentinel);
        EXPECT_EQ(app.LiveInterpreters(), 0);
        EXPECT_TRUE(FakeCalls(fake).empty());
        EXPECT_EQ(app.Text(MainPart::运行命令框), "");
    }
}
