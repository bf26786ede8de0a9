#pragma once
// Undoes the terminal driver's marking of bad received bytes: a bad byte X
// arrives as 0xFF 0x00 X, a good 0xFF as 0xFF 0xFF. A mark may be cut
// between two reads; the decoder keeps its place.
#include <cstddef>
#include <cstdint>

namespace comm {

class ParityMarkDecoder {
public:
    // Bad bytes become ReplaceChar when Replace is on, else stay as received.
    void Configure(bool Replace, std::uint8_t ReplaceChar);
    // Decodes Count bytes in place; returns how many remain.
    size_t Decode(std::uint8_t* Buffer, size_t Count);

private:
    bool FReplace = false;
    std::uint8_t FReplaceChar = 0;
    int FState = 0;
};

}  // namespace comm
