#pragma once
#include <initializer_list>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles: TFontStyles{fsBold, fsItalic}, Style.Contains(fsBold).
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> Items)
    {
        for (TFontStyle Item : Items)
            FBits |= Bit(Item);
    }
    constexpr bool Contains(TFontStyle Item) const { return FBits & Bit(Item); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TFontStyles& operator<<(TFontStyle Item)
    {
        FBits |= Bit(Item);
        return *this;
    }
    constexpr TFontStyles& operator>>(TFontStyle Item)
    {
        FBits &= ~Bit(Item);
        return *this;
    }
    constexpr unsigned Bits() const { return FBits; }
    friend constexpr bool operator==(const TFontStyles&, const TFontStyles&) = default;

private:
    static constexpr unsigned Bit(TFontStyle Item) { return 1u << Item; }
    unsigned FBits = 0;
};
