#pragma once
// The file writes of the CSV log, in one place so that tests can make them
// fail half-way, as a full disk or a pulled USB stick does. Each call
// returns the system's error, empty on success: its text is what the user
// is shown.
#include <cstdint>
#include <string>
#include <system_error>

class TLogFileSystem {
public:
    virtual ~TLogFileSystem() = default;

    // Creates an empty file; fails when one of that name exists already.
    virtual std::error_code CreateNew(const std::string& FileName);
    // Appends Bytes and closes the file again, so they are on disk at once.
    // Fails when not all of them were written: some may have been.
    virtual std::error_code Append(const std::string& FileName, const std::string& Bytes);
    // Cuts the file back to its first Size bytes.
    virtual std::error_code Truncate(const std::string& FileName, std::uint64_t Size);
    // Moves the file From to the name To; fails when a file of that name
    // exists already, so nothing is ever overwritten.
    virtual std::error_code Rename(const std::string& From, const std::string& To);
    // Writes a little to a new file in Dir and removes it again: whether a
    // run can keep its records there, asked before it starts.
    virtual std::error_code ProbeFolder(const std::string& Dir);
};
