#pragma once
// One file per fuzzing process, rewritten for every input.
#include <string>

class TScratchFile {
public:
    // A new file under a private directory in /tmp, named Name.
    explicit TScratchFile(const std::string& Name);
    const std::string& Path() const { return FPath; }
    // Replaces the file's content.
    void Write(const std::string& Bytes) const;

private:
    std::string FPath;
};
