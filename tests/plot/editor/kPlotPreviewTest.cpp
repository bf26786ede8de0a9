// The print preview form over a real plot: the page it draws, the plot's
// toolbar kept out of the picture and given back, the settings dialog and
// printing from the preview.
#include "plot/editor/kPlotPreview.h"

#include <gtest/gtest.h>

#include <memory>

#include "EditorTestSupport.h"
#include "TempDirSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotTranslation.h"
#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorComboBox.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorRadioGroup.h"
#include "plot/editor/kPaintBox.h"
#include "plot/editor/kPlotPreviewPage.h"
#include "plot/editor/kPlotPreviewSettings.h"
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/BitBtn.h"
#include "ui/Bitmap.h"
#include "ui/DialogRequest.h"
#include "ui/Printer.h"
#include "ui/Screenshot.h"

namespace {

class PlotPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetDialogResponder([this](const TDialogRequest& R) {
            Messages.push_back(R.Text);
            return TDialogAnswer{};
        });
        Plot.GetXAxis(0)->SetMinSpan(0, 10);
        Plot.SetPrintDocumentName("Run 7");
        Plot.OnAfterPaint = [this](TObject*) {
            ++Paints;
            ToolBarPainted = ToolBarPainted || Plot.GetToolBar(0)->GetVisible();
        };
        TkPlotPreviewRequest request;
        request.Plot = &Plot;
        request.PrintMargins = {1, 1, 1, 1};
        request.Orientation = poLandscape;
        request.PaperWidth = 297 / 25.4;
        request.PaperHeight = 210 / 25.4;
        request.Caption = "Run 7 (Preview)";
        Form->Open(request);
    }
    void TearDown() override
    {
        SetDialogResponder(nullptr);
        Printer()->OutputFileName.clear();
    }

    // The preview as it paints now.
    std::unique_ptr<TBitmap> Grab()
    {
        auto bitmap = std::make_unique<TBitmap>(Form->Preview->GetWidth(), Form->Preview->GetHeight());
        GrabControl(Form->Preview, *bitmap);
        return bitmap;
    }
    TkPlotPreviewPage Page() const
    {
        return TkPlotPreviewPage(Form->PaperSize, Form->Orientation == 1,
                                 {Form->MarginLeft, Form->MarginTop, Form->MarginRight, Form->MarginBottom},
                                 Form->Preview->GetWidth(), Form->Preview->GetHeight());
    }
    // Runs Answer on the settings dialog once it shows.
    void OnSettings(const std::function<void(TkPlotPreviewSettingsForm&)>& Answer)
    {
        Form->TranslationMethod = [Answer](TForm* F) {
            auto* settings = dynamic_cast<TkPlotPreviewSettingsForm*>(F);
            ASSERT_NE(settings, nullptr);
            F->OnShow = [settings, Answer](TObject*) { Answer(*settings); };
        };
    }

    TempDir Dir;
    TkPlot Plot{nullptr};
    std::unique_ptr<TkPlotPreviewForm> Form = std::make_unique<TkPlotPreviewForm>(nullptr);
    std::vector<std::string> Messages;
    int Paints = 0;
    bool ToolBarPainted = false;
};

