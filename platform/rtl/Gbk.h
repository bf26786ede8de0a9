#pragma once
// The one codec between in-memory UTF-8 and the on-disk code page 936.
#include <string>
#include <string_view>

class Gbk {
public:
    // UTF-8 text to GBK bytes. Characters with no GBK form, and invalid
    // UTF-8 sequences, become '?'.
    static std::string ToGbk(std::string_view Utf8);
    // GBK bytes to UTF-8 text. Invalid or truncated byte sequences become '?'.
    static std::string FromGbk(std::string_view Bytes);
};
