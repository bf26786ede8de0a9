#pragma once
// Builds an editor page from rows: a caption label on the left and the
// control right of it, each control named as on the form. A page of number
// edits is one table of rows.
#include <cstdint>
#include <initializer_list>
#include <string>

class TComponent;
class TWinControl;
class TLabel;
class TkComponentEditorEdit;
class TkComponentEditorButton;
class TkComponentEditorCheckBox;
class TkUpDown;

// One number edit with its up-down (named the edit's name + "UpDown").
struct TkEditorNumberRow {
    TkComponentEditorEdit** Edit;  // receives the edit made
    const char* Name;
    const char* Caption;
    std::int16_t Max = 100;  // Min and Max both 0: no limit
    int Increment = 1;
};

class TkEditorPageBuilder {
public:
    // Controls are owned by Owner and placed on Parent; captions start at
    // LabelLeft, controls at ControlLeft, rows RowHeight apart from Top.
    TkEditorPageBuilder(TComponent* Owner, TWinControl* Parent, int LabelLeft = 8, int ControlLeft = 80, int Top = 8,
                        int RowHeight = 28);

    TLabel* Label(const std::string& Caption, int Left, int Top);
    // The next row: a caption and an edit of Width.
    TkComponentEditorEdit* Edit(const std::string& Name, const std::string& Caption, int Width = 57);
    // The next row: a caption, a whole-number edit and its up-down.
    TkComponentEditorEdit* NumberEdit(const TkEditorNumberRow& Row, int Width = 57);
    void NumberEdits(std::initializer_list<TkEditorNumberRow> Rows, int Width = 57);
    TkComponentEditorCheckBox* CheckBox(const std::string& Name, const std::string& Caption);
    TkComponentEditorButton* Button(const std::string& Name, const std::string& Caption, int Left, int Top,
                                    int Width = 75, int Height = 25);

    // The top of the next row.
    int NextTop() const { return FTop; }
    void Skip(int Pixels) { FTop += Pixels; }

private:
    TComponent* FOwner;
    TWinControl* FParent;
    int FLabelLeft;
    int FControlLeft;
    int FTop;
    int FRowHeight;
};
