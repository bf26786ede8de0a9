#include "plot/editor/kPlotPreview.h"

#include <algorithm>
#include <memory>

#include "plot/channels/kPlotToolBarGlyphs.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorComboBox.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorRadioGroup.h"
#include "plot/editor/kPaintBox.h"
#include "plot/editor/kPlotPreviewPage.h"
#include "plot/editor/kPlotPreviewSettings.h"
#include "ui/BitBtn.h"
#include "ui/Bitmap.h"
#include "ui/Metafile.h"
#include "ui/Panel.h"

namespace {

// The preview as the plot's output opens it: one form, freed with it.
class TkPlotPreviewLink final : public TkPlotPreview {
public:
    explicit TkPlotPreviewLink(const TkPlotPreviewRequest& Request)
        : FForm(std::make_unique<TkPlotPreviewForm>(nullptr))
    {
        FForm->Open(Request);
    }
    void Prepare() override { FForm->Translate(FForm.get()); }
    void ShowModal() override { FForm->ShowModal(); }

private:
    std::unique_ptr<TkPlotPreviewForm> FForm;
};

// Margins below 0 would print off the paper.
double MarginOf(const TkComponentEditorEdit* Edit)
{
    return std::max(0.0, Edit->GetFloat());
}

// A printout shows no toolbar: the plot's first is hidden while its
// picture is taken and gets its visibility back however that ends. It is
// looked up again then, as a print handler may have removed it.
class TFirstToolBarHidden {
public:
    explicit TFirstToolBarHidden(TkPlotComponent& Plot) : FPlot(Plot)
    {
        if (TkPlotObject* toolBar = FirstToolBar()) {
            FVisible = toolBar->GetVisible();
            FHidden = true;
            toolBar->SetVisible(false);
        }
    }
    ~TFirstToolBarHidden()
    {
        TkPlotObject* toolBar = FHidden ? FirstToolBar() : nullptr;
        if (toolBar)
            toolBar->SetVisible(FVisible);
    }
    TFirstToolBarHidden(const TFirstToolBarHidden&) = delete;
    TFirstToolBarHidden& operator=(const TFirstToolBarHidden&) = delete;

private:
    TkPlotObject* FirstToolBar() const { return FPlot.GetToolBarCount() > 0 ? FPlot.GetToolBar(0) : nullptr; }

    TkPlotComponent& FPlot;
    bool FHidden = false;
    bool FVisible = false;
};

const bool Registered = [] {
    TkPlotOutput::SetPreviewFactory([](const TkPlotPreviewRequest& Request) -> std::unique_ptr<TkPlotPreview> {
        return std::make_unique<TkPlotPreviewLink>(Request);
    });
    return true;
}();

}  // namespace

TkPlotPreviewForm::TkPlotPreviewForm(TComponent* AOwner) : TForm(AOwner)
{
    (void)Registered;
    SetName("PlotPreviewForm");
    SetText("Print Preview");
    SetPosition(poScreenCenter);
    SetWidth(836);
    SetHeight(563);
    SetMinimumSize(500, 300);

    TopPanel = new TPanel(this);
    TopPanel->SetName("TopPanel");
    TopPanel->SetParent(this);
    TopPanel->SetAlign(alTop);
    TopPanel->SetHeight(41);

    PrintButton = new TBitBtn(this);
    PrintButton->SetName("PrintButton");
    PrintButton->SetParent(TopPanel);
    PrintButton->SetBounds(8, 8, 33, 25);
    TBitmap glyph;
    if (TkPlotToolBarGlyphs::Load("SMALLPRINTER", glyph))
        PrintButton->SetGlyph(&glyph);
    PrintButton->OnClick = [this](TObject*) {
        if (Plot)
            Plot->PrintPlot();
        Preview->Invalidate();
    };

    SettingsButton = new TkComponentEditorButton(this);
    SettingsButton->SetName("SettingsButton");
    SettingsButton->SetParent(TopPanel);
    SettingsButton->SetText("Settings");
    SettingsButton->SetBounds(48, 8, 75, 25);
    SettingsButton->OnClick = [this](TObject*) { EditSettings(); };

    CloseButton = new TkComponentEditorButton(this);
    CloseButton->SetName("CloseButton");
    CloseButton->SetParent(TopPanel);
    CloseButton->SetText("Close");
    CloseButton->SetBounds(130, 8, 75, 25);
    CloseButton->SetModalResult(mrOk);

    Preview = new TkPaintBox(this);
    Preview->SetName("Preview");
    Preview->SetParent(this);
    Preview->SetAlign(alClient);
    Preview->OnPaint = [this](TObject*) { PaintPreview(); };
}

