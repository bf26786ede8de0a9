#include "rtl/Gbk.h"

#include "rtl/Exception.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace {

// One conversion descriptor per direction and thread: iconv_t keeps shift
// state and must not be shared between threads.
class TConverter {
public:
    TConverter(const char* To, const char* From) : FHandle(iconv_open(To, From))
    {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw Exception(std::string("Code page conversion ") + From + " to " + To + " is not available");
    }
    ~TConverter() { iconv_close(FHandle); }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    // Converts In onto the end of Out; at a sequence iconv refuses,
    // Skip(In, Pos) tells how many input bytes to replace with one '?'.
    template <class SkipFn> void Convert(std::string_view In, SkipFn Skip, std::string& Out)
    {
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        Out.reserve(Out.size() + In.size() * 2);
        char Buf[4096];
        std::size_t Pos = 0;
        while (Pos < In.size()) {
            char* InPtr = const_cast<char*>(In.data() + Pos);
            std::size_t InLeft = In.size() - Pos;
            char* OutPtr = Buf;
            std::size_t OutLeft = sizeof(Buf);
            const std::size_t R = iconv(FHandle, &InPtr, &InLeft, &OutPtr, &OutLeft);
            const int Error = errno;
            Out.append(Buf, OutPtr - Buf);
            Pos = In.size() - InLeft;
            if (R != static_cast<std::size_t>(-1))
                continue;
            if (Error == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace the offending sequence.
            Out += '?';
            Pos += Skip(In, Pos);
            iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t FHandle;
};

bool IsAscii(std::string_view S)
{
    for (char C : S)
        if (static_cast<unsigned char>(C) >= 0x80)
            return false;
    return true;
}

// Length of the well-formed UTF-8 character at Pos, 0 when malformed.
std::size_t Utf8Length(std::string_view S, std::size_t Pos)
{
    const auto B = static_cast<unsigned char>(S[Pos]);
    std::size_t N;
    std::uint32_t Code;
    if (B < 0x80)
        return 1;
    if (B >= 0xC2 && B <= 0xDF) {
        N = 2;
        Code = B & 0x1F;
    } else if (B >= 0xE0 && B <= 0xEF) {
        N = 3;
        Code = B & 0x0F;
    } else if (B >= 0xF0 && B <= 0xF4) {
        N = 4;
        Code = B & 0x07;
    } else {
        return 0;
    }
    if (Pos + N > S.size())
        return 0;
    for (std::size_t I = 1; I < N; ++I) {
        const auto C = static_cast<unsigned char>(S[Pos + I]);
        if ((C & 0xC0) != 0x80)
            return 0;
        Code = (Code << 6) | (C & 0x3F);
    }
    const bool Overlong = (N == 3 && Code < 0x800) || (N == 4 && Code < 0x10000);
    if (Overlong || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF))
        return 0;
    return N;
}

// A Unicode tag character, U+E0000 to U+E007F, starts at Pos. iconv drops
// these without an error, so they would vanish from the disk text instead
// of showing as '?' like every other character without a GBK form.
bool IsTagCharacter(std::string_view S, std::size_t Pos)
{
    return Pos + 4 <= S.size() && S[Pos] == '\xF3' && S[Pos + 1] == '\xA0' &&
           (S[Pos + 2] == '\x80' || S[Pos + 2] == '\x81') && (static_cast<unsigned char>(S[Pos + 3]) & 0xC0) == 0x80;
}

}  // namespace

std::string Gbk::ToGbk(std::string_view Utf8)
{
    if (IsAscii(Utf8))
        return std::string(Utf8);
    thread_local TConverter Converter("CP936", "UTF-8");
    // A well-formed character without a GBK form is skipped whole; a
    // malformed byte alone.
    const auto Skip = [](std::string_view In, std::size_t Pos) {
        const std::size_t N = Utf8Length(In, Pos);
        return N == 0 ? std::size_t(1) : N;
    };
    std::string Out;
    std::size_t Start = 0;
    for (std::size_t Pos = Utf8.find('\xF3'); Pos != std::string_view::npos; Pos = Utf8.find('\xF3', Pos + 1)) {
        if (!IsTagCharacter(Utf8, Pos))
            continue;
        Converter.Convert(Utf8.substr(Start, Pos - Start), Skip, Out);
        Out += '?';
        Start = Pos + 4;
    }
    Converter.Convert(Utf8.substr(Start), Skip, Out);
    return Out;
}

std::string Gbk::FromGbk(std::string_view Bytes)
{
    if (IsAscii(Bytes))
        return std::string(Bytes);
    thread_local TConverter Converter("UTF-8", "CP936");
    // Skip only the bad lead byte so that an ASCII byte after it (a quote,
    // '=' or line end) survives.
    std::string Out;
    Converter.Convert(
        Bytes, [](std::string_view, std::size_t) { return std::size_t(1); }, Out);
    return Out;
}
