#include "console/output_pump.h"

#include <algorithm>

#include "app/messages.h"
#include "common/handle.h"
#include "console/chunk_text.h"

namespace torvane {

namespace {

// Every read is a round trip to the system; 64 KB keeps the pipe drained even when ffmpeg floods it.
constexpr DWORD kReadSize = 64 * 1024;
// How much text one append takes. Measured under Wine, an append costs a fixed part that grows with the box's
// length (about 20 ms when empty, 80 ms at 2 MB, 240 ms at 8 MB) plus some 1.3 ms per KB appended. A slice of
// about 1/32 of the box's length keeps the two parts of the same order: the window answers between slices
// within about twice the fixed part, and fewer, larger appends keep a flood from taking many times longer.
constexpr size_t kMinSlice = 16 * 1024;
constexpr size_t kMaxSlice = 256 * 1024;

size_t SliceLimit(int boxLength) {
    return std::clamp(static_cast<size_t>(boxLength) / 32, kMinSlice, kMaxSlice);
}

struct PumpStart {
    std::shared_ptr<OutputSink> sink;
    UniqueHandle pipe;
};

DWORD WINAPI PumpConsoleOutput(void* param) {
    std::unique_ptr<PumpStart> start(static_cast<PumpStart*>(param));
    std::vector<char> buffer(kReadSize);
    CharCarry carry;
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(start->pipe.get(), buffer.data(), kReadSize, &count, nullptr) || count == 0) break;
        Text text = carry.Feed(ChunkText(std::string_view(buffer.data(), count)));
        if (!text.empty()) start->sink->Push(text);
    }
    start->sink->Push(carry.Finish());
    start->sink->End();
    return 0;
}

// The end of the last whole character at or before `limit`.
size_t SliceEnd(const Text& text, size_t limit) {
    if (text.size() <= limit) return text.size();
    size_t i = 0;
    while (i < text.size()) {
        size_t n = CharLength(text, i);
        if (i + n > limit) break;
        i += n;
    }
    return i;
}

}  // namespace

void OutputSink::NotifyLocked() {
    if (notified_) return;
    notified_ = true;
    PostMessageA(notify_, WM_APP_OUTPUT_READY, 0, reinterpret_cast<LPARAM>(this));
}

void OutputSink::Push(std::string_view text) {
    std::lock_guard<std::mutex> hold(lock_);
    if (detached_ || text.empty()) return;
    pending_.append(text);
    NotifyLocked();
}

void OutputSink::End() {
    std::lock_guard<std::mutex> hold(lock_);
    ended_ = true;
    if (!detached_) NotifyLocked();
}

Text OutputSink::Take(bool& ended) {
    std::lock_guard<std::mutex> hold(lock_);
    notified_ = false;
    ended = ended_;
    Text out = std::move(pending_);
    pending_.clear();
    return out;
}

void OutputSink::Detach() {
    std::lock_guard<std::mutex> hold(lock_);
    detached_ = true;
    pending_.clear();
}

void StartOutputPump(std::shared_ptr<OutputSink> sink, HANDLE readEnd) {
    auto* start = new PumpStart{std::move(sink), UniqueHandle(readEnd)};
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, PumpConsoleOutput, start, 0, &id);
    if (thread) {
        CloseHandle(thread);
    } else {
        delete start;  // closes the pipe: the command's output is not shown, and it does not block on it
    }
}

std::shared_ptr<OutputSink> OutputView::AddSink(HWND box) {
    box_ = box;
    Gather();  // whatever earlier pumps hold belongs to the text just cleared
    backlog_.clear();
    auto sink = std::make_shared<OutputSink>(window_);
    sinks_.push_back(sink);
    return sink;
}

void OutputView::Gather() {
    for (auto it = sinks_.begin(); it != sinks_.end();) {
        bool ended = false;
        backlog_ += (*it)->Take(ended);
        it = ended ? sinks_.erase(it) : it + 1;
    }
}

void OutputView::AppendSlice() {
    if (!box_ || !IsWindow(box_)) {
        backlog_.clear();
        return;
    }
    int length = GetWindowTextLengthA(box_);
    size_t end = SliceEnd(backlog_, SliceLimit(length));
    Text slice = backlog_.substr(0, end);
    backlog_.erase(0, end);
    SendMessageA(box_, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageA(box_, EM_SCROLLCARET, 0, 0);
    SendMessageA(box_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(slice.c_str()));
}

void OutputView::OnReady(OutputSink*) {
    if (detached_) return;
    Gather();
    // A lone chunk is shown at once; while slices are still queued, new text waits for the next one.
    if (!flushPosted_ && !backlog_.empty()) OnFlush();
}

void OutputView::OnFlush() {
    flushPosted_ = false;
    if (detached_) return;
    Gather();
    if (backlog_.empty()) return;
    AppendSlice();
    if (!backlog_.empty()) {
        flushPosted_ = true;
        PostMessageA(window_, WM_APP_OUTPUT_FLUSH, 0, 0);
    }
}

void OutputView::Detach() {
    detached_ = true;
    for (auto& sink : sinks_) sink->Detach();
    sinks_.clear();
    backlog_.clear();
}

}  // namespace torvane
