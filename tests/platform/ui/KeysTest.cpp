// Key codes: the mapping from Qt keys to virtual key codes and what the key
// events of a control report.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/Edit.h"
#include "ui/Keys.h"
#include "ui/Panel.h"

TEST(KeyMapping, LettersDigitsAndFunctionKeysKeepTheirCodes)
{
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_A, Qt::NoModifier), 0x41);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Z, Qt::ShiftModifier), 0x5A);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_0, Qt::NoModifier), 0x30);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_9, Qt::NoModifier), 0x39);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_5, Qt::KeypadModifier), VK_NUMPAD0 + 5);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_F1, Qt::NoModifier), VK_F1);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_F10, Qt::NoModifier), VK_F10);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_F12, Qt::NoModifier), 0x7B);
}

TEST(KeyMapping, NavigationEditingAndModifierKeys)
{
    const struct {
        int Qt;
        std::uint16_t Vk;
    } Cases[] = {
        {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},         {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN},       {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_Home, VK_HOME},       {Qt::Key_End, VK_END},       {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
        {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Space, VK_SPACE},   {Qt::Key_Shift, VK_SHIFT},
        {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},      {Qt::Key_Menu, VK_APPS},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(QtKeyToVirtualKey(C.Qt, Qt::NoModifier), C.Vk) << "Qt key " << std::hex << C.Qt;
}

TEST(KeyMapping, PunctuationAndKeypadOperators)
{
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Minus, Qt::NoModifier), 0xBD);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Minus, Qt::KeypadModifier), VK_SUBTRACT);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Plus, Qt::KeypadModifier), VK_ADD);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Period, Qt::NoModifier), 0xBE);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Comma, Qt::NoModifier), 0xBC);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Semicolon, Qt::NoModifier), 0xBA);
    EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_unknown, Qt::NoModifier), 0);
}

TEST(KeyMapping, ShiftStateCombinesModifiersAndButtons)
{
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton), ssShift | ssCtrl | ssLeft);
    EXPECT_EQ(ShiftStateOf(Qt::AltModifier, Qt::RightButton | Qt::MiddleButton), ssAlt | ssRight | ssMiddle);
    EXPECT_EQ(ShiftStateOf(Qt::NoModifier, Qt::NoButton), 0u);
}

namespace {

void SendKey(QWidget* W, QEvent::Type Type, int Key, Qt::KeyboardModifiers Mods, const QString& Text = {})
{
    QKeyEvent E(Type, Key, Mods, Text);
    QCoreApplication::sendEvent(W, &E);
}

}  // namespace

TEST(KeyEvents, EditReportsVirtualKeysShiftStateAndCharacters)
{
    TEdit Edit(nullptr);
    std::vector<std::pair<std::uint16_t, TShiftState>> Downs, Ups;
    std::string Chars;
    Edit.OnKeyDown = [&](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
        EXPECT_EQ(Sender, &Edit);
        Downs.emplace_back(Key, Shift);
    };
    Edit.OnKeyUp = [&](TObject*, std::uint16_t& Key, TShiftState Shift) { Ups.emplace_back(Key, Shift); };
    Edit.OnKeyPress = [&](TObject*, char& Key) { Chars += Key; };

    SendKey(Edit.Widget(), QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
    SendKey(Edit.Widget(), QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
    SendKey(Edit.Widget(), QEvent::KeyPress, Qt::Key_Down, Qt::ControlModifier);

    ASSERT_EQ(Downs.size(), 2u);
    EXPECT_EQ(Downs[0], (std::pair<std::uint16_t, TShiftState>(0x41, ssShift)));
    EXPECT_EQ(Downs[1], (std::pair<std::uint16_t, TShiftState>(VK_DOWN, ssCtrl)));
    ASSERT_EQ(Ups.size(), 1u);
    EXPECT_EQ(Ups[0].first, 0x41);
    EXPECT_EQ(Chars, "A");
    EXPECT_EQ(Edit.Text(), "A");
}

TEST(KeyEvents, ZeroingTheKeyOrCharacterSwallowsIt)
{
    TEdit Edit(nullptr);
    Edit.OnKeyPress = [](TObject*, char& Key) {
        if (Key < '0' || Key > '9')
            Key = 0;
    };
    SendKey(Edit.Widget(), QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    SendKey(Edit.Widget(), QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
    EXPECT_EQ(Edit.Text(), "7");

    Edit.OnKeyPress = nullptr;
    Edit.OnKeyDown = [](TObject*, std::uint16_t& Key, TShiftState) { Key = 0; };
    SendKey(Edit.Widget(), QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, "8");
    EXPECT_EQ(Edit.Text(), "7");
}

TEST(KeyEvents, ContainersThatCannotTakeTheFocusGetNoKeys)
{
    TPanel Panel(nullptr);
    int Calls = 0;
    Panel.OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { ++Calls; };
    SendKey(Panel.Widget(), QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(Calls, 0);
}

TEST(KeyEvents, GetKeyStateReportsNoModifierWithoutAKeyboard)
{
    Application.Get();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

#include <QCursor>
#include <QFocusEvent>

TEST(FocusEvents, EnterAndExitFollowTheFocus)
{
    TEdit Edit(nullptr);
    std::vector<std::string> Log;
    Edit.OnEnter = [&](TObject*) { Log.push_back("enter"); };
    Edit.OnExit = [&](TObject*) { Log.push_back("exit"); };
    QFocusEvent In(QEvent::FocusIn, Qt::TabFocusReason);
    QFocusEvent Out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Edit.Widget(), &In);
    QCoreApplication::sendEvent(Edit.Widget(), &Out);
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit"}));
}

TEST(Cursors, ControlCursorsBecomeQtCursorShapes)
{
    TPanel Panel(nullptr);
    Panel.Cursor = crHandPoint;
    EXPECT_EQ(Panel.Widget()->cursor().shape(), Qt::PointingHandCursor);
    Panel.Cursor = crSizeNS;
    EXPECT_EQ(Panel.Widget()->cursor().shape(), Qt::SizeVerCursor);
    Panel.Cursor = crSizeWE;
    EXPECT_EQ(Panel.Widget()->cursor().shape(), Qt::SizeHorCursor);
    Panel.Cursor = crCross;
    EXPECT_EQ(Panel.Widget()->cursor().shape(), Qt::CrossCursor);
    Panel.Cursor = crDefault;
    EXPECT_EQ(Panel.Widget()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(int(Panel.Cursor), crDefault);
}
