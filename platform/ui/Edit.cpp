#include "ui/Edit.h"

#include <QLineEdit>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

namespace {
QLineEdit* EditOf(const TControl* C)
{
    return static_cast<QLineEdit*>(C->Widget());
}
}  // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QLineEdit>())
{
    QObject::connect(EditOf(this), &QLineEdit::textChanged, [this](const QString&) {
        CallGuarded(this, [this] {
            if (OnChange)
                OnChange(this);
        });
    });
    SetBounds(0, 0, 121, 21);
}

std::string TEdit::GetText() const
{
    return StdStr(EditOf(this)->text());
}
void TEdit::SetText(const std::string& Value)
{
    EditOf(this)->setText(QStr(Value));
}
bool TEdit::GetReadOnly() const
{
    return EditOf(this)->isReadOnly();
}
void TEdit::SetReadOnly(bool Value)
{
    EditOf(this)->setReadOnly(Value);
}

int TEdit::GetMaxLength() const
{
    const int N = EditOf(this)->maxLength();
    return N >= 32767 ? 0 : N;
}

void TEdit::SetMaxLength(int Value)
{
    EditOf(this)->setMaxLength(Value <= 0 ? 32767 : Value);
}
void TEdit::SelectAll()
{
    EditOf(this)->selectAll();
}

int TEdit::GetSelStart() const
{
    return EditOf(this)->cursorPosition();
}

void TEdit::SetSelStart(int Value)
{
    EditOf(this)->setCursorPosition(Value);
}

void TEdit::ApplyColor()
{
    QPalette Pal = Widget()->palette();
    Pal.setColor(QPalette::Base, ToQColor(GetColor() == clBtnFace ? clWindow : GetColor()));
    Widget()->setPalette(Pal);
}
