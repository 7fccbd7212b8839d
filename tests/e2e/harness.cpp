#include "tests/e2e/harness.h"

#include "tests/e2e/file_bytes.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

// The test run hands its folders over as Unix paths; under Wine those live on drive Z:.
std::string EnvPath(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return "";
    std::string path = value;
    if (path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

const Torvane* g_watched = nullptr;

struct FindData {
    DWORD pid;
    const char* cls;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    auto* d = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != d->pid || !IsWindowVisible(hwnd)) return TRUE;
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (d->cls && lstrcmpA(cls, d->cls) != 0) return TRUE;
    if (d->caption && WindowText(hwnd) != d->caption) return TRUE;
    d->found = hwnd;
    return FALSE;
}

HWND FindDescendant(HWND parent, int id) {
    HWND found = nullptr;
    struct Ctx {
        int id;
        HWND* found;
    } ctx{id, &found};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(p);
            if (GetDlgCtrlID(hwnd) == c->id) {
                *c->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return found;
}

class FailureReporter : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo& info) override {
        if (!info.result()->Failed()) return;
        std::printf("--- what the test saw ---\n%s\n", g_watched ? g_watched->Describe().c_str() : "");
    }
};

struct ReporterInstaller {
    ReporterInstaller() { testing::UnitTest::GetInstance()->listeners().Append(new FailureReporter); }
} g_installReporter;

}  // namespace

const TestPaths& Paths() {
    static TestPaths paths{EnvPath("TORVANE_EXE"), EnvPath("TORVANE_FAKE_FFMPEG"), EnvPath("TORVANE_REAL_FFMPEG"),
                           EnvPath("TORVANE_FIXTURES"), "C:\\tt"};
    return paths;
}

static void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

std::string FreshFolder(const std::string& name) {
    CreateDirectoryA(Paths().root.c_str(), nullptr);
    std::string path = Paths().root + "\\" + name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadFileBytes(const std::string& path) { return ReadWholeFile(path); }

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string PlaceFile(const std::string& folderName, const std::string& fileName) {
    std::string folder = FreshFolder(folderName);
    WriteFileBytes(folder + "\\" + fileName, "");
    return folder + "\\" + fileName;
}

void CopyFileTo(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return condition();
        Sleep(25);
    }
}

std::string ClipboardText() {
    std::string text;
    for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(25);
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::string& text) {
    for (int i = 0; i < 20 && !OpenClipboard(nullptr); ++i) Sleep(25);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

std::string WindowText(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &got);
    text.resize(got);
    return text;
}

void SetWindowTextRemote(HWND hwnd, const std::string& text) {
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void TypeChars(HWND box, const std::string& text) {
    // Sent, not posted, so that each character has been handled when the call returns.
    for (unsigned char c : text) SendMessageA(box, WM_CHAR, c, 1);
}

void PressKey(HWND target, WORD vk) {
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
}

void SendKeyInput(WORD vk, bool shift) {
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (shift) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift) key(VK_SHIFT, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void RightClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Sleep(100);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, in, sizeof(INPUT));
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT ScreenCenter(HWND hwnd) {
    RECT r = WindowRect(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string FakeFfmpegFolder(const std::string& name, const std::string& script) {
    std::string folder = FreshFolder(name);
    CopyFileTo(Paths().fakeFfmpeg, folder + "\\ffmpeg.exe");
    WriteFileBytes(folder + "\\script.txt", script);
    return folder;
}

std::vector<FakeCall> FakeCalls(const std::string& folder) {
    std::vector<FakeCall> calls;
    std::string log = ReadFileBytes(folder + "\\calls.log");
    size_t at = 0;
    while (at < log.size()) {
        size_t end = log.find('\n', at);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(at, end - at);
        at = end + 1;
        if (line == "call") calls.emplace_back();
        else if (calls.empty()) continue;
        else if (line.rfind("line ", 0) == 0) calls.back().line = line.substr(5);
        else if (line.rfind("arg ", 0) == 0) calls.back().args.push_back(line.substr(4));
        else if (line.rfind("cwd ", 0) == 0) calls.back().cwd = line.substr(4);
    }
    return calls;
}

Torvane::Torvane(const std::string& name, const std::optional<std::string>& ini) {
    InitializeCriticalSection(&lock_);
    folder_ = FreshFolder(name);
    CopyFileTo(Paths().torvaneExe, folder_ + "\\torvane.exe");
    if (ini) WriteFileBytes(folder_ + "\\pz.ini", *ini);
    g_watched = this;
}

Torvane::~Torvane() {
    if (g_watched == this) g_watched = nullptr;
    if (process_ && Running()) TerminateProcess(process_, 1);
    if (loopThread_) {
        WaitForSingleObject(loopThread_, 10000);
        CloseHandle(loopThread_);
    }
    // Interpreters and ffmpegs this run left behind must not outlive the test.
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe)) {
        if (pe.th32ParentProcessID != pid_ || !pid_) continue;
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pe.th32ProcessID)) {
            TerminateProcess(h, 1);
            CloseHandle(h);
        }
    }
    CloseHandle(snap);
    if (process_) CloseHandle(process_);
    if (started_) CloseHandle(started_);
    DeleteCriticalSection(&lock_);
}

