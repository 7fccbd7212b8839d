// Figures, printed one a line, each starting with its name. Nothing here asserts a time.
//   P4 <ratio>       start to main window shown, Torvane / a bare one-window program (medians of 5)
//   P1 <ratio>       16 MB of fake ffmpeg log through "1.TS", to the command's end / the same command line
//                    through cmd.exe drained by a plain 64 KB reader
//   P2 <seconds>     2 MB printed at once: from the command's end until the run box holds all of it
//   P3 <ms>          p99 of the UI thread's answer to WM_NULL probes during the P2 burst (P3flood: the P1 flood)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double P99(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * 99 / 100)];
}

BOOL CALLBACK FindShown(HWND hwnd, LPARAM p) {
    auto* pid = reinterpret_cast<DWORD*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid[0] && IsWindowVisible(hwnd)) {
        pid[1] = 1;
        return FALSE;
    }
    return TRUE;
}

double TimeToWindow(const std::string& exe) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    double start = Now();
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    DWORD probe[2] = {pi.dwProcessId, 0};
    while (!probe[1]) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(probe));
        if (!probe[1]) Sleep(2);
    }
    double took = Now() - start;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return took;
}

// The baseline of P1: cmd.exe runs the line, and a plain reader drains its output in 64 KB reads.
double PlainRun(const std::string& folder, const std::string& line) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE inR, inW, outR, outW;
    CreatePipe(&inR, &inW, &sa, 0);
    CreatePipe(&outR, &outW, &sa, 0);
    SetHandleInformation(inW, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outR, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.hStdInput = inR;
    si.hStdOutput = si.hStdError = outW;
    PROCESS_INFORMATION pi{};
    char sys[MAX_PATH];
    GetSystemDirectoryA(sys, MAX_PATH);
    std::string interp = std::string(sys) + "\\cmd.exe";
    char cmd[] = "cmd.exe";
    double start = Now();
    CreateProcessA(interp.c_str(), cmd, nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi);
    CloseHandle(inR);
    CloseHandle(outW);
    std::string text = line + "\r\n";
    DWORD n;
    WriteFile(inW, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(inW);
    std::vector<char> buf(65536);
    while (ReadFile(outR, buf.data(), 65536, &n, nullptr) && n) {
    }
    double took = Now() - start;
    CloseHandle(outR);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return took;
}

struct Probes {
    std::vector<double> ms;
    bool stop = false;
};

void Probe(HWND window, Probes* p) {
    while (!p->stop) {
        double t = Now();
        DWORD_PTR r;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r);
        p->ms.push_back((Now() - t) * 1000);
        Sleep(10);
    }
}

// One "1.TS" run with the fake printing what `script` says: seconds to the command's end, seconds from then
// until the box holds `expectBytes`, and the probes' p99.
void RunThroughTorvane(const std::string& name, const std::string& script, size_t expectBytes, double& toEnd,
                       double& toShown, double& p99) {
    std::string fake = FakeFfmpegFolder(name + "-ffmpeg", script);
    std::string mp4 = FreshFolder(name + "-video") + "\\clip.mp4";
    WriteFileBytes(mp4, "");
    Torvane app(name);
    app.Start();
    app.SetText(MainPart::程序目录, fake);
    app.OpenMp4(mp4);
    Probes probes;
    std::thread prober(Probe, app.Main(), &probes);
    double start = Now();
    app.Press(MainPart::生成TS);
    WaitFor([&] { return app.LiveInterpreters() > 0; }, 10000);
    app.WaitCommandsEnded(600000);
    double ended = Now();
    HWND box = app.Part(MainPart::运行命令框);
    WaitFor([&] {
        DWORD_PTR len = 0;
        SendMessageTimeoutA(box, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &len);
        return len >= expectBytes;
    }, 600000);
    double shown = Now();
    probes.stop = true;
    prober.join();
    toEnd = ended - start;
    toShown = shown - ended;
    p99 = P99(probes.ms);
    app.Close();
    app.WaitExit();
}

}  // namespace

int main(int argc, char** argv) {
    std::string bare = argc > 1 ? argv[1] : "";
    std::vector<double> t, b;
    for (int i = 0; i < 5; ++i) {
        t.push_back(TimeToWindow(Paths().torvaneExe));
        if (!bare.empty()) b.push_back(TimeToWindow(bare));
    }
    if (!bare.empty()) std::printf("P4 %.2f\n", Median(t) / Median(b));
    std::fflush(stdout);

    const long long flood = 16LL * 1024 * 1024;
    std::string folder = FakeFfmpegFolder("bench-plain", "flood " + std::to_string(flood) + "\n");
    double plain = PlainRun(folder, "ffmpeg -y -i x.mp4 -vcodec copy -acodec copy -bsf:v h264_mp4toannexb x.ts");
    double end1, shown1, p99flood;
    RunThroughTorvane("bench-flood", "flood " + std::to_string(flood) + "\n", static_cast<size_t>(flood), end1,
                      shown1, p99flood);
    std::printf("P1 %.2f\n", end1 / plain);
    std::printf("P1detail torvane %.2fs plain %.2fs shown %.2fs later\n", end1, plain, shown1);

    const long long burst = 2LL * 1024 * 1024;
    double end2, shown2, p99burst;
    RunThroughTorvane("bench-burst", "flood " + std::to_string(burst) + "\n", static_cast<size_t>(burst), end2,
                      shown2, p99burst);
    std::printf("P2 %.2f\n", shown2);
    std::printf("P3 %.0f\n", p99burst);
    std::printf("P3flood %.0f\n", p99flood);
    return 0;
}
