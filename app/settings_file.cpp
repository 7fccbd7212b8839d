#include "app/settings_file.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window.h"

namespace torvane {

namespace {

constexpr const char* kSection = "PEIZHI";
constexpr const char* kKey = "程序目录";
constexpr DWORD kValueBuffer = 10240;

Text SettingsPath() { return Join({ProgramFolder(), "\\pz.ini"}); }

bool EntryExists(const Text& path) {
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE) return false;
    FindClose(found);
    return true;
}

}  // namespace

void LoadSettings(MainWindow& window) {
    Text path = SettingsPath();
    if (!EntryExists(path)) return;
    Text value(kValueBuffer, '\0');
    DWORD got = GetPrivateProfileStringA(kSection, kKey, "", value.data(), kValueBuffer, path.c_str());
    value.resize(got);
    window.WriteText(MainPart::程序目录, value);
}

void SaveSettings(MainWindow& window) {
    Text path = SettingsPath();
    Text value = window.ReadText(MainPart::程序目录);
    WritePrivateProfileStringA(kSection, kKey, value.c_str(), path.c_str());
}

}  // namespace torvane
