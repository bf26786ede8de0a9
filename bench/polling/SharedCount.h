#pragma once
// A count that another process keeps in a file of 8 bytes (an int64 it
// stores atomically into its own shared mapping of the file), read here
// through a read-only mapping: reading costs the other process nothing.
#include <cstdint>
#include <string>

class TSharedCount {
public:
    // Makes the file at Path, 8 zero bytes, and maps it; throws when it
    // cannot.
    explicit TSharedCount(std::string Path);
    ~TSharedCount();
    TSharedCount(const TSharedCount&) = delete;
    TSharedCount& operator=(const TSharedCount&) = delete;

    const std::string& Path() const { return FPath; }
    std::int64_t Value() const;

private:
    std::string FPath;
    std::int64_t* FValue = nullptr;
};
