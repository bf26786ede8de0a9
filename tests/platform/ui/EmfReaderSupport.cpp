#include "EmfReaderSupport.h"

#include <gtest/gtest.h>

std::vector<TEmfRecord> Walk(const std::string& Bytes)
{
    std::vector<TEmfRecord> Records;
    std::size_t Offset = 0;
    while (Offset < Bytes.size()) {
        EXPECT_LE(Offset + 8, Bytes.size());
        if (Offset + 8 > Bytes.size())
            break;
        std::uint32_t Type, Size;
        std::memcpy(&Type, Bytes.data() + Offset, 4);
        std::memcpy(&Size, Bytes.data() + Offset + 4, 4);
        EXPECT_GE(Size, 8u);
        EXPECT_EQ(Size % 4, 0u) << "record type " << Type;
        EXPECT_LE(Offset + Size, Bytes.size());
        if (Size < 8 || Offset + Size > Bytes.size())
            break;
        Records.push_back({Type, Bytes.substr(Offset, Size)});
        Offset += Size;
    }
    return Records;
}
