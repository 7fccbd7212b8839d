#include "link/cdn_link.h"

namespace torvane {

Text ComposeCdnLink(std::string_view user, std::string_view repository, std::string_view directory) {
    return Join({CdnLinkPrefix, user, "/", repository, "/", directory, "/playlist.m3u8"});
}

}  // namespace torvane
