// The CDN link window, opened from the right-click menu.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const char kSentinel[] = "clipboard before";

HWND Part(HWND link, LinkPart part) { return GetDlgItem(link, static_cast<int>(part)); }

// Right click on the window's empty area, then "生成jsd" in the popup.
HWND OpenLink(Torvane& app) {
    SetForegroundWindow(app.Main());
    RECT group = WindowRect(app.Part(MainPart::分组框1));
    RightClickAt({group.left + 200, group.top + 57});
    HWND popup = app.WaitWindow("#32768", nullptr, 5000);
    if (!popup) return nullptr;
    PressKey(popup, VK_DOWN);
    PressKey(popup, VK_RETURN);
    return app.WaitWindow(torvane::kLinkWindowClass, nullptr, 5000);
}

}  // namespace

TEST(LinkWindow, ComposesAndCopiesTheLink) {
    Torvane app("link");
    app.Start();
    app.SetText(MainPart::m3u8名称, "other");  // changes nothing in the link
    HWND link = OpenLink(app);
    ASSERT_NE(link, nullptr) << "no link window";
    EXPECT_EQ(WindowText(link), "生成JSD链接");
    RECT r = WindowRect(link);
    EXPECT_EQ(r.right - r.left, 380);
    EXPECT_EQ(r.bottom - r.top, 250);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);
    EXPECT_FALSE(GetWindowLongA(link, GWL_STYLE) & WS_MAXIMIZEBOX);
    EXPECT_FALSE(IsWindowEnabled(app.Main())) << "the main window must be disabled while the link window is open";
    EXPECT_EQ(WindowText(Part(link, LinkPart::按钮1)), "生成并复制");

    struct Case {
        const char *user, *repo, *dir, *tail;
    } cases[] = {
        {"alice", "videos", "hls", "alice/videos/hls/playlist.m3u8"},
        {" ", "videos", "hls", " /videos/hls/playlist.m3u8"},
        {"alice", "videos", "a/b", "alice/videos/a/b/playlist.m3u8"},
        {"alice", "videos", "视频/", "alice/videos/视频//playlist.m3u8"},
    };
    for (const Case& c : cases) {
        SetWindowTextRemote(Part(link, LinkPart::编辑框1), c.user);
        SetWindowTextRemote(Part(link, LinkPart::编辑框2), c.repo);
        SetWindowTextRemote(Part(link, LinkPart::编辑框3), c.dir);
        SetClipboardText(kSentinel);
        Click(Part(link, LinkPart::按钮1));
        EXPECT_TRUE(WaitFor([&] { return ClipboardText() == std::string("https://cdn.jsdelivr.net/gh/") + c.tail; }))
            << ClipboardText();
        EXPECT_EQ(WindowText(Part(link, LinkPart::透明标签4)), "生成链接并复制成功");
    }

    for (LinkPart empty : {LinkPart::编辑框1, LinkPart::编辑框2, LinkPart::编辑框3}) {
        for (LinkPart box : {LinkPart::编辑框1, LinkPart::编辑框2, LinkPart::编辑框3})
            SetWindowTextRemote(Part(link, box), box == empty ? "" : "x");
        SetClipboardText(kSentinel);
        Click(Part(link, LinkPart::按钮1));
        Sleep(400);
        EXPECT_EQ(ClipboardText(), kSentinel) << "box " << static_cast<int>(empty);
        EXPECT_EQ(WindowText(Part(link, LinkPart::透明标签4)), "生成链接并复制成功");  // never cleared while open
        EXPECT_EQ(app.FindWindowOf("#32770", nullptr), nullptr) << "no notice for an empty box";
    }

    SetClipboardText(kSentinel);
    PressKey(Part(link, LinkPart::编辑框1), VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(link); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
    EXPECT_EQ(ClipboardText(), kSentinel);
    EXPECT_TRUE(app.Running());

    HWND again = OpenLink(app);
    ASSERT_NE(again, nullptr);
    for (LinkPart p : {LinkPart::编辑框1, LinkPart::编辑框2, LinkPart::编辑框3, LinkPart::透明标签4})
        EXPECT_EQ(WindowText(Part(again, p)), "");
    PostMessageA(again, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(again); }));
    app.Close();
    EXPECT_EQ(app.WaitExit(), std::optional<DWORD>(0));
}
