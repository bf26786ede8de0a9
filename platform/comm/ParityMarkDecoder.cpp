#include "comm/ParityMarkDecoder.h"

namespace comm {

void ParityMarkDecoder::Configure(bool Replace, std::uint8_t ReplaceChar)
{
    FReplace = Replace;
    FReplaceChar = ReplaceChar;
    FState = 0;
}

size_t ParityMarkDecoder::Decode(std::uint8_t* Buffer, size_t Count)
{
    // The output never runs ahead of the input.
    size_t out = 0;
    for (size_t i = 0; i < Count; ++i) {
        std::uint8_t c = Buffer[i];
        switch (FState) {
        case 0:
            if (c == 0xFF)
                FState = 1;
            else
                Buffer[out++] = c;
            break;
        case 1:
            FState = c == 0x00 ? 2 : 0;
            if (c != 0x00)
                Buffer[out++] = 0xFF;
            if (c != 0x00 && c != 0xFF)
                Buffer[out++] = c;
            break;
        default:
            Buffer[out++] = FReplace ? FReplaceChar : c;
            FState = 0;
            break;
        }
    }
    return out;
}

}  // namespace comm
