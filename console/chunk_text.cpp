#include "console/chunk_text.h"

namespace torvane {

std::string_view ChunkText(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

Text CharCarry::Feed(std::string_view text) {
    Text out = std::move(held_);
    held_.clear();
    out.append(text);
    size_t i = 0;
    while (i < out.size()) {
        if (IsLeadByte(static_cast<unsigned char>(out[i])) && i + 1 == out.size()) {
            held_ = out.substr(i);
            out.resize(i);
            break;
        }
        i += CharLength(out, i);
    }
    return out;
}

Text CharCarry::Finish() {
    Text out = std::move(held_);
    held_.clear();
    return out;
}

}  // namespace torvane
