// "2.切片" with a fake ffmpeg: the notices in their order, and what ffmpeg receives.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const char kSentinel[] = "clipboard before";

struct Ready {
    std::string fake, mp4, ts, out;
};

// A Torvane with an MP4 opened (and, when asked, its TS file present), the fake ffmpeg folder and an output
// folder filled in.
Ready Prepare(Torvane& app, const std::string& name, bool tsPresent) {
    Ready r{FakeFfmpegFolder(name + "-ffmpeg", ""), FreshFolder(name + "-video") + "\\movie.mp4", "",
            FreshFolder(name + "-out")};
    r.ts = r.mp4.substr(0, r.mp4.size() - 3) + "ts";
    WriteFileBytes(r.mp4, "");
    if (tsPresent) WriteFileBytes(r.ts, "");
    app.Start();
    EXPECT_TRUE(app.OpenMp4(r.mp4));
    app.SetText(MainPart::程序目录, r.fake);
    app.SetText(MainPart::保存目录, r.out);
    return r;
}

std::vector<std::string> SegmentArgs(const std::string& ts, const std::string& playlist, const std::string& length,
                                     const std::string& segments) {
    return {"-i", ts, "-c", "copy", "-map", "0", "-f", "segment", "-segment_list", playlist, "-segment_time", length,
            segments};
}

}  // namespace

TEST(Segment, NoticesComeOneAfterAnotherInOrder) {
    struct Case {
        const char* name;
        bool tsPresent;
        std::vector<MainPart> emptied;
        std::vector<std::string> notices;  // empty: the command is launched
    } cases[] = {
        {"no-ts", false,
         {MainPart::视频目录, MainPart::保存目录, MainPart::切片时间, MainPart::程序目录, MainPart::m3u8名称,
          MainPart::视频名称},
         {"当前视频ts文件不存在，请先生成ts文件"}},
        {"all-empty", true,
         {MainPart::视频目录, MainPart::保存目录, MainPart::切片时间, MainPart::程序目录, MainPart::m3u8名称,
          MainPart::视频名称},
         {"还未加载mp4文件", "还未设置切片存储位置", "切片间隔时间未设置", "未加载ffmpeg所在目录",
          "m3u8引导文件名称为空", "视频名称为空"}},
        {"only-mp4", true, {MainPart::视频目录}, {}},
        {"mp4-and-length", true, {MainPart::视频目录, MainPart::切片时间}, {"还未加载mp4文件", "切片间隔时间未设置"}},
        {"video-name", true, {MainPart::视频名称}, {"视频名称为空"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Torvane app(std::string("seg-notice-") + c.name);
        Ready r = Prepare(app, std::string("seg-notice-") + c.name, c.tsPresent);
        for (MainPart p : c.emptied) app.SetText(p, "");
        SetClipboardText(kSentinel);
        app.Press(MainPart::生成切片);
        EXPECT_EQ(app.TakeNotices(), c.notices);
        if (c.notices.empty()) {
            ASSERT_TRUE(WaitFor([&] { return FakeCalls(r.fake).size() == 1; }));
            EXPECT_EQ(ClipboardText(), "ffmpeg -i " + r.ts + " -c copy -map 0 -f segment -segment_list " + r.out +
                                           "\\playlist.m3u8 -segment_time 10 " + r.out + "\\movie%03d.ts");
        } else {
            Sleep(500);
            EXPECT_TRUE(FakeCalls(r.fake).empty());
            EXPECT_EQ(ClipboardText(), kSentinel);
        }
    }
}

TEST(Segment, HostileTextsReachFfmpegAsOneArgumentEach) {
    struct Case {
        const char *name, *outName, *playlist, *length, *video;
    } cases[] = {
        {"spaces", "my out", "my list", "4", "my movie"},
        {"metachars", "o&u(t)", "p;l=1", "10 & del x", "v^n,1"},
        {"cjk", "输出 目录", "播放列表", "6", "视频 名"},
    };
    Torvane app("seg-hostile");
    Ready r = Prepare(app, "seg-hostile", true);
    size_t launched = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = FreshFolder(std::string("seg-hostile ") + c.outName);
        app.SetText(MainPart::保存目录, out);
        app.SetText(MainPart::m3u8名称, c.playlist);
        app.SetText(MainPart::切片时间, c.length);
        app.SetText(MainPart::视频名称, c.video);
        app.Press(MainPart::生成切片);
        ASSERT_TRUE(WaitFor([&] { return FakeCalls(r.fake).size() == launched + 1; })) << app.Describe();
        EXPECT_EQ(FakeCalls(r.fake).back().args,
                  SegmentArgs(r.ts, out + "\\" + c.playlist + ".m3u8", c.length, out + "\\" + c.video + "%03d.ts"));
        EXPECT_EQ(FakeCalls(r.fake).back().cwd, r.fake);
        ++launched;
    }
    EXPECT_TRUE(app.WaitCommandsEnded());
    EXPECT_FALSE(PathExists(r.fake + "\\x"));

    // A refused text launches nothing and keeps the last command on the clipboard.
    std::string last = ClipboardText();
    app.SetText(MainPart::m3u8名称, "play\"list");
    app.Press(MainPart::生成切片);
    EXPECT_EQ(app.TakeNotices(), std::vector<std::string>{"路径或名称中不能含有英文双引号"});
    EXPECT_EQ(FakeCalls(r.fake).size(), launched);
    EXPECT_EQ(ClipboardText(), last);
}
