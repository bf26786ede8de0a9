#include "ui/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"
#include "ui/ItemStringsQt.h"

namespace {

QComboBox* ComboOf(const TControl* C)
{
    return static_cast<QComboBox*>(C->Widget());
}
QListWidget* ListOf(const TControl* C)
{
    return static_cast<QListWidget*>(C->Widget());
}

TStrings* ComboItems(QComboBox* Box)
{
    TItemStrings::TAccess A;
    A.Count = [Box] { return Box->count(); };
    A.Get = [Box](int I) { return Box->itemText(I); };
    A.Put = [Box](int I, const QString& S) { Box->setItemText(I, S); };
    A.GetData = [Box](int I) { return Box->itemData(I); };
    A.PutData = [Box](int I, const QVariant& V) { Box->setItemData(I, V); };
    A.Insert = [Box](int I, const QString& S) {
        // A list that selected nothing keeps selecting nothing.
        const int Current = Box->currentIndex();
        const QString Edit = Box->isEditable() ? Box->currentText() : QString();
        Box->insertItem(I, S);
        if (Current < 0) {
            Box->setCurrentIndex(-1);
            if (Box->isEditable())
                Box->setEditText(Edit);
        }
    };
    A.Delete = [Box](int I) { Box->removeItem(I); };
    A.Clear = [Box] { Box->clear(); };
    return new TItemStrings(std::move(A));
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

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QComboBox>()), Items(ComboItems(ComboOf(this)))
{
    QComboBox* Box = ComboOf(this);
    Box->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(Box, &QComboBox::activated, [this](int) {
        CallGuarded(this, [this] {
            Click();
            if (OnSelect)
                OnSelect(this);
            else if (OnChange)
                OnChange(this);
        });
    });
    SetStyle(csDropDown);
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox()
{
    delete Items;
}

int TComboBox::GetItemIndex() const
{
    return ComboOf(this)->currentIndex();
}

void TComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= Items->Count())
        Value = -1;
    ComboOf(this)->setCurrentIndex(Value);
    if (Value < 0 && FStyle == csDropDown)
        ComboOf(this)->setEditText(QString());
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    QComboBox* Box = ComboOf(this);
    const int Current = Box->currentIndex();
    FStyle = Value;
    Box->setEditable(Value == csDropDown);
    if (Value == csDropDown) {
        QObject::connect(Box->lineEdit(), &QLineEdit::textEdited, [this](const QString&) {
            CallGuarded(this, [this] {
                if (OnChange)
                    OnChange(this);
            });
        });
    }
    Box->setCurrentIndex(Current);
}

std::string TComboBox::GetText() const
{
    QComboBox* Box = ComboOf(this);
    if (FStyle == csDropDown)
        return StdStr(Box->currentText());
    return Box->currentIndex() < 0 ? std::string() : StdStr(Box->itemText(Box->currentIndex()));
}

void TComboBox::SetText(const std::string& Value)
{
    if (FStyle == csDropDown)
        ComboOf(this)->setEditText(QStr(Value));
    else
        ComboOf(this)->setCurrentIndex(Items->IndexOf(Value));
}

int TComboBox::GetDropDownCount() const
{
    return ComboOf(this)->maxVisibleItems();
}
void TComboBox::SetDropDownCount(int Value)
{
    ComboOf(this)->setMaxVisibleItems(Value);
}

void TComboBox::ApplyColor()
{
    QPalette Pal = Widget()->palette();
    Pal.setColor(QPalette::Base, ToQColor(GetColor() == clBtnFace ? clWindow : GetColor()));
    Widget()->setPalette(Pal);
}

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
