#include "link/link_window.h"

#include <vector>

#include "app/app_state.h"
#include "common/ui.h"
#include "link/cdn_link.h"
#include "link/link_layout.h"

namespace torvane {

namespace {

constexpr int kOuterWidth = 380;
constexpr int kOuterHeight = 250;

enum class Kind { Caption, Edit, Button, Status };

struct ComponentRow {
    LinkPart part;
    Kind kind;
    int x, y, w, h;
    const char* text;
};

constexpr ComponentRow kLayout[] = {
    {LinkPart::透明标签1, Kind::Caption, 8, 16, 88, 24, "GitHub用户名："},
    {LinkPart::编辑框1, Kind::Edit, 104, 16, 232, 32, ""},
    {LinkPart::透明标签2, Kind::Caption, 8, 56, 88, 24, "GitHub库名："},
    {LinkPart::编辑框2, Kind::Edit, 104, 56, 232, 32, ""},
    {LinkPart::透明标签3, Kind::Caption, 8, 96, 88, 24, "文件目录："},
    {LinkPart::编辑框3, Kind::Edit, 104, 96, 232, 32, ""},
    {LinkPart::按钮1, Kind::Button, 104, 141, 232, 32, "生成并复制"},
    {LinkPart::透明标签4, Kind::Status, 104, 176, 240, 24, ""},
};

// The open link window and the windows it disabled; one at a time.
HWND g_linkWindow = nullptr;
std::vector<NotedWindow> g_disabled;

HWND Part(HWND window, LinkPart part) { return GetDlgItem(window, static_cast<int>(part)); }

bool IsOtherWindow(HWND hwnd) { return hwnd != g_linkWindow && hwnd != OwnerWindow(); }

// Runs before the link window goes away, so that the system hands the activation back to the main window.
void RestoreOthers() { RestoreWindows(g_disabled); }

void CreateComponents(HWND window) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    for (const ComponentRow& row : kLayout) {
        const char* cls = "STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (row.kind) {
        case Kind::Caption: style |= SS_RIGHT | SS_CENTERIMAGE | SS_NOPREFIX; break;
        case Kind::Status: style |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX; break;
        case Kind::Edit:
            cls = "EDIT";
            style |= ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::Button:
            cls = "BUTTON";
            style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP;
            break;
        }
        HWND hwnd = CreateWindowExA(exStyle, cls, row.text, style, row.x, row.y, row.w, row.h, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.part)), instance, nullptr);
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row.kind == Kind::Edit) SendMessageA(hwnd, EM_LIMITTEXT, 0, 0);
    }
}

LRESULT CALLBACK LinkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (FatalErrorRaised()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE: CreateComponents(hwnd); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == static_cast<int>(LinkPart::按钮1) && HIWORD(wParam) == BN_CLICKED) CopyCdnLink(hwnd);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        if (msg == WM_CTLCOLORSTATIC) SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_CLOSE:
        RestoreOthers();
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        RestoreOthers();
        if (hwnd == g_linkWindow) g_linkWindow = nullptr;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterLinkWindowClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = LinkWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kLinkWindowClass;
    return RegisterClassExA(&wc) != 0;
}

void CopyCdnLink(HWND linkWindow) {
    for (LinkPart box : {LinkPart::编辑框1, LinkPart::编辑框2, LinkPart::编辑框3})
        if (ReadWindowText(Part(linkWindow, box)).empty()) return;
    Text link = ComposeCdnLink(ReadWindowText(Part(linkWindow, LinkPart::编辑框1)),
                               ReadWindowText(Part(linkWindow, LinkPart::编辑框2)),
                               ReadWindowText(Part(linkWindow, LinkPart::编辑框3)));
    CopyToClipboard(link);
    WriteWindowText(Part(linkWindow, LinkPart::透明标签4), "生成链接并复制成功");
}

void OpenLinkWindow() {
    if (g_linkWindow) {
        ShowWindow(g_linkWindow, IsIconic(g_linkWindow) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(g_linkWindow);
        return;
    }
    int x = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    HWND hwnd = CreateWindowExA(0, kLinkWindowClass, kLinkWindowTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                WS_MINIMIZEBOX, x, y, kOuterWidth, kOuterHeight, OwnerWindow(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return;
    g_linkWindow = hwnd;
    g_disabled = DisableTopLevelWindows(IsOtherWindow);
    AdoptWindowKeys(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(Part(hwnd, LinkPart::编辑框1));

    MSG msg;
    while (IsWindow(hwnd)) {
        int got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
            break;
        }
        if (HandleWindowKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace torvane
