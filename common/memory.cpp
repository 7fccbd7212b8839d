// Exhausted memory ends the program through the fatal error box, naming the bytes asked for. The text is built
// without allocating, since there is no memory left to build it with.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "common/ui.h"

namespace {

[[noreturn]] void ReportOutOfMemory(std::size_t bytes) {
    static char text[256];
    std::snprintf(text, sizeof text, "运行时出错!\r\n\r\n错误信息：分配 %llu 字节内存失败!\r\n\r\n出错位置：%d-1",
                  static_cast<unsigned long long>(bytes), torvane::kUnitMemory);
    MessageBoxA(nullptr, text, "错误", MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

void* Allocate(std::size_t bytes) {
    if (void* p = std::malloc(bytes ? bytes : 1)) return p;
    ReportOutOfMemory(bytes);
}

}  // namespace

void* operator new(std::size_t bytes) { return Allocate(bytes); }
void* operator new[](std::size_t bytes) { return Allocate(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
