#include "plot/editor/kEditorPageBuilder.h"

#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorCheckBox.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kUpDown.h"
#include "ui/Label.h"

TkEditorPageBuilder::TkEditorPageBuilder(TComponent* Owner, TWinControl* Parent, int LabelLeft, int ControlLeft,
                                         int Top, int RowHeight)
    : FOwner(Owner),
      FParent(Parent),
      FLabelLeft(LabelLeft),
      FControlLeft(ControlLeft),
      FTop(Top),
      FRowHeight(RowHeight)
{
}

TLabel* TkEditorPageBuilder::Label(const std::string& Caption, int Left, int Top)
{
    auto* label = new TLabel(FOwner);
    label->SetParent(FParent);
    label->SetText(Caption);
    label->SetLeft(Left);
    label->SetTop(Top);
    return label;
}

TkComponentEditorEdit* TkEditorPageBuilder::Edit(const std::string& Name, const std::string& Caption, int Width)
{
    Label(Caption, FLabelLeft, FTop + 3);
    auto* edit = new TkComponentEditorEdit(FOwner);
    edit->SetName(Name);
    edit->SetParent(FParent);
    edit->SetBounds(FControlLeft, FTop, Width, 21);
    FTop += FRowHeight;
    return edit;
}

TkComponentEditorEdit* TkEditorPageBuilder::NumberEdit(const TkEditorNumberRow& Row, int Width)
{
    TkComponentEditorEdit* edit = Edit(Row.Name, Row.Caption, Width);
    edit->SetInteger(0);
    auto* upDown = new TkUpDown(FOwner);
    upDown->SetName(std::string(Row.Name) + "UpDown");
    upDown->SetParent(FParent);
    upDown->SetMax(Row.Max);
    upDown->SetIncrement(Row.Increment);
    upDown->SetAssociate(edit);
    if (Row.Edit)
        *Row.Edit = edit;
    return edit;
}

void TkEditorPageBuilder::NumberEdits(std::initializer_list<TkEditorNumberRow> Rows, int Width)
{
    for (const TkEditorNumberRow& row : Rows)
        NumberEdit(row, Width);
}

TkComponentEditorCheckBox* TkEditorPageBuilder::CheckBox(const std::string& Name, const std::string& Caption)
{
    auto* box = new TkComponentEditorCheckBox(FOwner);
    box->SetName(Name);
    box->SetParent(FParent);
    box->SetLeft(FLabelLeft);
    box->SetTop(FTop);
    box->SetCaption(Caption);
    FTop += FRowHeight;
    return box;
}

TkComponentEditorButton* TkEditorPageBuilder::Button(const std::string& Name, const std::string& Caption, int Left,
                                                     int Top, int Width, int Height)
{
    auto* button = new TkComponentEditorButton(FOwner);
    button->SetName(Name);
    button->SetParent(FParent);
    button->SetText(Caption);
    button->SetBounds(Left, Top, Width, Height);
    return button;
}
