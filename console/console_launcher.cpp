#include "console/console_launcher.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "common/handle.h"
#include "common/ui.h"
#include "console/output_pump.h"

namespace torvane {

namespace {

constexpr const char* kOutputTag = "73387040";
constexpr long long kOutputTagValue = 73387040;

Text SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

void InheritablePipeAttrs(SECURITY_ATTRIBUTES& attrs) {
    attrs = {};
    attrs.nLength = sizeof attrs;
    attrs.lpSecurityDescriptor = nullptr;
    attrs.bInheritHandle = TRUE;
}

// The program's own ends must not reach the interpreter: a child holding a copy of the input's write end
// would never see the end of its input, and one holding the output's read end keeps it open for ever.
void KeepOwnEnd(HANDLE h) { SetHandleInformation(h, HANDLE_FLAG_INHERIT, 0); }

void CloseAndClear(HANDLE& h) {
    UniqueHandle closing(h);
    h = nullptr;
}

// The box the pump writes to, found by the tag the launcher has just given it, as the pump expects.
HWND FindOutputBox(MainWindow& window) {
    auto unit = window.FindUnitByTag(kOutputTagValue);
    if (!unit) ReportFatalError({false, 0, "未找到指定标记的组件", kUnitConsole, 1});
    HWND box = window.Unit(*unit);
    char cls[16] = {};
    GetClassNameA(box, cls, sizeof cls);
    if (lstrcmpiA(cls, "EDIT") != 0) ReportFatalError({true, 5, "数据或数组类型不匹配", kUnitConsole, 2});
    return box;
}

}  // namespace

void SendCommandLine(const Text& command) {
    Text line = Join({command, "\r\n"});
    DWORD written = 0;
    WriteFile(App().stdinWrite, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void RunInConsole(const Text& command, const Text& workingFolder, MainWindow& window, MainPart outputBox) {
    AppState& app = App();
    InheritablePipeAttrs(app.stdinPipeAttrs);
    InheritablePipeAttrs(app.stdoutPipeAttrs);

    Text system = SystemFolder();
    SetCurrentDirectoryA(system.c_str());
    if (!workingFolder.empty()) SetCurrentDirectoryA(workingFolder.c_str());

    CreatePipe(&app.stdinRead, &app.stdinWrite, &app.stdinPipeAttrs, 0);
    CreatePipe(&app.stdoutRead, &app.stdoutWrite, &app.stdoutPipeAttrs, 0);
    KeepOwnEnd(app.stdinWrite);
    KeepOwnEnd(app.stdoutRead);

    GetStartupInfoA(&app.childStartup);
    app.childStartup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    app.childStartup.hStdInput = app.stdinRead;
    app.childStartup.hStdOutput = app.stdoutWrite;
    app.childStartup.hStdError = app.stdoutWrite;
    app.childStartup.wShowWindow = SW_HIDE;

    char current[MAX_PATH] = {};
    DWORD currentLength = GetCurrentDirectoryA(MAX_PATH, current);
    // By its full path: a bare "cmd.exe" would be looked for in the program's folder and the current folder
    // (the ffmpeg folder) first.
    Text interpreter = Join({system, "\\cmd.exe"});
    char commandLine[] = "cmd.exe";
    app.childProcess = {};
    CreateProcessA(interpreter.c_str(), commandLine, nullptr, nullptr, TRUE, 0, nullptr,
                   (currentLength > 0 && currentLength < MAX_PATH) ? current : nullptr, &app.childStartup,
                   &app.childProcess);

    // The child has its copies now; the program's copies of the child's ends would keep the pipes open.
    CloseAndClear(app.stdinRead);
    CloseAndClear(app.stdoutWrite);
    CloseAndClear(app.childProcess.hProcess);
    CloseAndClear(app.childProcess.hThread);

    SendCommandLine(command);
    // The end of its input makes the interpreter exit once the command has ended.
    CloseAndClear(app.stdinWrite);

    HANDLE readEnd = app.stdoutRead;
    app.stdoutRead = nullptr;
    HWND box = window.Part(outputBox);
    if (!box || !IsWindow(box)) {
        CloseHandle(readEnd);
        return;
    }
    WriteWindowText(box, "");
    window.SetTag(outputBox, kOutputTag);
    HWND target = FindOutputBox(window);
    StartOutputPump(window.outputs().AddSink(target), readEnd);
}

}  // namespace torvane
