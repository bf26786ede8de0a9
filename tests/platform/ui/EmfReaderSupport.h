#pragma once
// A small reader of enhanced metafiles for tests: splits the bytes into
// records, checking each record's size, and reads the fields of one.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "rtl/Types.h"

struct TEmfRecord {
    std::uint32_t Type;
    std::string Data;  // the whole record, type and size included
    std::uint32_t U32(std::size_t Offset) const
    {
        std::uint32_t V;
        std::memcpy(&V, Data.data() + Offset, 4);
        return V;
    }
    std::int32_t I32(std::size_t Offset) const { return static_cast<std::int32_t>(U32(Offset)); }
    std::int16_t I16(std::size_t Offset) const
    {
        std::int16_t V;
        std::memcpy(&V, Data.data() + Offset, 2);
        return V;
    }
    TRect RectAt(std::size_t Offset) const
    {
        return TRect(I32(Offset), I32(Offset + 4), I32(Offset + 8), I32(Offset + 12));
    }
    std::u16string Utf16At(std::size_t Offset, std::size_t Count) const
    {
        std::u16string S(Count, u'\0');
        std::memcpy(S.data(), Data.data() + Offset, Count * 2);
        return S;
    }
};

// The records of Bytes, in order; a size that does not fit fails the test.
std::vector<TEmfRecord> Walk(const std::string& Bytes);

// The picture a STRETCHDIBITS or ALPHABLEND record draws: its place and
// its pixels as premultiplied 0xAARRGGBB, top row first (a STRETCHDIBITS
// picture is opaque). False for any other record or bit depth.
struct TEmfPicture {
    TRect Dest;
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};
bool ReadPicture(const TEmfRecord& R, TEmfPicture& Picture);

// Record types.
enum : std::uint32_t {
    HEADER = 1,
    EOF_ = 14,
    SETBKMODE = 18,
    SETBKCOLOR = 25,
    MOVETOEX = 27,
    INTERSECTCLIPRECT = 30,
    SELECTOBJECT = 37,
    CREATEPEN = 38,
    CREATEBRUSH = 39,
    DELETEOBJECT = 40,
    RECTANGLE = 43,
    LINETO = 54,
    EXTSELECTCLIPRGN = 75,
    STRETCHDIBITS = 81,
    ALPHABLEND = 114,
    CREATEFONT = 82,
    EXTTEXTOUTW = 84,
    POLYLINE16 = 87,
};
