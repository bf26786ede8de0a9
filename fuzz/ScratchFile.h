#pragma once
// One file per fuzzing process, rewritten for every input, removed with
// its directory when the process ends normally.
#include <string>

class TScratchFile {
public:
    // A new file named Name in a private directory of its own.
    explicit TScratchFile(const std::string& Name);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;
    const std::string& Path() const { return FPath; }
    // Replaces the file's content.
    void Write(const std::string& Bytes) const;

private:
    std::string FDirectory;
    std::string FPath;
};