TEST_F(PlotPreview, ThePageShowsThePlotWithoutItsToolBarWhichIsVisibleAgainAfterwards)
{
    ASSERT_TRUE(Plot.GetToolBar(0)->GetVisible());
    std::vector<std::string> events;
    Plot.OnBeforePrint = [&](TObject* Sender) { events.push_back(Sender == Form.get() ? "before" : "other"); };
    Plot.OnAfterPrint = [&](TObject* Sender) { events.push_back(Sender == Form.get() ? "after" : "other"); };
    EXPECT_EQ(Form->GetText(), "Run 7 (Preview)");
    EXPECT_EQ(Form->PaperSize, 3);  // the A4 it was handed
    EXPECT_EQ(Form->DocumentName, "Run 7");

    const std::unique_ptr<TBitmap> shot = Grab();
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_GE(Paints, 1);
    EXPECT_FALSE(ToolBarPainted);
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());

    const TkPlotPreviewPage page = Page();
    const TRect& r = page.PageRect();
    const TRect shadow = page.ShadowRect();
    EXPECT_EQ(shot->Canvas->GetPixel(r.Left + 2, r.Top + 2), clWhite);
    EXPECT_EQ(shot->Canvas->GetPixel(r.Left, r.Top + 2), clBlack);  // its frame
    EXPECT_EQ(shot->Canvas->GetPixel(shadow.Right - 2, shadow.Bottom - 2), clBlack);
    EXPECT_EQ(shot->Canvas->GetPixel(2, 2), shot->Canvas->GetPixel(shadow.Right + 2, 2));  // the background
    EXPECT_NE(shot->Canvas->GetPixel(2, 2), clWhite);
    // The plot's picture fills the printable area across, from the margins.
    const TRect picture = page.PictureRect(Plot.GetWidth(), Plot.GetHeight());
    EXPECT_EQ(picture.Width(), page.PrintableWidth());
    int drawn = 0;
    for (int y = picture.Top; y < picture.Bottom; ++y)
        for (int x = picture.Left; x < picture.Right; ++x)
            drawn += shot->Canvas->GetPixel(x, y) != clWhite;
    EXPECT_GT(drawn, picture.Width() * picture.Height() / 2);
}

TEST_F(PlotPreview, MarginsWiderThanThePageLeaveItBlank)
{
    Form->MarginLeft = 6;
    Form->MarginRight = 6;
    const std::unique_ptr<TBitmap> shot = Grab();
    EXPECT_EQ(Paints, 0);
    const TkPlotPreviewPage page = Page();
    const TRect& r = page.PageRect();
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            ASSERT_EQ(shot->Canvas->GetPixel(x, y), clWhite) << x << "," << y;
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
}

TEST_F(PlotPreview, TheToolBarIsVisibleAgainWhenDrawingThePlotFails)
{
    int after = 0;
    Plot.OnBeforePrint = [](TObject*) { throw Exception("no paper"); };
    Plot.OnAfterPrint = [&](TObject*) { ++after; };
    Grab();
    EXPECT_EQ(Messages, std::vector<std::string>{"no paper"});
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
    EXPECT_EQ(after, 1);

    Plot.OnBeforePrint = nullptr;
    Plot.OnAfterPaint = [](TObject*) { throw Exception("broken"); };
    Grab();
    EXPECT_EQ(Messages.back(), "broken");
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
    EXPECT_EQ(after, 2);
}

TEST_F(PlotPreview, CancelledSettingsChangeNeitherPreviewNorPlot)
{
    std::string shownLeft, shownName;
    int shownOrientation = -1, shownPaper = -1;
    OnSettings([&](TkPlotPreviewSettingsForm& S) {
        shownLeft = S.PrintMarginLeftEdit->GetText();
        shownName = S.PrintDocumentNameEdit->GetText();
        shownOrientation = S.PrintOrientationRadioGroup->GetItemIndex();
        shownPaper = S.PrintPaperSizeComboBox->GetItemIndex();
        S.PrintMarginLeftEdit->CommitText("2.5");
        S.PrintDocumentNameEdit->CommitText("Other");
        S.PrintOrientationRadioGroup->SetItemIndex(0);
        S.CancelButton->Click();
    });
    Form->SettingsButton->Click();
    EXPECT_EQ(shownLeft, "1");
    EXPECT_EQ(shownName, "Run 7");
    EXPECT_EQ(shownOrientation, 1);
    EXPECT_EQ(shownPaper, 3);
    EXPECT_EQ(Form->MarginLeft, 1);
    EXPECT_EQ(Form->Orientation, 1);
    EXPECT_EQ(Form->DocumentName, "Run 7");
    EXPECT_EQ(Form->GetText(), "Run 7 (Preview)");
    EXPECT_EQ(Plot.GetPrintMarginLeft(), 1);
    EXPECT_EQ(Plot.GetPrintDocumentName(), "Run 7");
    EXPECT_EQ(Plot.GetPrintOrientation(), poLandscape);
}

