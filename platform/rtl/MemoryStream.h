#pragma once
// A stream held in memory; it grows as it is written.
#include <string>
#include <vector>

#include "rtl/Stream.h"

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string Bytes) : FData(Bytes.begin(), Bytes.end()) {}

    std::size_t Read(void* Buffer, std::size_t Count) override;
    std::size_t Write(const void* Buffer, std::size_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

    void Clear();
    const std::vector<char>& Data() const { return FData; }
    std::string Bytes() const { return std::string(FData.begin(), FData.end()); }

private:
    std::vector<char> FData;
    std::size_t FPosition = 0;
};
