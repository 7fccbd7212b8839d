// What the choice of an MP4 file yields: the TS path beside it and the pieces of its file name. Pure.
#pragma once

#include "common/text.h"

namespace torvane {

// Offset of the file-name part: just after the last '\', '/' or ':' that is not the path's last byte, scanning
// double-byte characters as units (the rule of PathFindFileNameA).
size_t FileNameStart(std::string_view path);

// Replaces every "mp4" (lower case, at a character start) of the file-name part by "ts"; the folder part is kept
// byte for byte. A file name without a lower-case "mp4" whose extension is "mp4" in another letter case gets the
// extension "ts" instead, so that the TS file never is the MP4 file itself.
Text DeriveTsPath(std::string_view mp4Path);

// The file-name part of a path split at ".". An empty name gives no piece; a trailing empty piece is dropped.
TextList SplitTsFileName(std::string_view tsPath);

// Whether two paths name the same file as far as the text tells: equal but for the letter case of ASCII letters
// (double-byte characters compare byte for byte).
bool SamePathText(std::string_view a, std::string_view b);

// A filter text "desc|pattern" in the form GetOpenFileNameA takes: trailing white space trimmed, "||" appended
// unless present, every "|" (at a character start) turned into a NUL.
Text BuildOpenFilter(std::string_view filter);

}  // namespace torvane
