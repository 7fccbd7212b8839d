// The ffmpeg command lines of the two jobs. Pure.
#pragma once

#include <optional>

#include "common/text.h"

namespace torvane {

// One piece of a command-line argument: the user's text (a box, a derived path) or the program's own literal.
struct ArgPiece {
    std::string_view text;
    bool fromUser;
};

// Joins the pieces into one argument that cmd.exe and ffmpeg's argument parser both read as one word. It stays
// bare unless a user piece is empty or holds a blank, a tab or one of & | < > ^ ( ) , ; = (checked bytewise, so a
// trail byte that happens to match only adds harmless quotes); then the whole argument is put in double quotes,
// with a trailing run of backslashes doubled so that it does not escape the closing quote. A user piece with a
// double quote cannot be carried safely: the result is empty then.
std::optional<Text> CommandArgument(std::initializer_list<ArgPiece> pieces);

// "ffmpeg -y -i <mp4> -vcodec copy -acodec copy -bsf:v h264_mp4toannexb <ts>"; empty when refused.
std::optional<Text> ComposeTsCommand(std::string_view mp4Path, std::string_view tsPath);

// "ffmpeg -i <ts> -c copy -map 0 -f segment -segment_list <folder>\<playlist>.m3u8 -segment_time <length>
// <folder>\<video>%03d.ts"; empty when refused.
std::optional<Text> ComposeSegmentCommand(std::string_view tsPath, std::string_view outputFolder,
                                          std::string_view playlistName, std::string_view segmentLength,
                                          std::string_view videoName);

}  // namespace torvane
