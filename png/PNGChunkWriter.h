#pragma once
// Appends PNG chunks (length, type, data, CRC-32 over type and data) to a
// byte buffer.
#include <cstdint>
#include <vector>

class TPNGChunkWriter {
public:
    explicit TPNGChunkWriter(std::vector<std::uint8_t>& Output) : FOutput(Output) {}

    void WriteSignature();
    // Type is the four-letter chunk name; data longer than 2^31 - 1 bytes raises EPNGError.
    void WriteChunk(const char (&Type)[5], const std::uint8_t* Data, std::size_t Size);
    void WriteHeader(int Width, int Height);
    void WriteEnd();

private:
    void PutUInt32(std::uint32_t Value);

    std::vector<std::uint8_t>& FOutput;
};
