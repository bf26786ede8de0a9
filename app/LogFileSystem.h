#pragma once
// The file writes of the CSV log, in one place so that tests can make them
// fail half-way, as a full disk or a pulled USB stick does. Each call
// returns the system's error, empty on success: its text is what the user
// is shown.
//
// A running log is held while its run writes it: a lock on the file that
// other instances of the program see, so that one starting meanwhile does
// not take it for the log of a run that never finished. The system lets
// go of it when the program ends, however it ends.
#include <cstdint>
#include <map>
#include <string>
#include <system_error>

class TLogFileSystem {
public:
    TLogFileSystem() = default;
    // Lets go of the files still held.
    virtual ~TLogFileSystem();
    TLogFileSystem(const TLogFileSystem&) = delete;
    TLogFileSystem& operator=(const TLogFileSystem&) = delete;

    // Creates an empty file and holds it; fails when one of that name
    // exists already.
    virtual std::error_code CreateNew(const std::string& FileName);
    // Holds a file that exists; fails with operation_would_block while
    // another holds it (a run still writing it).
    virtual std::error_code Hold(const std::string& FileName);
    // Appends Bytes and closes the file again, so they are on disk at once.
    // Fails when not all of them were written: some may have been.
    virtual std::error_code Append(const std::string& FileName, const std::string& Bytes);
    // Cuts the file back to its first Size bytes.
    virtual std::error_code Truncate(const std::string& FileName, std::uint64_t Size);
    // Moves the file From to the name To, and lets go of it once moved;
    // fails when a file of that name exists already, so nothing is ever
    // overwritten.
    virtual std::error_code Rename(const std::string& From, const std::string& To);
    // Writes a little to a new file in Dir and removes it again: whether a
    // run can keep its records there, asked before it starts.
    virtual std::error_code ProbeFolder(const std::string& Dir);

private:
    // The open files whose locks hold them, by name.
    std::map<std::string, int> FHeld;
};
