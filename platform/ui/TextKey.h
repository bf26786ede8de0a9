#pragma once
// Private to platform/ui: the key under which a text's measure or pixels
// are kept: the font's looks (name, height, style, pitch), what else the
// caller's result depends on, and the text.
#include <initializer_list>
#include <string>

#include "ui/Font.h"

inline void TextKey(std::string& Key, const TFont& Font, std::initializer_list<int> More, const std::string& Text)
{
    Key = Font.GetName();
    for (const int Part : {Font.GetHeight(), int(Font.GetStyle().Bits()), int(Font.GetPitch())})
        Key.append(reinterpret_cast<const char*>(&Part), sizeof Part);
    for (const int Part : More)
        Key.append(reinterpret_cast<const char*>(&Part), sizeof Part);
    Key += '\0';
    Key += Text;
}
