#include "plot/editor/kPlotPreviewSettings.h"

#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorComboBox.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorGroupBox.h"
#include "plot/editor/kComponentEditorRadioGroup.h"
#include "plot/editor/kEditorPageBuilder.h"

TkPlotPreviewSettingsForm::TkPlotPreviewSettingsForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName("PlotPreviewSettingsForm");
    SetText("Settings");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(419);
    SetClientHeight(237);

    PrinterMarginGroupBox = new TkComponentEditorGroupBox(this);
    PrinterMarginGroupBox->SetName("PrinterMarginGroupBox");
    PrinterMarginGroupBox->SetParent(this);
    PrinterMarginGroupBox->SetText("Margin");
    PrinterMarginGroupBox->SetBounds(8, 8, 193, 129);
    TkEditorPageBuilder margins(this, PrinterMarginGroupBox, 12, 72, 22, 26);
    PrintMarginLeftEdit = margins.Edit("PrintMarginLeftEdit", "Left", 105);
    PrintMarginTopEdit = margins.Edit("PrintMarginTopEdit", "Top", 105);
    PrintMarginBottomEdit = margins.Edit("PrintMarginBottomEdit", "Bottom", 105);
    PrintMarginRightEdit = margins.Edit("PrintMarginRightEdit", "Right", 105);

    PrintOrientationRadioGroup = new TkComponentEditorRadioGroup(this);
    PrintOrientationRadioGroup->SetName("PrintOrientationRadioGroup");
    PrintOrientationRadioGroup->SetParent(this);
    PrintOrientationRadioGroup->SetCaption("Orientation");
    PrintOrientationRadioGroup->GetItems()->Add("Portrait");
    PrintOrientationRadioGroup->GetItems()->Add("Landscape");
    PrintOrientationRadioGroup->SetItemIndexSilently(0);
    PrintOrientationRadioGroup->SetBounds(212, 8, 197, 65);

    TkEditorPageBuilder placed(this, this);
    placed.Label("Document Name", 212, 84);
    PrintDocumentNameEdit = new TkComponentEditorEdit(this);
    PrintDocumentNameEdit->SetName("PrintDocumentNameEdit");
    PrintDocumentNameEdit->SetParent(this);
    PrintDocumentNameEdit->SetBounds(212, 100, 197, 21);
    placed.Label("Paper Size", 8, 148);
    PrintPaperSizeComboBox = new TkComponentEditorComboBox(this);
    PrintPaperSizeComboBox->SetName("PrintPaperSizeComboBox");
    PrintPaperSizeComboBox->SetParent(this);
    PrintPaperSizeComboBox->SetStyle(csDropDownList);
    for (const char* paper : {"Letter", "Legal", "A3", "A4", "A5"})
        PrintPaperSizeComboBox->Items->Add(paper);
    PrintPaperSizeComboBox->SetBounds(8, 164, 193, 21);

    OKButton = placed.Button("OKButton", "OK", 253, 204);
    OKButton->SetModalResult(mrOk);
    OKButton->SetDefault(true);
    CancelButton = placed.Button("CancelButton", "Cancel", 334, 204);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
}
