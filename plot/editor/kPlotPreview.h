#pragma once
// The print preview: a scaled sheet of paper with its shadow, the margins,
// and the plot's picture in what they leave, as the plot would print.
// Its settings change margins, orientation and document name of the plot
// too; the paper size is the open preview's alone.
#include <functional>
#include <string>

#include "plot/core/kPlotPreview.h"
#include "ui/Form.h"

class TBitBtn;
class TCanvas;
class TPanel;
class TkComponentEditorButton;
class TkPaintBox;
class TkPlotComponent;
class TkPlotPreviewPage;

class TkPlotPreviewForm : public TForm {
public:
    explicit TkPlotPreviewForm(TComponent* AOwner);

    // Takes the plot and its print settings as the plot hands them over.
    void Open(const TkPlotPreviewRequest& Request);
    // Passes Form's texts through the plot's translations (if any).
    void Translate(TForm* Form) const;
    // Asks for margins, orientation, document name and paper size; what
    // the user accepts goes into the preview and the plot.
    void EditSettings();

    TPanel* TopPanel = nullptr;
    TBitBtn* PrintButton = nullptr;
    TkComponentEditorButton* SettingsButton = nullptr;
    TkComponentEditorButton* CloseButton = nullptr;
    TkPaintBox* Preview = nullptr;

    TkPlotComponent* Plot = nullptr;
    // Inches.
    double MarginLeft = 0;
    double MarginTop = 0;
    double MarginRight = 0;
    double MarginBottom = 0;
    // 0 portrait, 1 landscape.
    int Orientation = 0;
    std::string DocumentName;
    // "Letter", "Legal", "A3", "A4", "A5".
    int PaperSize = 0;
    // How the forms' texts are translated; Open sets the plot's.
    std::function<void(TForm*)> TranslationMethod;

private:
    void PaintPreview();
    void DrawPlot(TCanvas& Canvas, const TkPlotPreviewPage& Page);
};
