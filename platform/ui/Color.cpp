#include "ui/Color.h"
#include <QGuiApplication>
#include <QPalette>

namespace {

// The classic values, used when no application (and so no palette) exists
// and for entries the palette has no role for.
constexpr TColor ClassicSysColors[31] = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4,
    0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040,
    0xC8D0D4, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4,
};

TColor FromRgb(QRgb Value)
{
    return RGB(qRed(Value), qGreen(Value), qBlue(Value));
}

bool PaletteRole(int Index, QPalette::ColorGroup& Group, QPalette::ColorRole& Role)
{
    Group = QPalette::Active;
    switch (Index) {
    case 0: Role = QPalette::Button; return true;  // scroll bar
    case 2:
    case 13:
    case 29: Role = QPalette::Highlight; return true;
    case 4:
    case 30: Role = QPalette::Window; return true;     // menu, menu bar
    case 5: Role = QPalette::Base; return true;        // window
    case 7: Role = QPalette::WindowText; return true;  // menu text
    case 8: Role = QPalette::Text; return true;        // window text
    case 9:
    case 14: Role = QPalette::HighlightedText; return true;
    case 12: Role = QPalette::Dark; return true;    // application work space
    case 15: Role = QPalette::Button; return true;  // button face
    case 16: Role = QPalette::Dark; return true;    // button shadow
    case 17:
        Group = QPalette::Disabled;
        Role = QPalette::Text;
        return true;
    case 18: Role = QPalette::ButtonText; return true;
    case 20: Role = QPalette::Light; return true;  // button highlight
    case 21: Role = QPalette::Shadow; return true;
    case 22: Role = QPalette::Midlight; return true;
    case 23: Role = QPalette::ToolTipText; return true;
    case 24: Role = QPalette::ToolTipBase; return true;
    case 26: Role = QPalette::Link; return true;
    default: return false;
    }
}

}  // namespace

TColor GetSysColor(int Index)
{
    if (Index < 0 || Index > 30)
        return clBlack;
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
    if (QGuiApplication::instance() && PaletteRole(Index, Group, Role))
        return FromRgb(QGuiApplication::palette().color(Group, Role).rgb());
    return ClassicSysColors[Index];
}

TColor ColorToRGB(TColor Color)
{
    if (Color < 0)
        return GetSysColor(Color & 0xFF);
    return Color;
}
