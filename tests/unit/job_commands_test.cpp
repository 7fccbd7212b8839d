#include "jobs/job_commands.h"

#include <gtest/gtest.h>

using namespace torvane;

namespace {

const std::optional<Text> kRefused = std::nullopt;

}  // namespace

TEST(CommandArgument, BareQuotedOrRefused) {
    struct Case {
        const char* user;
        std::optional<Text> arg;
    } cases[] = {
        {"D:\\v\\movie.mp4", Text("D:\\v\\movie.mp4")},
        {"", Text("\"\"")},
        {"my film.mp4", Text("\"my film.mp4\"")},
        {"a\tb", Text("\"a\tb\"")},
        {"clip&mkdir pwned&.mp4", Text("\"clip&mkdir pwned&.mp4\"")},
        {"a|b", Text("\"a|b\"")}, {"a<b", Text("\"a<b\"")}, {"a>b", Text("\"a>b\"")}, {"a^b", Text("\"a^b\"")},
        {"a(b)", Text("\"a(b)\"")}, {"a,b", Text("\"a,b\"")}, {"a;b", Text("\"a;b\"")}, {"a=b", Text("\"a=b\"")},
        {"C:\\my dir\\", Text("\"C:\\my dir\\\\\"")},  // the closing quote is not escaped
        {"C:\\dir\\", Text("C:\\dir\\")},
        {"测试", Text("测试")},
        {"a\"b", kRefused},
        {"\"", kRefused},
    };
    for (const Case& c : cases) EXPECT_EQ(CommandArgument({{c.user, true}}), c.arg) << "text '" << c.user << "'";
}

TEST(CommandArgument, OwnLiteralsDoNotCount) {
    EXPECT_EQ(CommandArgument({{"D:\\out", true}, {"\\", false}, {"v", true}, {"%03d.ts", false}}),
              Text("D:\\out\\v%03d.ts"));
    EXPECT_EQ(CommandArgument({{"D:\\out", true}, {" (literal)", false}}), Text("D:\\out (literal)"));
    EXPECT_EQ(CommandArgument({{"D:\\my out", true}, {"\\", false}, {"v", true}}), Text("\"D:\\my out\\v\""));
}

TEST(ComposeTsCommand, Table) {
    struct Case {
        const char* mp4;
        const char* ts;
        std::optional<Text> command;
    } cases[] = {
        {"D:\\v\\movie.mp4", "D:\\v\\movie.ts",
         Text("ffmpeg -y -i D:\\v\\movie.mp4 -vcodec copy -acodec copy -bsf:v h264_mp4toannexb D:\\v\\movie.ts")},
        {"D:\\v\\my film.mp4", "D:\\v\\my film.ts",
         Text("ffmpeg -y -i \"D:\\v\\my film.mp4\" -vcodec copy -acodec copy -bsf:v h264_mp4toannexb "
              "\"D:\\v\\my film.ts\"")},
        {"D:\\v\\a&b.mp4", "D:\\v\\ab.ts",
         Text("ffmpeg -y -i \"D:\\v\\a&b.mp4\" -vcodec copy -acodec copy -bsf:v h264_mp4toannexb D:\\v\\ab.ts")},
        {"D:\\v\\a\"b.mp4", "D:\\v\\ab.ts", kRefused},
        {"D:\\v\\ab.mp4", "D:\\v\\a\"b.ts", kRefused},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeTsCommand(c.mp4, c.ts), c.command) << c.mp4;
}

TEST(ComposeSegmentCommand, Table) {
    struct Case {
        const char *ts, *folder, *playlist, *length, *video;
        std::optional<Text> command;
    } cases[] = {
        {"D:\\v\\movie.ts", "D:\\out", "playlist", "10", "movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list D:\\out\\playlist.m3u8 "
              "-segment_time 10 D:\\out\\movie%03d.ts")},
        {"D:\\v\\movie.ts", "D:\\", "playlist", "10", "movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list D:\\\\playlist.m3u8 "
              "-segment_time 10 D:\\\\movie%03d.ts")},
        {"D:\\v\\movie.ts", "D:\\my out", "playlist", "4", "my movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list \"D:\\my out\\playlist.m3u8\" "
              "-segment_time 4 \"D:\\my out\\my movie%03d.ts\"")},
        {"D:\\v\\movie.ts", "D:\\out", "playlist", "5", "my movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list D:\\out\\playlist.m3u8 "
              "-segment_time 5 \"D:\\out\\my movie%03d.ts\"")},
        {"D:\\v\\movie.ts", "D:\\out", "playlist.m3u8", "0", "movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list D:\\out\\playlist.m3u8.m3u8 "
              "-segment_time 0 D:\\out\\movie%03d.ts")},
        {"D:\\v\\movie.ts", "out", "playlist", "-5", "movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list out\\playlist.m3u8 "
              "-segment_time -5 out\\movie%03d.ts")},
        {"D:\\v\\movie.ts", "D:\\out", "playlist", "10 & del x", "movie",
         Text("ffmpeg -i D:\\v\\movie.ts -c copy -map 0 -f segment -segment_list D:\\out\\playlist.m3u8 "
              "-segment_time \"10 & del x\" D:\\out\\movie%03d.ts")},
        {"D:\\v\\movie.ts", "D:\\out", "play\"list", "10", "movie", kRefused},
        {"D:\\v\\movie.ts", "D:\\out", "playlist", "10\"", "movie", kRefused},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeSegmentCommand(c.ts, c.folder, c.playlist, c.length, c.video), c.command)
            << c.folder << " | " << c.playlist << " | " << c.length << " | " << c.video;
}
