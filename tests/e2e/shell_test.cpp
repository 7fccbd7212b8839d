// Start-up, closing, the settings file, the 切片时间 filter and the right-click menu.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct PlaceCase {
    MainPart part;
    int x, y, w, h;  // relative to the window's client area
};

// The layout, with the places of components inside a group box added to the box's own place.
const PlaceCase kPlaces[] = {
    {MainPart::分组框1, 8, 8, 488, 64},         {MainPart::程序目录, 14, 28, 392, 30},
    {MainPart::加载, 409, 28, 80, 30},           {MainPart::分组框2, 8, 76, 488, 64},
    {MainPart::视频目录, 14, 96, 392, 30},       {MainPart::打开文件, 409, 96, 80, 30},
    {MainPart::分组框4, 8, 145, 488, 64},        {MainPart::保存目录, 14, 165, 392, 30},
    {MainPart::选择目录, 409, 165, 80, 30},      {MainPart::分组框3, 8, 215, 488, 64},
    {MainPart::透明标签2, 15, 236, 56, 30},      {MainPart::m3u8名称, 71, 236, 64, 30},
    {MainPart::透明标签3, 143, 236, 56, 30},     {MainPart::视频名称, 199, 236, 63, 30},
    {MainPart::透明标签1, 263, 236, 56, 30},     {MainPart::切片时间, 319, 236, 40, 30},
    {MainPart::生成TS, 368, 236, 57, 30},        {MainPart::生成切片, 432, 236, 59, 30},
    {MainPart::分组框5, 8, 288, 488, 216},       {MainPart::运行命令框, 15, 304, 472, 192},
};

RECT ClientRectOf(HWND window, HWND part) {
    RECT r = WindowRect(part);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectPlaces(const Torvane& app) {
    for (const PlaceCase& c : kPlaces) {
        RECT r = ClientRectOf(app.Main(), app.Part(c.part));
        EXPECT_EQ(r.left, c.x) << "part " << static_cast<int>(c.part);
        EXPECT_EQ(r.top, c.y) << "part " << static_cast<int>(c.part);
        EXPECT_EQ(r.right - r.left, c.w) << "part " << static_cast<int>(c.part);
        EXPECT_EQ(r.bottom - r.top, c.h) << "part " << static_cast<int>(c.part);
    }
}

std::string IniPath(const Torvane& app) { return app.folder() + "\\pz.ini"; }

}  // namespace

