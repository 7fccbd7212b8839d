// The baseline of P4: a bare Win32 program that opens one window.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(h, m, w, l);
    };
    wc.hInstance = instance;
    wc.lpszClassName = "BareWindow";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowA("BareWindow", "Bare", WS_OVERLAPPEDWINDOW, 100, 100, 508, 539, nullptr, nullptr,
                              instance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
