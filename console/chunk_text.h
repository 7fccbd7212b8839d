// Turning what the interpreter wrote into text for the run box. Pure.
#pragma once

#include "common/text.h"

namespace torvane {

// The text of one read: its bytes up to, not including, the first zero byte.
std::string_view ChunkText(std::string_view bytes);

// Holds back a lead byte that ends a read, so that a double-byte character split between two reads is appended
// whole. The text fed in is taken to start at a character boundary after whatever is held.
class CharCarry {
public:
    // The complete characters of what is held plus `text`; an unfinished last character stays held.
    Text Feed(std::string_view text);
    // Whatever is still held, at the end of the output.
    Text Finish();

private:
    Text held_;
};

}  // namespace torvane
