#pragma once
#include <string>

#include "rtl/Component.h"

// Reads the file version of a program file.
class TVcVersionInfo : public TComponent {
public:
    explicit TVcVersionInfo(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    // "major.minor.release.build"; empty without a file.
    std::string FileVersion() const;

private:
    std::string FFileName;
};
