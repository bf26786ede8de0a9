#pragma once
// A running simulator's hold on the link path it publishes, so that a
// second simulator never takes over (and later removes) a link in use.
// The hold is an abstract local socket named after the path: the kernel
// lets it go however the simulator ends, so the link a killed simulator
// left behind is free to be replaced.
#include <string>

namespace modbussim {

class LinkClaim {
public:
    // Takes the hold on Path unless a running simulator has it.
    explicit LinkClaim(const std::string& Path);
    ~LinkClaim();
    LinkClaim(const LinkClaim&) = delete;
    LinkClaim& operator=(const LinkClaim&) = delete;

    // False when another running simulator holds the path.
    bool Held() const { return FSocket >= 0; }

    // A path like Path that nothing stands at and no simulator holds: its
    // trailing number counted on (/tmp/ttyV0 gives /tmp/ttyV1), or a 1
    // appended when it has none.
    static std::string FreePathLike(const std::string& Path);

private:
    int FSocket = -1;
};

}  // namespace modbussim
