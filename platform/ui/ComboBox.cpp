#include "ui/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"
#include "ui/ItemStringsQt.h"

namespace {

QComboBox* ComboOf(const TControl* C)
{
    return static_cast<QComboBox*>(C->Widget());
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

int TComboBox::GetItemsWidth() const
{
    QComboBox* Box = ComboOf(this);
    int Widest = 0;
    for (int I = 0; I < Box->count(); ++I)
        Widest = std::max(Widest, Box->fontMetrics().horizontalAdvance(Box->itemText(I)));
    // The box's frame and button take what its text field leaves of it,
    // whatever its width; the field keeps two pixels free on each side.
    QStyleOptionComboBox Option;
    Option.initFrom(Box);
    Option.editable = Box->isEditable();
    Option.frame = Box->hasFrame();
    const QRect Field = Box->isEditable() ? Box->lineEdit()->geometry()
                                          : Box->style()->subControlRect(QStyle::CC_ComboBox, &Option,
                                                                         QStyle::SC_ComboBoxEditField, Box);
    return Box->width() - Field.width() + Widest + 4;
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
