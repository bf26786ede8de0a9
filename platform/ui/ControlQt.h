#pragma once
// Private to platform/ui: what the control classes share over Qt: making
// their widgets, and conversions between Qt's input, text and cursor types
// and the ones the controls report. The text ones live in QtText.h, for
// code that must not reach the application.
#include <Qt>
#include <cstdint>

#include "ui/Application.h"
#include "ui/ControlTypes.h"
#include "ui/QtText.h"

// A new widget, the application (and Qt's under it) made first: widgets
// need it.
template <class W> W* NewWidget()
{
    Application.Get();
    return new W;
}

// The virtual key code of a Qt key; 0 for keys without one.
std::uint16_t QtKeyToVirtualKey(int Key, Qt::KeyboardModifiers Modifiers);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
Qt::CursorShape QtCursorShape(TCursor Cursor);
int QtAlignment(TAlignment Alignment);
