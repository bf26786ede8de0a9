// The code page 936 codec: decoding gives valid UTF-8 that encodes back to
// what it decoded from, and text whose every character has a GBK form comes
// back unchanged through the disk encoding.
#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "rtl/Gbk.h"

namespace {

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(const std::string& S)
{
    for (size_t i = 0; i < S.size();) {
        const auto c = static_cast<unsigned char>(S[i]);
        size_t n = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (size_t k = 1; k <= n; ++k) {
            if (i + k >= S.size())
                return false;
            const auto t = static_cast<unsigned char>(S[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += n + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string bytes(reinterpret_cast<const char*>(Data), Size);

    // As bytes from a file.
    const std::string text = Gbk::FromGbk(bytes);
    FUZZ_CHECK(ValidUtf8(text));
    FUZZ_CHECK(Gbk::FromGbk(Gbk::ToGbk(text)) == text);
    // Valid GBK (nothing became '?') is written back byte for byte.
    if (std::count(text.begin(), text.end(), '?') == std::count(bytes.begin(), bytes.end(), '?'))
        FUZZ_CHECK(Gbk::ToGbk(text) == bytes);

    // As text in memory.
    const std::string encoded = Gbk::ToGbk(bytes);
    FUZZ_CHECK(Gbk::ToGbk(Gbk::FromGbk(encoded)) == encoded);
    if (ValidUtf8(bytes) &&
        std::count(encoded.begin(), encoded.end(), '?') == std::count(bytes.begin(), bytes.end(), '?'))
        FUZZ_CHECK(Gbk::FromGbk(encoded) == bytes);
    return 0;
}
