#include "ui/Memo.h"

#include <QPlainTextEdit>

#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

namespace {
QPlainTextEdit* MemoOf(const TControl* C)
{
    return static_cast<QPlainTextEdit*>(C->Widget());
}
}  // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QPlainTextEdit>())
{
    MemoOf(this)->setTabChangesFocus(true);
    SetInputWidget(MemoOf(this)->viewport());
    SetBounds(0, 0, 185, 89);
}

std::string TMemo::GetText() const
{
    QString Text = MemoOf(this)->toPlainText();
    Text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return StdStr(Text);
}

void TMemo::SetText(const std::string& Value)
{
    QString Text = QStr(Value);
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(QChar('\r'), QChar('\n'));
    MemoOf(this)->setPlainText(Text);
}

void TMemo::ApplyColor()
{
    QPalette Pal = Widget()->palette();
    Pal.setColor(QPalette::Base, ToQColor(GetColor() == clBtnFace ? clWindow : GetColor()));
    Widget()->setPalette(Pal);
}
