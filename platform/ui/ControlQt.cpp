#include "ui/ControlQt.h"

#include <QGuiApplication>

#include "ui/Keys.h"

std::uint16_t QtKeyToVirtualKey(int Key, Qt::KeyboardModifiers Modifiers)
{
    const bool Keypad = Modifiers & Qt::KeypadModifier;
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
        return std::uint16_t(Keypad ? VK_NUMPAD0 + (Key - Qt::Key_0) : Key);
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
        return std::uint16_t(Key);
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
        return std::uint16_t(VK_F1 + (Key - Qt::Key_F1));
    switch (Key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Asterisk: return Keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Plus: return Keypad ? VK_ADD : 0xBB;
    case Qt::Key_Minus: return Keypad ? VK_SUBTRACT : 0xBD;
    case Qt::Key_Period: return Keypad ? VK_DECIMAL : 0xBE;
    case Qt::Key_Slash: return Keypad ? VK_DIVIDE : 0xBF;
    // The punctuation keys of a US keyboard.
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 0xBA;
    case Qt::Key_Equal: return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 0xBC;
    case Qt::Key_Underscore: return 0xBD;
    case Qt::Key_Greater: return 0xBE;
    case Qt::Key_Question: return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 0xDE;
    default: return 0;
    }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState S = 0;
    if (Modifiers & Qt::ShiftModifier)
        S |= ssShift;
    if (Modifiers & Qt::AltModifier)
        S |= ssAlt;
    if (Modifiers & Qt::ControlModifier)
        S |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        S |= ssLeft;
    if (Buttons & Qt::RightButton)
        S |= ssRight;
    if (Buttons & Qt::MiddleButton)
        S |= ssMiddle;
    return S;
}

Qt::CursorShape QtCursorShape(TCursor Cursor)
{
    switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

int QtAlignment(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

short GetKeyState(int VirtualKey)
{
    const Qt::KeyboardModifiers M = QGuiApplication::queryKeyboardModifiers();
    bool Down = false;
    switch (VirtualKey) {
    case VK_SHIFT: Down = M & Qt::ShiftModifier; break;
    case VK_CONTROL: Down = M & Qt::ControlModifier; break;
    case VK_MENU: Down = M & Qt::AltModifier; break;
    default: break;
    }
    return Down ? short(0x8000) : short(0);
}
