#pragma once
// Private to platform/ui: conversions between Qt's input, text and cursor
// types and the ones the controls report.
#include <QString>
#include <Qt>
#include <cstdint>
#include <string>

#include "ui/ControlTypes.h"

// Makes sure the Qt application exists (widgets need it first).
void EnsureQtApplication();
template <class W> W* NewWidget()
{
    EnsureQtApplication();
    return new W;
}

inline QString QStr(const std::string& S)
{
    return QString::fromUtf8(S.data(), qsizetype(S.size()));
}
inline std::string StdStr(const QString& S)
{
    const QByteArray Bytes = S.toUtf8();
    return std::string(Bytes.constData(), size_t(Bytes.size()));
}

// The virtual key code of a Qt key; 0 for keys without one.
std::uint16_t QtKeyToVirtualKey(int Key, Qt::KeyboardModifiers Modifiers);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
Qt::CursorShape QtCursorShape(TCursor Cursor);
int QtAlignment(TAlignment Alignment);
