#include "common/text.h"

#include <climits>

namespace torvane {

Text Join(std::initializer_list<std::string_view> parts) {
    size_t total = 0;
    for (auto p : parts) total += p.size();
    Text out;
    out.reserve(total);
    for (auto p : parts) out.append(p.data(), p.size());
    return out;
}

long long ParseDecimalTag(std::string_view tag) {
    size_t i = 0;
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t')) ++i;
    bool negative = false;
    if (i < tag.size() && (tag[i] == '+' || tag[i] == '-')) negative = tag[i++] == '-';
    unsigned long long value = 0;
    bool overflow = false;
    for (; i < tag.size() && tag[i] >= '0' && tag[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(tag[i] - '0');
        if (value > (static_cast<unsigned long long>(LLONG_MAX) - digit) / 10) overflow = true;
        if (!overflow) value = value * 10 + digit;
    }
    if (overflow) return negative ? LLONG_MIN : LLONG_MAX;
    return negative ? -static_cast<long long>(value) : static_cast<long long>(value);
}

Text FatalErrorText(const FatalError& error) {
    const std::string_view crlf = "\r\n";
    Text text = "运行时出错!";
    if (error.hasCode) text += Join({crlf, crlf, "错误代码：", std::to_string(error.code)});
    if (!error.message.empty()) text += Join({crlf, crlf, "错误信息：", error.message});
    text += Join({crlf, crlf, "出错位置：", std::to_string(error.unit), "-", std::to_string(error.site)});
    return text;
}

Text OutOfMemoryMessage(unsigned long long bytes) { return Join({"分配 ", std::to_string(bytes), " 字节内存失败!"}); }

}  // namespace torvane
