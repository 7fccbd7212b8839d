#include "app/main_window.h"

#include <windowsx.h>

#include "app/messages.h"
#include "app/settings_file.h"
#include "common/ui.h"
#include "console/output_pump.h"
#include "jobs/segment_job.h"
#include "jobs/selection.h"
#include "jobs/ts_job.h"
#include "link/link_window.h"

namespace torvane {

namespace {

constexpr int kOuterWidth = 508;
constexpr int kOuterHeight = 539;
constexpr int kIconResource = 1;

enum class Kind { GroupBox, Label, Edit, Button };

constexpr DWORD kPathBox = ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kNameBox = ES_CENTER | ES_AUTOHSCROLL;
constexpr DWORD kRunBox = ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;

struct ComponentRow {
    MainPart part;
    Kind kind;
    int inside;  // the enclosing group box's control id, 0 for the window
    int x, y, w, h;
    const char* text;
    DWORD style;  // the kind's own styles, on top of those every component of the kind has
};

constexpr int In(MainPart p) { return static_cast<int>(p); }

// In layout order, which is also the order of creation and so of the tab stops.
constexpr ComponentRow kLayout[] = {
    {MainPart::分组框1, Kind::GroupBox, 0, 8, 8, 488, 64, "第一步：加载ffmpeg", 0},
    {MainPart::程序目录, Kind::Edit, In(MainPart::分组框1), 6, 20, 392, 30, "", kPathBox},
    {MainPart::加载, Kind::Button, In(MainPart::分组框1), 401, 20, 80, 30, "加载", 0},
    {MainPart::分组框2, Kind::GroupBox, 0, 8, 76, 488, 64, "第二步：打开MP4文件", 0},
    {MainPart::视频目录, Kind::Edit, In(MainPart::分组框2), 6, 20, 392, 30, "", kPathBox},
    {MainPart::打开文件, Kind::Button, In(MainPart::分组框2), 401, 20, 80, 30, "打开文件", 0},
    {MainPart::分组框4, Kind::GroupBox, 0, 8, 145, 488, 64, "第三步：选择保存目录", 0},
    {MainPart::保存目录, Kind::Edit, In(MainPart::分组框4), 6, 20, 392, 30, "", kPathBox},
    {MainPart::选择目录, Kind::Button, In(MainPart::分组框4), 401, 20, 80, 30, "选择保存目录", 0},
    {MainPart::分组框3, Kind::GroupBox, 0, 8, 215, 488, 64, "第四步：生成", 0},
    {MainPart::透明标签2, Kind::Label, In(MainPart::分组框3), 7, 21, 56, 30, "m3u8名称：", 0},
    {MainPart::m3u8名称, Kind::Edit, In(MainPart::分组框3), 63, 21, 64, 30, "playlist", kNameBox},
    {MainPart::透明标签3, Kind::Label, In(MainPart::分组框3), 135, 21, 56, 30, "视频名称：", 0},
    {MainPart::视频名称, Kind::Edit, In(MainPart::分组框3), 191, 21, 63, 30, "", kNameBox},
    {MainPart::透明标签1, Kind::Label, In(MainPart::分组框3), 255, 21, 56, 30, "切片间隔：", 0},
    {MainPart::切片时间, Kind::Edit, In(MainPart::分组框3), 311, 21, 40, 30, "10", kNameBox},
    {MainPart::生成TS, Kind::Button, In(MainPart::分组框3), 360, 21, 57, 30, "1.TS", 0},
    {MainPart::生成切片, Kind::Button, In(MainPart::分组框3), 424, 21, 59, 30, "2.切片", 0},
    {MainPart::分组框5, Kind::GroupBox, 0, 8, 288, 488, 216, "运行框", 0},
    {MainPart::运行命令框, Kind::Edit, In(MainPart::分组框5), 7, 16, 472, 192, "", kRunBox},
};
static_assert(sizeof kLayout / sizeof kLayout[0] == kMainPartCount, "one row per component");

struct MenuItem {
    const char* text;
    int command;
    bool visible, enabled, checked;
};

// The items of the hidden top-level menu "工具".
constexpr MenuItem kToolsMenu[] = {
    {"生成jsd", kMenu生成jsd, true, true, false},
};

MainWindow* g_mainWindow = nullptr;
HBRUSH WhiteBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

constexpr const char* kPreviousProc = "Torvane.PreviousProc";

LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPreviousProc));
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

void Subclass(HWND hwnd, WNDPROC proc) {
    SetPropA(hwnd, kPreviousProc, reinterpret_cast<HANDLE>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

// A group box is the parent of the components inside it; what they tell their parent belongs to the window.
LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    case WM_ERASEBKGND: {
        // A group box erases nothing of its own; as a parent it must, or its inside shows garbage.
        RECT inside;
        GetClientRect(hwnd, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, WhiteBrush());
        return 1;
    }
    case WM_NCDESTROY:
        RemovePropA(hwnd, kPreviousProc);
        break;
    }
    return CallPrevious(hwnd, msg, wParam, lParam);
}

// 切片时间 takes typed digits and minus signs only. Control characters (Backspace, Ctrl+V and the like) pass,
// so pasted text is not filtered.
LRESULT CALLBACK SegmentLengthProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && wParam >= 32 && !((wParam >= '0' && wParam <= '9') || wParam == '-')) return 0;
    if (msg == WM_NCDESTROY) {
        LRESULT r = CallPrevious(hwnd, msg, wParam, lParam);
        RemovePropA(hwnd, kPreviousProc);
        return r;
    }
    return CallPrevious(hwnd, msg, wParam, lParam);
}