TEST_F(PlotPreview, AcceptedSettingsGoIntoPreviewPlotAndCaptionButThePaperStaysThePreviews)
{
    OnSettings([](TkPlotPreviewSettingsForm& S) {
        S.PrintMarginLeftEdit->CommitText("0.5");
        S.PrintMarginTopEdit->CommitText("0.25");
        S.PrintMarginRightEdit->CommitText("1.25");
        S.PrintMarginBottomEdit->CommitText("2");
        S.PrintOrientationRadioGroup->SetItemIndex(0);
        S.PrintDocumentNameEdit->CommitText("Run 8");
        S.PrintPaperSizeComboBox->SetItemIndex(1);
        S.OKButton->Click();
    });
    Form->SettingsButton->Click();
    EXPECT_EQ(Form->GetText(), "Run 8 (Preview)");
    EXPECT_EQ(Form->PaperSize, 1);
    EXPECT_EQ(Form->Orientation, 0);
    EXPECT_EQ(Form->MarginTop, 0.25);
    EXPECT_EQ(Plot.GetPrintMarginLeft(), 0.5);
    EXPECT_EQ(Plot.GetPrintMarginTop(), 0.25);
    EXPECT_EQ(Plot.GetPrintMarginRight(), 1.25);
    EXPECT_EQ(Plot.GetPrintMarginBottom(), 2);
    EXPECT_EQ(Plot.GetPrintOrientation(), poPortrait);
    EXPECT_EQ(Plot.GetPrintDocumentName(), "Run 8");
}

TEST_F(PlotPreview, NegativeMarginsTypedInTheSettingsBecomeNone)
{
    OnSettings([](TkPlotPreviewSettingsForm& S) {
        S.PrintMarginLeftEdit->CommitText("-1");
        S.PrintMarginBottomEdit->CommitText("-0.5");
        S.OKButton->Click();
    });
    Form->SettingsButton->Click();
    EXPECT_EQ(Form->MarginLeft, 0);
    EXPECT_EQ(Form->MarginBottom, 0);
    EXPECT_EQ(Plot.GetPrintMarginLeft(), 0);
    EXPECT_EQ(Plot.GetPrintMarginBottom(), 0);
    EXPECT_EQ(Plot.GetPrintMarginTop(), 1);
}

TEST_F(PlotPreview, ThePrintButtonPrintsThePlotToPdf)
{
    Printer()->OutputFileName = Dir.File("preview.pdf");
    Plot.SetPrintShowDialog(false);
    Form->PrintButton->Click();
    const std::string pdf = ReadRaw(Dir.File("preview.pdf"));
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0) << pdf.size() << " bytes";
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
}

TEST_F(PlotPreview, ThePlotsPreviewOpensThisFormInThePlotsTranslation)
{
    Plot.SetPrintMarginRight(0.75);
    TkPlotTranslationObject* pair = Plot.GetTranslationManager()->Add();
    pair->SetOriginalString("Close");
    pair->SetReplacementString("关闭");
    TkPlotPreviewForm* shown = nullptr;
    std::string caption, close;
    double right = 0;
    // The preview paints once it shows, and tells the plot.
    Plot.OnBeforePrint = [&](TObject* Sender) {
        if (shown)
            return;
        shown = dynamic_cast<TkPlotPreviewForm*>(Sender);
        ASSERT_NE(shown, nullptr);
        caption = shown->GetText();
        close = shown->CloseButton->GetText();
        right = shown->MarginRight;
        shown->CloseButton->Click();
    };
    Plot.PrintPreview();
    EXPECT_EQ(caption, "Run 7 (Preview)");
    EXPECT_EQ(close, "关闭");
    EXPECT_EQ(right, 0.75);
}

}  // namespace
