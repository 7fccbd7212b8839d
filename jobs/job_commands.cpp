#include "jobs/job_commands.h"

namespace torvane {

namespace {

constexpr std::string_view kNeedsQuotes = " \t&|<>^(),;=";

}  // namespace

std::optional<Text> CommandArgument(std::initializer_list<ArgPiece> pieces) {
    bool quote = false;
    Text arg;
    for (const ArgPiece& p : pieces) {
        if (p.fromUser) {
            if (p.text.find('"') != std::string_view::npos) return std::nullopt;
            if (p.text.empty() || p.text.find_first_of(kNeedsQuotes) != std::string_view::npos) quote = true;
        }
        arg.append(p.text);
    }
    if (!quote) return arg;
    size_t backslashes = 0;
    while (backslashes < arg.size() && arg[arg.size() - 1 - backslashes] == '\\') ++backslashes;
    return Join({"\"", arg, Text(backslashes, '\\'), "\""});
}

std::optional<Text> ComposeTsCommand(std::string_view mp4Path, std::string_view tsPath) {
    auto input = CommandArgument({{mp4Path, true}});
    auto output = CommandArgument({{tsPath, true}});
    if (!input || !output) return std::nullopt;
    return Join({"ffmpeg -y -i ", *input, " -vcodec copy -acodec copy -bsf:v h264_mp4toannexb ", *output});
}

std::optional<Text> ComposeSegmentCommand(std::string_view tsPath, std::string_view outputFolder,
                                          std::string_view playlistName, std::string_view segmentLength,
                                          std::string_view videoName) {
    auto input = CommandArgument({{tsPath, true}});
    auto playlist = CommandArgument({{outputFolder, true}, {"\\", false}, {playlistName, true}, {".m3u8", false}});
    auto length = CommandArgument({{segmentLength, true}});
    auto segments = CommandArgument({{outputFolder, true}, {"\\", false}, {videoName, true}, {"%03d.ts", false}});
    if (!input || !playlist || !length || !segments) return std::nullopt;
    return Join({"ffmpeg -i ", *input, " -c copy -map 0 -f segment -segment_list ", *playlist, " -segment_time ",
                 *length, " ", *segments});
}

}  // namespace torvane
