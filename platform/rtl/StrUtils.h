#pragma once
// String helpers with the classic runtime's semantics. Text is UTF-8; case
// folding touches ASCII letters only, so multibyte characters pass through.
#include <string>
#include <string_view>

// Strip characters <= ' ' (spaces and control characters) from both or one end.
std::string Trim(std::string_view S);
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);

std::string UpperCase(std::string_view S);
std::string LowerCase(std::string_view S);

// ASCII case-insensitive comparison; result < 0, 0 or > 0.
int CompareText(std::string_view S1, std::string_view S2);
bool SameText(std::string_view S1, std::string_view S2);
// Byte-wise comparison; result < 0, 0 or > 0.
int CompareStr(std::string_view S1, std::string_view S2);

// 1-based position of SubStr in S, 0 when absent (or when SubStr is empty).
int Pos(std::string_view SubStr, std::string_view S);

enum TReplaceFlag : unsigned { rfReplaceAll = 1u << 0, rfIgnoreCase = 1u << 1 };
using TReplaceFlags = unsigned;
std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags);

// True when S holds a byte >= 0x80 and every multi-byte sequence is
// complete: leads 0xC0-0xDF take 1 continuation byte (0x80-0xBF), 0xE0-0xEF
// 2, 0xF0-0xF7 3, 0xF8-0xFB and 0xFE-0xFF 4, 0xFC-0xFD 5; a stray 0x81-0xBF
// fails, a stray 0x80 passes. Pure ASCII gives false.
bool IsUTF8(std::string_view S);

// S in apostrophes, inner apostrophes doubled.
std::string QuotedStr(std::string_view S);
