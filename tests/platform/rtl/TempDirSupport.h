#pragma once
// A fresh directory under the system temp directory, removed with its
// contents when the object goes.
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory with a trailing '/'.
    const std::string& Path() const { return FPath; }
    std::string File(const std::string& Name) const { return FPath + Name; }

private:
    std::string FPath;
};

// Whole file as bytes ("" when missing), and writing raw bytes, for tests
// that check what is on disk without going through the code under test.
std::string ReadRaw(const std::string& FileName);
void WriteRaw(const std::string& FileName, const std::string& Bytes);
