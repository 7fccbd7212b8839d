// Identities of the link window and its components; shared with the end-to-end test driver.
#pragma once

namespace torvane {

inline constexpr const char* kLinkWindowClass = "TorvaneLink";
inline constexpr const char* kLinkWindowTitle = "生成JSD链接";

enum class LinkPart : int {
    透明标签1 = 301,
    编辑框1,
    透明标签2,
    编辑框2,
    透明标签3,
    编辑框3,
    按钮1,
    透明标签4,
};

}  // namespace torvane