void TkPlotPreviewForm::Open(const TkPlotPreviewRequest& Request)
{
    Plot = Request.Plot;
    MarginLeft = Request.PrintMargins[0];
    MarginTop = Request.PrintMargins[1];
    MarginRight = Request.PrintMargins[2];
    MarginBottom = Request.PrintMargins[3];
    Orientation = Request.Orientation == poLandscape ? 1 : 0;
    PaperSize = TkPlotPreviewPage::PaperIndexOf(Request.PaperWidth, Request.PaperHeight);
    if (Plot) {
        DocumentName = Plot->GetPrintDocumentName();
        TkPlotComponent* plot = Plot;
        TranslationMethod = [plot](TForm* Form) { plot->GetMasterManager().TranslateControl(Form); };
    }
    SetText(Request.Caption);
}

void TkPlotPreviewForm::Translate(TForm* Form) const
{
    if (TranslationMethod)
        TranslationMethod(Form);
}

void TkPlotPreviewForm::EditSettings()
{
    TkPlotPreviewSettingsForm settings(nullptr);
    settings.PrintMarginLeftEdit->SetFloat(MarginLeft);
    settings.PrintMarginTopEdit->SetFloat(MarginTop);
    settings.PrintMarginRightEdit->SetFloat(MarginRight);
    settings.PrintMarginBottomEdit->SetFloat(MarginBottom);
    settings.PrintOrientationRadioGroup->SetItemIndexSilently(Orientation);
    settings.PrintDocumentNameEdit->SetText(DocumentName);
    settings.PrintPaperSizeComboBox->SetItemIndexSilently(PaperSize);
    Translate(&settings);
    if (settings.ShowModal() != mrOk)
        return;
    MarginLeft = MarginOf(settings.PrintMarginLeftEdit);
    MarginTop = MarginOf(settings.PrintMarginTopEdit);
    MarginRight = MarginOf(settings.PrintMarginRightEdit);
    MarginBottom = MarginOf(settings.PrintMarginBottomEdit);
    Orientation = settings.PrintOrientationRadioGroup->GetItemIndex() == 1 ? 1 : 0;
    DocumentName = settings.PrintDocumentNameEdit->GetText();
    PaperSize = std::max(settings.PrintPaperSizeComboBox->GetItemIndex(), 0);
    if (Plot) {
        Plot->SetPrintMarginLeft(MarginLeft);
        Plot->SetPrintMarginTop(MarginTop);
        Plot->SetPrintMarginRight(MarginRight);
        Plot->SetPrintMarginBottom(MarginBottom);
        Plot->SetPrintOrientation(Orientation == 1 ? poLandscape : poPortrait);
        Plot->SetPrintDocumentName(DocumentName);
    }
    SetText(DocumentName + " (Preview)");
    Preview->Invalidate();
}

void TkPlotPreviewForm::PaintPreview()
{
    const int width = std::max(Preview->GetWidth(), 1);
    const int height = std::max(Preview->GetHeight(), 1);
    TBitmap bitmap(width, height);
    TCanvas& canvas = *bitmap.Canvas;
    canvas.Brush->SetColor(clBtnFace);
    canvas.FillRect(TRect(0, 0, width, height));
    canvas.Brush->SetColor(clBlack);
    canvas.FrameRect(TRect(0, 0, width, height));

    const TkPlotPreviewPage page(PaperSize, Orientation == 1, {MarginLeft, MarginTop, MarginRight, MarginBottom}, width,
                                 height);
    canvas.Pen->SetColor(clBlack);
    canvas.Brush->SetColor(clBlack);
    canvas.Rectangle(page.ShadowRect());
    canvas.Brush->SetColor(clWhite);
    canvas.Rectangle(page.PageRect());
    if (Plot && page.HasPrintableArea())
        DrawPlot(canvas, page);
    Preview->Canvas->Draw(0, 0, &bitmap);
}

void TkPlotPreviewForm::DrawPlot(TCanvas& Canvas, const TkPlotPreviewPage& Page)
{
    {
        const TFirstToolBarHidden hidden(*Plot);
        try {
            if (Plot->OnBeforePrint)
                Plot->OnBeforePrint(this);
            TMetafile* picture = Plot->GetMetafilePicture();
            Canvas.StretchDraw(Page.PictureRect(picture->GetWidth(), picture->GetHeight()), picture);
        } catch (...) {
            // Whoever prepared the plot for printing gets to undo it.
            try {
                if (Plot->OnAfterPrint)
                    Plot->OnAfterPrint(this);
            } catch (...) {
            }
            throw;
        }
    }
    if (Plot->OnAfterPrint)
        Plot->OnAfterPrint(this);
}
