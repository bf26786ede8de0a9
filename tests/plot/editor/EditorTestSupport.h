#pragma once
// Drives editor controls as a user does, through the widgets' own events.
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <string>

#include "plot/editor/kCustomEditorForm.h"
#include "ui/Control.h"

inline void PressKey(TControl* Control, Qt::Key Key, const QString& Text = QString())
{
    QKeyEvent down(QEvent::KeyPress, Key, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(Control->Widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(Control->Widget(), &up);
}

// Replaces the text as typing it would: select all, then the characters.
inline void Type(TControl* Control, const std::string& Text)
{
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QCoreApplication::sendEvent(Control->Widget(), &selectAll);
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &erase);
    for (char c : Text)
        PressKey(Control, Qt::Key(QChar(c).toUpper().unicode()), QString(QChar(c)));
}

inline void LeaveControl(TControl* Control)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Control->Widget(), &out);
}

inline void MousePress(TControl* Control, int X, int Y)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(X, Y), QPointF(X, Y), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &e);
}

inline void MouseRelease(TControl* Control, int X, int Y)
{
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(X, Y), QPointF(X, Y), Qt::LeftButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &e);
}

// An editor form that counts the user's changes of its controls.
class TCountingEditorForm : public TkCustomEditorForm {
public:
    explicit TCountingEditorForm(TComponent* AOwner = nullptr) : TkCustomEditorForm(AOwner) {}
    void ControlChanged() override { ++Changes; }
    int Changes = 0;
};
