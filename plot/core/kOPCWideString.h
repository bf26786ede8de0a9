#pragma once
// The OPC client library takes and hands out UTF-16 text; the program
// keeps UTF-8.
#include <string>

// Malformed UTF-8 becomes U+FFFD, so a bad name still reaches the library
// as something it can report.
std::u16string OPCWideString(const std::string& Text);
// Unpaired surrogates become U+FFFD; null gives an empty text.
std::string OPCNarrowString(const char16_t* Text);
