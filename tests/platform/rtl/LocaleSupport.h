#pragma once
// Switches the C locale to one with a decimal comma for the life of the
// object, generating de_DE.UTF-8 into a private directory when the system
// lacks it. Active() is false when no such locale can be had.
#include <string>

class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return FActive; }

private:
    std::string FSaved;
    bool FActive = false;
};