// Torvane runs under this debugger so that its debug output (FreeAppState announces itself) can be read. The
// thread that creates a debugged process must be the one that waits for its debug events.
DWORD WINAPI Torvane::DebugLoop(void* param) {
    auto* self = static_cast<Torvane*>(param);
    std::string exe = self->folder_ + "\\torvane.exe";
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        Paths().root.c_str(), &si, &pi)) {
        SetEvent(self->started_);
        return 1;
    }
    CloseHandle(pi.hThread);
    self->process_ = pi.hProcess;
    self->pid_ = pi.dwProcessId;
    SetEvent(self->started_);
    for (;;) {
        DEBUG_EVENT ev{};
        if (!WaitForDebugEvent(&ev, INFINITE)) break;
        DWORD status = DBG_CONTINUE;
        switch (ev.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (ev.u.CreateProcessInfo.hFile) CloseHandle(ev.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (ev.u.LoadDll.hFile) CloseHandle(ev.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT: {
            const auto& info = ev.u.DebugString;
            std::string text(info.nDebugStringLength, '\0');
            SIZE_T got = 0;
            ReadProcessMemory(pi.hProcess, info.lpDebugStringData, text.data(), text.size(), &got);
            text.resize(strnlen(text.c_str(), got));
            EnterCriticalSection(&self->lock_);
            self->debugStrings_.push_back(text);
            LeaveCriticalSection(&self->lock_);
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            if (ev.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            EnterCriticalSection(&self->lock_);
            self->exitCode_ = ev.u.ExitProcess.dwExitCode;
            LeaveCriticalSection(&self->lock_);
            ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, DBG_CONTINUE);
            return 0;
        }
        ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, status);
    }
    return 0;
}

void Torvane::Start() {
    started_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    loopThread_ = CreateThread(nullptr, 0, DebugLoop, this, 0, nullptr);
    WaitForSingleObject(started_, 30000);
    ASSERT_NE(pid_, 0u) << "torvane.exe did not start";
    ASSERT_TRUE(WaitFor([&] { return (main_ = FindWindowOf(torvane::kMainWindowClass, nullptr)) != nullptr; }, 30000))
        << "no main window";
    // The window is shown once its components exist and the settings are read; wait until it takes input.
    DWORD_PTR ignored;
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

HWND Torvane::Part(MainPart part) const { return FindDescendant(main_, static_cast<int>(part)); }

HWND Torvane::FindWindowOf(const char* cls, const char* caption) const {
    FindData d{pid_, cls, caption, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

HWND Torvane::WaitWindow(const char* cls, const char* caption, int timeoutMs) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowOf(cls, caption)) != nullptr; }, timeoutMs);
    return found;
}

std::optional<std::string> Torvane::TakeBox(const char* caption, int timeoutMs) {
    HWND box = WaitWindow("#32770", caption, timeoutMs);
    if (!box) return std::nullopt;
    std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindow(box); }, 5000);
    return text;
}

std::vector<std::string> Torvane::TakeNotices(int quietMs) {
    std::vector<std::string> notices;
    while (auto text = TakeBox("信息：", quietMs)) notices.push_back(*text);
    return notices;
}

HWND Torvane::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
    return info.hwndFocus;
}

std::optional<std::string> Torvane::OpenMp4(const std::string& path) {
    Press(MainPart::打开文件);
    HWND dialog = WaitWindow("#32770", nullptr, 15000);
    if (!dialog) return std::nullopt;
    // The file-name box is the edit inside control 0x47C (a ComboBoxEx, around a combo box, around the edit).
    HWND edit = nullptr;
    WaitFor([&] {
        HWND combo = GetDlgItem(dialog, 0x47C);
        EnumChildWindows(combo, [](HWND h, LPARAM p) -> BOOL {
            char cls[16] = {};
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpiA(cls, "Edit") != 0) return TRUE;
            *reinterpret_cast<HWND*>(p) = h;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&edit));
        return edit != nullptr;
    }, 5000);
    if (!edit) return std::nullopt;
    std::string before;
    WaitFor([&] { return !(before = WindowText(edit)).empty(); }, 1000);
    if (path.empty()) {
        CancelBox(dialog);
        return before;
    }
    SetWindowTextRemote(edit, path);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (!WaitFor([&] { return !IsWindow(dialog); }, 10000)) return std::nullopt;
    return before;
}

