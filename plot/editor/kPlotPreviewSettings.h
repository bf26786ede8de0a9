#pragma once
// The print preview's settings dialog: margins, orientation, document name
// and paper size. Whoever opens it fills it and reads it back.
#include "ui/Form.h"

class TkComponentEditorButton;
class TkComponentEditorComboBox;
class TkComponentEditorEdit;
class TkComponentEditorGroupBox;
class TkComponentEditorRadioGroup;

class TkPlotPreviewSettingsForm : public TForm {
public:
    explicit TkPlotPreviewSettingsForm(TComponent* AOwner);

    TkComponentEditorGroupBox* PrinterMarginGroupBox = nullptr;
    TkComponentEditorEdit* PrintMarginLeftEdit = nullptr;
    TkComponentEditorEdit* PrintMarginTopEdit = nullptr;
    TkComponentEditorEdit* PrintMarginBottomEdit = nullptr;
    TkComponentEditorEdit* PrintMarginRightEdit = nullptr;
    TkComponentEditorRadioGroup* PrintOrientationRadioGroup = nullptr;
    TkComponentEditorEdit* PrintDocumentNameEdit = nullptr;
    TkComponentEditorComboBox* PrintPaperSizeComboBox = nullptr;
    TkComponentEditorButton* OKButton = nullptr;
    TkComponentEditorButton* CancelButton = nullptr;
};
