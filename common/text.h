// Byte texts in the ANSI code page. Pure: no Win32, no globals, no I/O.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

using Text = std::string;
using TextList = std::vector<Text>;

// A double-byte character starts with a byte of 0x80 or above; that byte and the next one are one unit.
inline bool IsLeadByte(unsigned char c) { return c >= 0x80; }

// Length in bytes of the character that starts at text[at] (1 or 2, or 1 for a lead byte at the end).
inline size_t CharLength(std::string_view text, size_t at) {
    return (IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
}

// Concatenation in the order given, no separator.
Text Join(std::initializer_list<std::string_view> parts);

// A tag read as a decimal integer: leading blanks skipped, an optional sign, then digits up to the first other
// character. No digits read as 0; values beyond the 64-bit range saturate.
long long ParseDecimalTag(std::string_view tag);

struct FatalError {
    bool hasCode = false;
    long code = 0;
    Text message;  // empty: no message line
    int unit = 0;  // the failing place: which unit of the program and which site in it
    int site = 0;
};

// The text of the fatal error box, lines separated by CR LF.
Text FatalErrorText(const FatalError& error);

// "分配 %d 字节内存失败!" for the given byte count.
Text OutOfMemoryMessage(unsigned long long bytes);

}  // namespace torvane
