#include "common/ui.h"

#include <atomic>
#include <cstring>

namespace torvane {

namespace {

std::atomic<bool> g_fatalRaised{false};
constexpr const char* kKeysProp = "Torvane.WindowKeys";

// The clipboard is a shared resource another program may hold for a moment; a few tries cost nothing.
bool OpenClipboardRetrying() {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(30);
    }
    return false;
}

}  // namespace

void ShowInfoBox(std::string_view text) {
    Text copy(text);
    MessageBoxA(nullptr, copy.c_str(), "信息：", MB_OK | MB_TASKMODAL);
}

void CopyToClipboard(std::string_view text) {
    if (!OpenClipboardRetrying()) return;
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1)) {
        if (void* p = GlobalLock(block)) {
            std::memcpy(p, text.data(), text.size());
            GlobalUnlock(block);
            if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

void ReportFatalError(const FatalError& error) {
    g_fatalRaised = true;
    Text text = FatalErrorText(error);
    MessageBoxA(nullptr, text.c_str(), "错误", MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

bool FatalErrorRaised() { return g_fatalRaised; }

Text ReadWindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    Text text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void WriteWindowText(HWND hwnd, std::string_view text) {
    Text copy(text);
    SetWindowTextA(hwnd, copy.c_str());
}

std::vector<NotedWindow> DisableTopLevelWindows(bool (*take)(HWND)) {
    struct Walk {
        bool (*take)(HWND);
        std::vector<NotedWindow> noted;
    } walk{take, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* w = reinterpret_cast<Walk*>(param);
            if (w->take(hwnd)) w->noted.push_back({hwnd, IsWindowEnabled(hwnd) != FALSE});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    for (const NotedWindow& w : walk.noted) EnableWindow(w.hwnd, FALSE);
    return std::move(walk.noted);
}

void RestoreWindows(std::vector<NotedWindow>& noted) {
    for (const NotedWindow& w : noted)
        if (IsWindow(w.hwnd)) EnableWindow(w.hwnd, w.enabled);
    noted.clear();
}

void AdoptWindowKeys(HWND topLevel) { SetPropA(topLevel, kKeysProp, reinterpret_cast<HANDLE>(1)); }

bool HandleWindowKeys(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (!top || !GetPropA(top, kKeysProp)) return false;
    // Esc is taken before any component sees it, so it closes the window from the multi-line box as well.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        PostMessageA(top, WM_CLOSE, 0, 0);
        return true;
    }
    // Enter has no meaning outside a box that takes it (the multi-line run box): the dialog keyboard
    // handling would otherwise press the focused button.
    if ((msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && msg.wParam == VK_RETURN) {
        MSG copy = msg;
        LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&copy));
        if (!(code & DLGC_WANTALLKEYS)) return true;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        return true;
    }
    return IsDialogMessageA(top, &msg) != FALSE;
}

}  // namespace torvane
