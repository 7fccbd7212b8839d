#include "link/cdn_link.h"

#include <gtest/gtest.h>

using namespace torvane;

TEST(ComposeCdnLink, JoinsTheBoxesByteForByte) {
    const Text prefix(CdnLinkPrefix);
    struct Case {
        const char *user, *repository, *directory;
        Text tail;
    } cases[] = {
        {"alice", "videos", "hls", "alice/videos/hls/playlist.m3u8"},
        {" ", "videos", "hls", " /videos/hls/playlist.m3u8"},
        {"alice", "videos", "a/b", "alice/videos/a/b/playlist.m3u8"},
        {"alice", "videos", "hls/", "alice/videos/hls//playlist.m3u8"},
        {" alice ", " videos", "hls ", " alice / videos/hls /playlist.m3u8"},
        {"alice", "videos", "视频", "alice/videos/\xCA\xD3\xC6\xB5/playlist.m3u8"},
        {"a\\b", "v", "d", "a\\b/v/d/playlist.m3u8"},
    };
    for (const Case& c : cases) EXPECT_EQ(ComposeCdnLink(c.user, c.repository, c.directory), prefix + c.tail);
    EXPECT_EQ(prefix, "https://cdn.jsdelivr.net/gh/");
}
