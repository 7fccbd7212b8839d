// The main window: its layout, its events, and access to its components by layout name.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "app/main_layout.h"
#include "common/text.h"

namespace torvane {

class OutputView;

// The Open-file dialog component: invisible on the window, it keeps its file name between uses.
struct OpenDialogComponent {
    Text fileName;
    Text filter = "*.mp4";
};

class MainWindow {
public:
    // Creates the window and its components, raises the created event (LoadSettings), then shows it.
    // Returns null when the window cannot be created.
    static MainWindow* Open();

    HWND hwnd() const { return hwnd_; }
    HWND Part(MainPart part) const;
    Text ReadText(MainPart part) const;
    void WriteText(MainPart part, std::string_view text);

    // Tags: a free text on each unit, the window itself first, then the components in layout order.
    void SetTag(MainPart part, Text tag);
    // The first unit whose tag reads as `value`: 0 is the window itself, n the n-th component. None: empty.
    std::optional<int> FindUnitByTag(long long value) const;
    // The window handle of a unit found by FindUnitByTag.
    HWND Unit(int index) const;

    OpenDialogComponent& openDialog() { return openDialog_; }
    OutputView& outputs() { return *outputs_; }

private:
    friend LRESULT CALLBACK MainWindowProc(HWND, UINT, WPARAM, LPARAM);
    MainWindow();
    ~MainWindow();

    LRESULT OnCreate();
    void OnCommand(int id);
    void OnActivate(WPARAM wParam);
    LRESULT OnCtlColor(HDC dc, HWND control, bool edit);
    void OnDestroy();

    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::array<HWND, kMainPartCount> parts_{};
    std::array<Text, kMainPartCount + 1> tags_;
    OpenDialogComponent openDialog_;
    std::unique_ptr<OutputView> outputs_;
};

// The open main window, or null before it is created and once it is being destroyed.
MainWindow* TheMainWindow();

bool RegisterMainWindowClass(HINSTANCE instance);

// The popup of the hidden menu "工具", at the cursor plus 3 pixels. The arguments are those of the mouse event;
// the menu does not use them.
void ShowToolsMenu(int x, int y, WPARAM keys);

}  // namespace torvane