HWND CreateComponent(HWND window, HWND parent, const ComponentRow& row, HFONT font) {
    const char* cls = "BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE | row.style;
    DWORD exStyle = 0;
    switch (row.kind) {
    case Kind::GroupBox:
        style |= BS_GROUPBOX | WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;  // Tab walks into the components inside
        break;
    case Kind::Button:
        style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP;
        break;
    case Kind::Label:
        cls = "STATIC";
        // SS_NOTIFY makes the label take mouse input, so a right click on it does not reach the window.
        style |= SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY;
        break;
    case Kind::Edit:
        cls = "EDIT";
        style |= WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    HWND hwnd = CreateWindowExA(exStyle, cls, row.text, style, row.x, row.y, row.w, row.h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.part)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
    if (!hwnd) return nullptr;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (row.kind == Kind::Edit) SendMessageA(hwnd, EM_LIMITTEXT, 0, 0);
    if (row.kind == Kind::GroupBox) Subclass(hwnd, GroupBoxProc);
    if (row.part == MainPart::切片时间) Subclass(hwnd, SegmentLengthProc);
    return hwnd;
}

}  // namespace

MainWindow::MainWindow() = default;
MainWindow::~MainWindow() = default;

MainWindow* TheMainWindow() { return g_mainWindow; }

HWND MainWindow::Part(MainPart part) const { return parts_[static_cast<size_t>(In(part) - kFirstMainPart)]; }

Text MainWindow::ReadText(MainPart part) const { return ReadWindowText(Part(part)); }

void MainWindow::WriteText(MainPart part, std::string_view text) { WriteWindowText(Part(part), text); }

void MainWindow::SetTag(MainPart part, Text tag) { tags_[static_cast<size_t>(In(part) - kFirstMainPart + 1)] = tag; }

std::optional<int> MainWindow::FindUnitByTag(long long value) const {
    for (size_t i = 0; i < tags_.size(); ++i)
        if (ParseDecimalTag(tags_[i]) == value) return static_cast<int>(i);
    return std::nullopt;
}

HWND MainWindow::Unit(int index) const { return index == 0 ? hwnd_ : parts_[static_cast<size_t>(index - 1)]; }

LRESULT MainWindow::OnCreate() {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const ComponentRow& row : kLayout) {
        HWND parent = row.inside ? Part(static_cast<MainPart>(row.inside)) : hwnd_;
        HWND hwnd = CreateComponent(hwnd_, parent, row, font);
        if (!hwnd) return -1;
        parts_[static_cast<size_t>(In(row.part) - kFirstMainPart)] = hwnd;
    }
    outputs_ = std::make_unique<OutputView>(hwnd_);
    g_mainWindow = this;
    LoadSettings(*this);
    return 0;
}

void MainWindow::OnCommand(int id) {
    switch (id) {
    case In(MainPart::加载): OnLoadClicked(*this); break;
    case In(MainPart::打开文件): OnOpenFileClicked(*this); break;
    case In(MainPart::选择目录): OnChooseOutputClicked(*this); break;
    case In(MainPart::生成TS): OnTsClicked(*this); break;
    case In(MainPart::生成切片): OnSegmentClicked(*this); break;
    case kMenu生成jsd: OpenLinkWindow(); break;
    default: break;  // IDOK from Enter: there is no default button
    }
}

// Like a dialog, the window gives the focus back to the component that had it when it was deactivated.
void MainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    } else if (!HIWORD(wParam)) {
        SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Part(MainPart::程序目录));
    }
}

LRESULT MainWindow::OnCtlColor(HDC dc, HWND control, bool edit) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    // Labels draw on the white of the group box behind them.
    if (!edit && GetParent(control) != hwnd_) SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(WhiteBrush());
}

void MainWindow::OnDestroy() {
    if (!outputs_) return;  // creation failed half-way: nothing was shown, so nothing is saved
    SaveSettings(*this);
    // From here on no pump reaches the run box: the components go away with the window.
    outputs_->Detach();
    g_mainWindow = nullptr;
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (FatalErrorRaised()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        w->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    auto* w = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!w) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE: return w->OnCreate();
    case WM_COMMAND: w->OnCommand(LOWORD(wParam)); return 0;
    case WM_RBUTTONDOWN: ShowToolsMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam); return 0;
    case WM_ACTIVATE: w->OnActivate(wParam); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return w->OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), false);
    case WM_CTLCOLOREDIT: return w->OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), true);
    case WM_APP_OUTPUT_READY: w->outputs().OnReady(reinterpret_cast<OutputSink*>(lParam)); return 0;
    case WM_APP_OUTPUT_FLUSH: w->outputs().OnFlush(); return 0;
    case WM_DESTROY: w->OnDestroy(); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete w;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON, 32, 32, 0));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = WhiteBrush();
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&wc) != 0;
}

MainWindow* MainWindow::Open() {
    int x = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    auto* w = new MainWindow();
    HWND hwnd = CreateWindowExA(0, kMainWindowClass, kMainWindowTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                                    WS_CLIPCHILDREN,
                                x, y, kOuterWidth, kOuterHeight, nullptr, nullptr, GetModuleHandleA(nullptr), w);
    if (!hwnd) return nullptr;  // WM_NCDESTROY has freed w
    AdoptWindowKeys(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    return w;
}

void ShowToolsMenu(int, int, WPARAM) {
    MainWindow* w = TheMainWindow();
    if (!w) return;
    HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : kToolsMenu) {
        if (!item.visible) continue;
        UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
        AppendMenuA(popup, flags, static_cast<UINT_PTR>(item.command), item.text);
    }
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x + 3, at.y + 3, 0, w->hwnd(), nullptr);
    DestroyMenu(popup);
}

}  // namespace torvane
