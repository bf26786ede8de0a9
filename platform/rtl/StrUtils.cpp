#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

char AsciiUpper(char C)
{
    return (C >= 'a' && C <= 'z') ? char(C - 'a' + 'A') : C;
}
char AsciiLower(char C)
{
    return (C >= 'A' && C <= 'Z') ? char(C - 'A' + 'a') : C;
}
bool IsBlank(char C)
{
    return static_cast<unsigned char>(C) <= ' ';
}

}  // namespace

std::string Trim(std::string_view S)
{
    return TrimRight(TrimLeft(S));
}

std::string TrimLeft(std::string_view S)
{
    std::size_t I = 0;
    while (I < S.size() && IsBlank(S[I]))
        ++I;
    return std::string(S.substr(I));
}

std::string TrimRight(std::string_view S)
{
    std::size_t N = S.size();
    while (N > 0 && IsBlank(S[N - 1]))
        --N;
    return std::string(S.substr(0, N));
}

std::string UpperCase(std::string_view S)
{
    std::string R(S);
    std::transform(R.begin(), R.end(), R.begin(), AsciiUpper);
    return R;
}

std::string LowerCase(std::string_view S)
{
    std::string R(S);
    std::transform(R.begin(), R.end(), R.begin(), AsciiLower);
    return R;
}

int CompareText(std::string_view S1, std::string_view S2)
{
    const std::size_t N = std::min(S1.size(), S2.size());
    for (std::size_t I = 0; I < N; ++I) {
        const auto A = static_cast<unsigned char>(AsciiUpper(S1[I]));
        const auto B = static_cast<unsigned char>(AsciiUpper(S2[I]));
        if (A != B)
            return A < B ? -1 : 1;
    }
    if (S1.size() == S2.size())
        return 0;
    return S1.size() < S2.size() ? -1 : 1;
}

bool SameText(std::string_view S1, std::string_view S2)
{
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int CompareStr(std::string_view S1, std::string_view S2)
{
    const int R = S1.compare(S2);
    return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

int Pos(std::string_view SubStr, std::string_view S)
{
    if (SubStr.empty())
        return 0;
    const std::size_t P = S.find(SubStr);
    return P == std::string_view::npos ? 0 : static_cast<int>(P) + 1;
}

std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags)
{
    if (OldPattern.empty())
        return std::string(S);
    const bool IgnoreCase = Flags & rfIgnoreCase;
    const std::string Haystack = IgnoreCase ? UpperCase(S) : std::string(S);
    const std::string Needle = IgnoreCase ? UpperCase(OldPattern) : std::string(OldPattern);
    std::string R;
    std::size_t From = 0;
    while (true) {
        const std::size_t P = Haystack.find(Needle, From);
        if (P == std::string::npos)
            break;
        R.append(S.substr(From, P - From));
        R.append(NewPattern);
        From = P + Needle.size();
        if (!(Flags & rfReplaceAll))
            break;
    }
    R.append(S.substr(From));
    return R;
}

bool IsUTF8(std::string_view S)
{
    bool HasHigh = false;
    std::size_t I = 0;
    while (I < S.size()) {
        const auto B = static_cast<unsigned char>(S[I]);
        ++I;
        if (B < 0x80)
            continue;
        HasHigh = true;
        int Follow;
        if (B == 0x80)
            Follow = 0;
        else if (B <= 0xBF)
            return false;
        else if (B <= 0xDF)
            Follow = 1;
        else if (B <= 0xEF)
            Follow = 2;
        else if (B <= 0xF7)
            Follow = 3;
        else if (B <= 0xFB || B >= 0xFE)
            Follow = 4;
        else
            Follow = 5;
        for (int K = 0; K < Follow; ++K, ++I) {
            if (I >= S.size())
                return false;
            const auto C = static_cast<unsigned char>(S[I]);
            if (C < 0x80 || C > 0xBF)
                return false;
        }
    }
    return HasHigh;
}

std::string QuotedStr(std::string_view S)
{
    std::string R = "'";
    for (char C : S) {
        R += C;
        if (C == '\'')
            R += '\'';
    }
    R += '\'';
    return R;
}
