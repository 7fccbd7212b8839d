// Stands in for ffmpeg.exe in the end-to-end tests. It records how it was started to calls.log beside itself
// (one block per run: the raw command line, each argument, the working folder) and then follows script.txt
// beside itself, one step a line:
//   out <file> / err <file>   copy a file beside it to standard output / standard error
//   hex <hex bytes>           write these bytes to standard output
//   pause <ms>                flush, then wait
//   flood <bytes>             write log lines of 100 bytes to standard error, in writes of 4 KB
//   exit <code>               end with this code
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>

#include "tests/e2e/file_bytes.h"

namespace {

std::string Beside(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.rfind('\\') + 1);
    return folder + name;
}

// A closed reader ends the fake at once, as it ends a real ffmpeg's logging.
void WriteAll(HANDLE h, const std::string& data) {
    size_t at = 0;
    while (at < data.size()) {
        DWORD n = 0;
        if (!WriteFile(h, data.data() + at, static_cast<DWORD>(data.size() - at), &n, nullptr)) ExitProcess(3);
        at += n;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string record = "call\n";
    record += std::string("line ") + GetCommandLineA() + "\n";
    for (int i = 1; i < argc; ++i) record += std::string("arg ") + argv[i] + "\n";
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    record += std::string("cwd ") + cwd + "\nend\n";
    if (FILE* f = std::fopen(Beside("calls.log").c_str(), "ab")) {
        std::fwrite(record.data(), 1, record.size(), f);
        std::fclose(f);
    }

    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    std::string script = ReadWholeFile(Beside("script.txt"));
    size_t at = 0;
    while (at < script.size()) {
        size_t end = script.find('\n', at);
        if (end == std::string::npos) end = script.size();
        std::string line = script.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t space = line.find(' ');
        std::string verb = line.substr(0, space);
        std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (verb == "out" || verb == "err") {
            WriteAll(verb == "out" ? out : err, ReadWholeFile(Beside(rest.c_str())));
        } else if (verb == "hex") {
            std::string bytes;
            for (size_t i = 0; i + 1 < rest.size(); i += 2) {
                if (rest[i] == ' ') {
                    --i;
                    continue;
                }
                bytes += static_cast<char>(std::strtol(rest.substr(i, 2).c_str(), nullptr, 16));
            }
            WriteAll(out, bytes);
        } else if (verb == "pause") {
            FlushFileBuffers(out);
            Sleep(static_cast<DWORD>(std::atoi(rest.c_str())));
        } else if (verb == "flood") {
            long long total = std::atoll(rest.c_str());
            std::string block;
            for (int i = 0; block.size() + 100 <= 4096; ++i) {
                std::string line100 = "[mpegts @ 0000000000abcdef] Non-monotonous DTS; line " + std::to_string(i);
                line100.resize(98, ' ');
                block += line100 + "\r\n";
            }
            for (long long written = 0; written < total; written += static_cast<long long>(block.size()))
                WriteAll(err, block.substr(0, static_cast<size_t>(std::min<long long>(total - written, block.size()))));
        } else if (verb == "exit") {
            return std::atoi(rest.c_str());
        }
    }
    return 0;
}
