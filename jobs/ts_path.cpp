#include "jobs/ts_path.h"

namespace torvane {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Replaces every "mp4" by "ts"; returns whether anything was replaced.
bool ReplaceMp4(std::string_view in, Text& out) {
    bool replaced = false;
    size_t i = 0;
    while (in.size() - i >= 3) {
        if (in.compare(i, 3, "mp4") == 0) {
            out += "ts";
            i += 3;
            replaced = true;
        } else {
            size_t n = CharLength(in, i);
            out.append(in.substr(i, n));
            i += n;
        }
    }
    out.append(in.substr(i));
    return replaced;
}

// Offset of the last "." at a character start, or npos.
size_t LastDot(std::string_view name) {
    size_t dot = std::string_view::npos;
    for (size_t i = 0; i < name.size(); i += CharLength(name, i))
        if (name[i] == '.') dot = i;
    return dot;
}

}  // namespace

size_t FileNameStart(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i)) {
        char c = path[i];
        if ((c == '\\' || c == '/' || c == ':') && i + 1 < path.size()) start = i + 1;
    }
    return start;
}

Text DeriveTsPath(std::string_view mp4Path) {
    size_t nameAt = FileNameStart(mp4Path);
    std::string_view name = mp4Path.substr(nameAt);
    Text out(mp4Path.substr(0, nameAt));
    if (ReplaceMp4(name, out)) return out;

    size_t dot = LastDot(name);
    if (dot != std::string_view::npos && SamePathText(name.substr(dot + 1), "mp4")) {
        out.resize(nameAt);
        out.append(name.substr(0, dot + 1));
        out += "ts";
    }
    return out;
}

TextList SplitTsFileName(std::string_view tsPath) {
    std::string_view name = tsPath.substr(FileNameStart(tsPath));
    TextList pieces;
    size_t pieceAt = 0;
    for (size_t i = 0; i < name.size(); i += CharLength(name, i)) {
        if (name[i] == '.') {
            pieces.emplace_back(name.substr(pieceAt, i - pieceAt));
            pieceAt = i + 1;
        }
    }
    if (pieceAt < name.size()) pieces.emplace_back(name.substr(pieceAt));
    return pieces;
}

bool SamePathText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        size_t n = CharLength(a, i);
        if (n == 2) {
            if (a.compare(i, 2, b.substr(i, 2)) != 0) return false;
        } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}

Text BuildOpenFilter(std::string_view filter) {
    size_t end = filter.size();
    while (end > 0 && (filter[end - 1] == ' ' || filter[end - 1] == '\t' || filter[end - 1] == '\r' ||
                       filter[end - 1] == '\n'))
        --end;
    Text text(filter.substr(0, end));
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "||") != 0) text += "||";
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (text[i] == '|') text[i] = '\0';
    return text;
}

}  // namespace torvane
