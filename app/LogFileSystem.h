#pragma once
// The file writes of the CSV log, in one place so that tests can make them
// fail half-way, as a full disk or a pulled USB stick does.
#include <cstdint>
#include <string>

class TLogFileSystem {
public:
    virtual ~TLogFileSystem() = default;

    // Creates an empty file; fails when one of that name exists already.
    virtual bool CreateNew(const std::string& FileName);
    // Appends Bytes and closes the file again, so they are on disk at once.
    // False when not all of them were written: some may have been.
    virtual bool Append(const std::string& FileName, const std::string& Bytes);
    // Cuts the file back to its first Size bytes.
    virtual bool Truncate(const std::string& FileName, std::uint64_t Size);
};