TEST(Startup, ShowsTheLayoutWithItsTextsCentred) {
    Torvane app("startup");
    app.Start();
    EXPECT_EQ(WindowText(app.Main()), "Torvane");
    RECT r = WindowRect(app.Main());
    EXPECT_EQ(r.right - r.left, 508);
    EXPECT_EQ(r.bottom - r.top, 539);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 508) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 539) / 2);

    struct TextCase {
        MainPart part;
        const char* text;
    } texts[] = {
        {MainPart::分组框1, "第一步：加载ffmpeg"}, {MainPart::程序目录, ""}, {MainPart::加载, "加载"},
        {MainPart::分组框2, "第二步：打开MP4文件"}, {MainPart::视频目录, ""}, {MainPart::打开文件, "打开文件"},
        {MainPart::分组框4, "第三步：选择保存目录"}, {MainPart::保存目录, ""}, {MainPart::选择目录, "选择保存目录"},
        {MainPart::分组框3, "第四步：生成"}, {MainPart::透明标签2, "m3u8名称："}, {MainPart::m3u8名称, "playlist"},
        {MainPart::透明标签3, "视频名称："}, {MainPart::视频名称, ""}, {MainPart::透明标签1, "切片间隔："},
        {MainPart::切片时间, "10"}, {MainPart::生成TS, "1.TS"}, {MainPart::生成切片, "2.切片"},
        {MainPart::分组框5, "运行框"}, {MainPart::运行命令框, ""},
    };
    for (const TextCase& t : texts) EXPECT_EQ(app.Text(t.part), t.text) << "part " << static_cast<int>(t.part);
    ExpectPlaces(app);

    LONG style = GetWindowLongA(app.Main(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // The icon as the program carries it: one 32 x 32 image in 32-bit colour.
    HMODULE image = LoadLibraryExA(Paths().torvaneExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    auto icon = static_cast<HICON>(LoadImageA(image, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    ICONINFO info{};
    ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << "no icon of its own";
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    FreeLibrary(image);
    LONG runStyle = GetWindowLongA(app.Part(MainPart::运行命令框), GWL_STYLE);
    EXPECT_TRUE((runStyle & ES_MULTILINE) && (runStyle & WS_VSCROLL) && (runStyle & ES_WANTRETURN));
    EXPECT_FALSE(runStyle & (WS_HSCROLL | ES_AUTOHSCROLL | ES_READONLY));
    for (MainPart p : {MainPart::m3u8名称, MainPart::视频名称, MainPart::切片时间})
        EXPECT_TRUE(GetWindowLongA(app.Part(p), GWL_STYLE) & ES_CENTER);
    EXPECT_TRUE(GetWindowLongA(app.Part(MainPart::程序目录), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(app.Part(MainPart::生成TS), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST(Startup, MaximisingMovesNoComponent) {
    Torvane app("maximise");
    app.Start();
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsZoomed(app.Main()) != FALSE; }));
    ExpectPlaces(app);
}

TEST(Startup, TabMovesAmongTabStopsAndEnterDoesNothing) {
    Torvane app("tabs");
    app.Start();
    SetForegroundWindow(app.Main());
    ASSERT_TRUE(WaitFor([&] { return app.Focus() == app.Part(MainPart::程序目录); })) << "first tab stop";
    SendKeyInput(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return app.Focus() == app.Part(MainPart::加载); }));
    SendKeyInput(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return app.Focus() == app.Part(MainPart::视频目录); }));
    SendKeyInput(VK_TAB, true);
    EXPECT_TRUE(WaitFor([&] { return app.Focus() == app.Part(MainPart::加载); }));

    // Enter neither presses the focused button (加载 would open the folder browser) nor anything else.
    SendKeyInput(VK_RETURN);
    PressKey(app.Part(MainPart::程序目录), VK_RETURN);
    PressKey(app.Part(MainPart::生成TS), VK_RETURN);
    EXPECT_TRUE(app.TakeNotices(800).empty());
    EXPECT_EQ(app.FindWindowOf("#32770", nullptr), nullptr) << "a dialog opened on Enter";
    EXPECT_TRUE(app.Running());

    HWND run = app.Part(MainPart::运行命令框);
    SendKeyInput(VK_TAB, true);
    SendKeyInput(VK_TAB, true);  // from the first tab stop back round to the last one
    ASSERT_TRUE(WaitFor([&] { return app.Focus() == run; })) << "focus on part " << GetDlgCtrlID(app.Focus());
    SendKeyInput('A');
    SendKeyInput(VK_RETURN);
    SendKeyInput('B');
    EXPECT_TRUE(WaitFor([&] { return WindowText(run) == "a\r\nb"; })) << WindowText(run);
    EXPECT_TRUE(app.Running());
}

TEST(Closing, EveryWayEndsNormallyAndSaves) {
    struct Case {
        const char* name;
        std::function<void(Torvane&)> close;
    } cases[] = {
        {"closebox", [](Torvane& a) { PostMessageA(a.Main(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"esc-edit", [](Torvane& a) { PressKey(a.Part(MainPart::程序目录), VK_ESCAPE); }},
        {"esc-button", [](Torvane& a) { PressKey(a.Part(MainPart::加载), VK_ESCAPE); }},
        {"esc-runbox", [](Torvane& a) { PressKey(a.Part(MainPart::运行命令框), VK_ESCAPE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Torvane app(std::string("close-") + c.name);
        app.Start();
        app.SetText(MainPart::程序目录, "C:\\ffmpeg");
        c.close(app);
        auto code = app.WaitExit();
        ASSERT_TRUE(code.has_value()) << "still running";
        EXPECT_EQ(*code, 0u);
        EXPECT_EQ(app.FreeAppStateRuns(), 1);
        EXPECT_EQ(ReadFileBytes(IniPath(app)), "[PEIZHI]\r\n程序目录=C:\\ffmpeg\r\n");
    }
}

TEST(Settings, RemembersTheFfmpegFolder) {
    struct Case {
        const char* name;
        std::optional<std::string> before;  // pz.ini at start
        std::string shown;                  // 程序目录 at start
        std::optional<std::string> typed;   // what the user leaves in the box
        std::string after;                  // pz.ini at the end
    } cases[] = {
        {"none", std::nullopt, "", "C:\\tools\\ffmpeg", "[PEIZHI]\r\n程序目录=C:\\tools\\ffmpeg\r\n"},
        {"missing-folder", "[PEIZHI]\r\n程序目录=C:\\gone\\ffmpeg\r\n", "C:\\gone\\ffmpeg", std::nullopt,
         "[PEIZHI]\r\n程序目录=C:\\gone\\ffmpeg\r\n"},
        {"emptied", "[PEIZHI]\r\n程序目录=C:\\ffmpeg\r\n", "C:\\ffmpeg", "", "[PEIZHI]\r\n程序目录=\r\n"},
        {"others-kept", "[其他]\r\nk=v\r\n[PEIZHI]\r\n别的=1\r\n程序目录=D:\\视频 工具\r\n",
         "D:\\视频 工具", "E:\\ff", "[其他]\r\nk=v\r\n[PEIZHI]\r\n别的=1\r\n程序目录=E:\\ff\r\n"},
        {"no-key", "[PEIZHI]\r\n别的=1\r\n", "", std::nullopt, "[PEIZHI]\r\n别的=1\r\n程序目录=\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Torvane app(std::string("settings-") + c.name, c.before);
        app.Start();
        EXPECT_EQ(app.Text(MainPart::程序目录), c.shown);
        if (c.typed) app.SetText(MainPart::程序目录, *c.typed);
        app.Close();
        ASSERT_EQ(app.WaitExit(), std::optional<DWORD>(0));
        EXPECT_EQ(ReadFileBytes(IniPath(app)), c.after);
    }
}

TEST(Settings, ReadsAtMostTheBuffer) {
    std::string longValue(12000, 'a');
    Torvane app("settings-long", "[PEIZHI]\r\n程序目录=" + longValue + "\r\n");
    app.Start();
    EXPECT_EQ(app.Text(MainPart::程序目录), std::string(10239, 'a'));
}

TEST(SegmentLengthFilter, TypedOnlyDigitsAndMinusPastedAnything) {
    Torvane app("filter");
    app.Start();
    HWND box = app.Part(MainPart::切片时间);
    app.SetText(MainPart::切片时间, "");
    TypeChars(box, "a1b-2. c3\xB2\xE2-");
    EXPECT_EQ(WindowText(box), "1-23-");
    TypeChars(box, "\b");  // Backspace is a control character and passes
    EXPECT_EQ(WindowText(box), "1-23");
    SetClipboardText("x y");
    TypeChars(box, "\x16");  // Ctrl+V
    EXPECT_TRUE(WaitFor([&] { return WindowText(box) == "1-23x y"; })) << WindowText(box);
    // Other boxes take everything.
    app.SetText(MainPart::视频名称, "");
    TypeChars(app.Part(MainPart::视频名称), "a b.c");
    EXPECT_EQ(app.Text(MainPart::视频名称), "a b.c");
}

TEST(ToolsMenu, OpensOnTheWindowNotOnComponents) {
    Torvane app("menu");
    app.Start();
    SetForegroundWindow(app.Main());
    RECT group = WindowRect(app.Part(MainPart::分组框1));
    POINT empty{group.left + 200, group.top + 57};  // below the edit box, inside the group box
    RightClickAt(empty);
    HWND popup = app.WaitWindow("#32768", nullptr, 5000);
    ASSERT_NE(popup, nullptr) << "no popup on the group box's empty area";
    RECT r = WindowRect(popup);
    EXPECT_EQ(r.left, empty.x + 3);
    EXPECT_EQ(r.top, empty.y + 3);
    PressKey(popup, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(popup) || !IsWindow(popup); }, 5000));
    EXPECT_TRUE(app.Running()) << "Esc in the popup closes the popup only";

    for (MainPart p : {MainPart::加载, MainPart::透明标签2}) {
        RightClickAt(ScreenCenter(app.Part(p)));
        Sleep(800);
        HWND other = app.FindWindowOf("#32768", nullptr);
        EXPECT_EQ(other, nullptr) << "popup on part " << static_cast<int>(p);
        if (other) PressKey(other, VK_ESCAPE);
    }
}
