// The CDN address of a playlist kept in a GitHub repository. Pure.
#pragma once

#include "common/text.h"

namespace torvane {

// A public CDN that serves files of GitHub repositories as /gh/<user>/<repository>/<path>.
inline constexpr std::string_view CdnLinkPrefix = "https://cdn.jsdelivr.net/gh/";

// CdnLinkPrefix + user + "/" + repository + "/" + directory + "/playlist.m3u8", every text byte for byte.
Text ComposeCdnLink(std::string_view user, std::string_view repository, std::string_view directory);

}  // namespace torvane