bool Torvane::ChooseFolder(MainPart button, const std::string& path) {
    Press(button);
    HWND browser = WaitWindow("#32770", nullptr, 15000);
    if (!browser) return false;
    bool done = path.empty() ? CancelBox(browser) : ChooseInFolderBrowser(browser, path);
    return done && WaitFor([&] { return !IsWindow(browser); }, 10000);
}

bool Torvane::WaitCommandsEnded(int timeoutMs) const {
    return WaitFor([&] { return LiveInterpreters() == 0; }, timeoutMs);
}

bool Torvane::Running() const {
    EnterCriticalSection(&lock_);
    bool running = !exitCode_.has_value();
    LeaveCriticalSection(&lock_);
    return running;
}

std::optional<DWORD> Torvane::WaitExit(int timeoutMs) {
    if (!WaitFor([&] { return !Running(); }, timeoutMs)) return std::nullopt;
    EnterCriticalSection(&lock_);
    auto code = exitCode_;
    LeaveCriticalSection(&lock_);
    return code;
}

int Torvane::FreeAppStateRuns() const {
    EnterCriticalSection(&lock_);
    int n = 0;
    for (const auto& s : debugStrings_)
        if (s.find("torvane: FreeAppState") != std::string::npos) ++n;
    LeaveCriticalSection(&lock_);
    return n;
}

int Torvane::LiveInterpreters() const {
    int n = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        if (pe.th32ParentProcessID == pid_ && lstrcmpiA(pe.szExeFile, "cmd.exe") == 0) ++n;
    CloseHandle(snap);
    return n;
}

std::string Torvane::Describe() const {
    std::string out = "program folder: " + folder_ + "\n";
    if (!main_ || !IsWindow(main_)) return out + "(no main window)\n";
    for (int id = torvane::kFirstMainPart; id < torvane::kFirstMainPart + torvane::kMainPartCount; ++id) {
        std::string text = WindowText(FindDescendant(main_, id));
        if (text.size() > 2000) text = text.substr(0, 2000) + "...";
        out += "  part " + std::to_string(id) + ": [" + text + "]\n";
    }
    for (const char* caption : {"信息：", "错误"})
        if (HWND box = FindWindowOf("#32770", caption))
            out += std::string("  open box ") + caption + " [" + WindowText(GetDlgItem(box, 0xFFFF)) + "]\n";
    return out;
}

namespace {

// Tree items live in the other process: their texts are read through a buffer allocated there.
std::string TreeItemText(HWND tree, HTREEITEM item) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!proc) return "";
    const SIZE_T textSize = 520;
    char* remote = static_cast<char*>(
        VirtualAllocEx(proc, nullptr, sizeof(TVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    TVITEMA tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = remote + sizeof(TVITEMA);
    tv.cchTextMax = static_cast<int>(textSize);
    WriteProcessMemory(proc, remote, &tv, sizeof tv, nullptr);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
    char text[520] = {};
    ReadProcessMemory(proc, remote + sizeof(TVITEMA), text, textSize - 1, nullptr);
    VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
    CloseHandle(proc);
    return text;
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::function<bool(const std::string&)>& match) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    HTREEITEM found = nullptr;
    WaitFor([&] {
        for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
            if (match(TreeItemText(tree, child))) {
                found = child;
                return true;
            }
        return false;
    }, 5000);
    return found;
}

}  // namespace

bool ChooseInFolderBrowser(HWND browser, const std::string& path) {
    HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    if (!tree) return false;
    HTREEITEM root = TreeView_GetRoot(tree);
    // Desktop, then the computer (the item that holds the drive), the drive, then each folder.
    std::string drive = path.substr(0, 2);
    HTREEITEM computer = nullptr;
    for (HTREEITEM child = (SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root)),
                           TreeView_GetChild(tree, root));
         child && !computer; child = TreeView_GetNextSibling(tree, child)) {
        if (FindChild(tree, child, [&](const std::string& t) { return t.find(drive) != std::string::npos; }))
            computer = child;
    }
    if (!computer) return false;
    HTREEITEM item = FindChild(tree, computer, [&](const std::string& t) { return t.find(drive) != std::string::npos; });
    size_t at = 3;
    while (item && at < path.size()) {
        size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        std::string name = path.substr(at, end - at);
        item = FindChild(tree, item, [&](const std::string& t) { return lstrcmpiA(t.c_str(), name.c_str()) == 0; });
        at = end + 1;
    }
    if (!item) return false;
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    PostMessageA(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
    return true;
}

bool CancelBox(HWND box) {
    if (!box) return false;
    PostMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    return WaitFor([&] { return !IsWindow(box); }, 5000);
}

}  // namespace e2e
