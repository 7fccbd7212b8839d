// The three choosers: the folder browsers of 加载 and 选择目录, and the Open dialog of 打开文件.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(Selection, CancelChangesNothingAndFoldersComeFromTheBrowser) {
    std::string mp4 = PlaceFile("sel-file", "a.b.mp4");
    std::string chosen = FreshFolder("sel 视频 目录");
    Torvane app("sel");
    app.Start();
    app.SetText(MainPart::程序目录, "C:\\keep\\ffmpeg");
    app.SetText(MainPart::保存目录, "C:\\keep\\out");
    ASSERT_TRUE(app.ChooseFolder(MainPart::加载, ""));
    ASSERT_TRUE(app.ChooseFolder(MainPart::选择目录, ""));
    EXPECT_EQ(app.Text(MainPart::程序目录), "C:\\keep\\ffmpeg");
    EXPECT_EQ(app.Text(MainPart::保存目录), "C:\\keep\\out");

    ASSERT_TRUE(app.ChooseFolder(MainPart::加载, chosen));
    EXPECT_EQ(app.Text(MainPart::程序目录), chosen);
    ASSERT_TRUE(app.ChooseFolder(MainPart::选择目录, chosen));
    EXPECT_EQ(app.Text(MainPart::保存目录), chosen);
    EXPECT_TRUE(IsWindowEnabled(app.Main())) << "the main window must be usable again";

    ASSERT_TRUE(app.OpenMp4(mp4));
    EXPECT_EQ(app.Text(MainPart::视频名称), "a");
    app.SetText(MainPart::视频名称, "typed");
    ASSERT_TRUE(app.OpenMp4(""));  // Cancel
    EXPECT_EQ(app.Text(MainPart::视频目录), mp4);
    EXPECT_EQ(app.Text(MainPart::视频名称), "typed");
    ASSERT_TRUE(app.OpenMp4(mp4));
    EXPECT_EQ(app.Text(MainPart::视频名称), "a");  // a new open overwrites a typed name

    app.Close();
    ASSERT_EQ(app.WaitExit(), std::optional<DWORD>(0));
    EXPECT_EQ(ReadFileBytes(app.folder() + "\\pz.ini"), "[PEIZHI]\r\n程序目录=" + chosen + "\r\n");
}
