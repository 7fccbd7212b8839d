// The whole journey with the real ffmpeg. These tests leave their files under C:\tt; the wrapper then checks
// them with Debian's ffprobe and ffmpeg (check_TsJourney.sh, check_HlsJourney.sh).
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

bool HaveRealFfmpeg() { return !Paths().realFfmpegFolder.empty() && PathExists(Paths().realFfmpegFolder + "\\ffmpeg.exe"); }

std::string Quoted(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// Opens the fixture copied to folder\file, makes its TS with "1.TS" and waits for ffmpeg to end.
void MakeTs(Torvane& app, const std::string& folder, const std::string& file) {
    std::string mp4 = folder + "\\" + file + ".mp4";
    std::string ts = folder + "\\" + file + ".ts";
    CopyFileTo(Paths().fixtures + "\\clip.mp4", mp4);
    ASSERT_TRUE(app.OpenMp4(mp4));
    EXPECT_EQ(app.Text(MainPart::视频名称), file);
    SetClipboardText("");
    app.Press(MainPart::生成TS);
    ASSERT_TRUE(WaitFor([&] { return app.LiveInterpreters() > 0; }));
    ASSERT_TRUE(app.WaitCommandsEnded(120000));
    EXPECT_EQ(ClipboardText(),
              "ffmpeg -y -i " + Quoted(mp4) + " -vcodec copy -acodec copy -bsf:v h264_mp4toannexb " + Quoted(ts));
    EXPECT_TRUE(WaitFor([&] { return app.Text(MainPart::运行命令框).find("muxing overhead") != std::string::npos; }))
        << app.Text(MainPart::运行命令框);
    EXPECT_TRUE(PathExists(ts));
}

}  // namespace

TEST(TsJourney, RemuxesBesideTheMp4) {
    if (!HaveRealFfmpeg()) GTEST_SKIP() << "no Windows ffmpeg in the build's cache";
    struct Case {
        const char *folder, *file;
    } cases[] = {{"ts-journey", "clip"}, {"ts-journey 视频", "测试 片"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        Torvane app(std::string("app-") + c.folder);
        app.Start();
        app.SetText(MainPart::程序目录, Paths().realFfmpegFolder);
        MakeTs(app, FreshFolder(c.folder), c.file);
        app.Close();
        EXPECT_EQ(app.WaitExit(), std::optional<DWORD>(0));
    }
}

TEST(HlsJourney, SegmentsAndAPlaylistAPlayerPlays) {
    if (!HaveRealFfmpeg()) GTEST_SKIP() << "no Windows ffmpeg in the build's cache";
    struct Case {
        const char *folder, *out, *video;
    } cases[] = {{"hls-journey", "hls-journey-out", nullptr}, {"hls-journey 2", "hls 输出 目录", "视频 名"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        // The ffmpeg folder is remembered from an earlier run; the output folder comes from the browser.
        Torvane app(std::string("app-") + c.folder, "[PEIZHI]\r\n程序目录=" + Paths().realFfmpegFolder + "\r\n");
        app.Start();
        EXPECT_EQ(app.Text(MainPart::程序目录), Paths().realFfmpegFolder);
        MakeTs(app, FreshFolder(c.folder), "clip");
        std::string out = FreshFolder(c.out);
        ASSERT_TRUE(app.ChooseFolder(MainPart::选择目录, out));
        EXPECT_EQ(app.Text(MainPart::保存目录), out);
        app.SetText(MainPart::切片时间, "4");
        if (c.video) app.SetText(MainPart::视频名称, c.video);
        app.Press(MainPart::生成切片);
        EXPECT_TRUE(app.TakeNotices(1000).empty());
        ASSERT_TRUE(app.WaitCommandsEnded(120000));
        EXPECT_TRUE(PathExists(out + "\\playlist.m3u8")) << app.Text(MainPart::运行命令框);
        app.Close();
        EXPECT_EQ(app.WaitExit(), std::optional<DWORD>(0));
    }
}
