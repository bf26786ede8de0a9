#include "ui/ListBox.h"

#include <QListWidget>

#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"
#include "ui/ItemStringsQt.h"

namespace {

QListWidget* ListOf(const TControl* C)
{
    return static_cast<QListWidget*>(C->Widget());
}

TStrings* ListItems(QListWidget* List)
{
    TItemStrings::TAccess A;
    A.Count = [List] { return List->count(); };
    A.Get = [List](int I) { return List->item(I)->text(); };
    A.Put = [List](int I, const QString& S) { List->item(I)->setText(S); };
    A.GetData = [List](int I) { return List->item(I)->data(Qt::UserRole); };
    A.PutData = [List](int I, const QVariant& V) { List->item(I)->setData(Qt::UserRole, V); };
    A.Insert = [List](int I, const QString& S) { List->insertItem(I, S); };
    A.Delete = [List](int I) { delete List->takeItem(I); };
    A.Clear = [List] { List->clear(); };
    return new TItemStrings(std::move(A));
}

}  // namespace

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QListWidget>()), Items(ListItems(ListOf(this)))
{
    SetInputWidget(ListOf(this)->viewport());
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox()
{
    delete Items;
}

int TListBox::GetItemIndex() const
{
    return ListOf(this)->currentRow();
}

void TListBox::SetItemIndex(int Value)
{
    if (Value < 0 || Value >= Items->Count()) {
        ListOf(this)->setCurrentRow(-1);
        ListOf(this)->clearSelection();
    } else {
        ListOf(this)->setCurrentRow(Value);
    }
}

void TListBox::ApplyColor()
{
    QPalette Pal = Widget()->palette();
    Pal.setColor(QPalette::Base, ToQColor(GetColor() == clBtnFace ? clWindow : GetColor()));
    Widget()->setPalette(Pal);
}
