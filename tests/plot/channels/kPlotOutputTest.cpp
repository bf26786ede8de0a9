// The plot's output: its image on the clipboard, printed into a PDF file,
// handed to the preview and saved in the format its file name asks for.
#include "plot/core/kPlotOutput.h"

#include <gtest/gtest.h>

#include <sstream>

#include "EmfReaderSupport.h"
#include "TempDirSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/core/kPlotAxis.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Clipboard.h"
#include "ui/DialogRequest.h"
#include "ui/Metafile.h"

namespace {

// Every dialog is answered by the test, in order; none left means cancel.
class PlotOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetDialogResponder([this](const TDialogRequest& R) {
            Asked.push_back(R);
            if (Answers.empty())
                return TDialogAnswer{};
            TDialogAnswer a = Answers.front();
            Answers.erase(Answers.begin());
            return a;
        });
        Plot.GetXAxis(0)->SetMinSpan(0, 10);
    }
    void TearDown() override
    {
        SetDialogResponder(nullptr);
        Printer()->OutputFileName.clear();
    }

    static TDialogAnswer Saved(const std::string& Name, int FilterIndex)
    {
        TDialogAnswer a;
        a.Result = IDOK;
        a.FileNames = {Name};
        a.FilterIndex = FilterIndex;
        return a;
    }
    // The plot painted as it stands, into a bitmap of its size.
    std::unique_ptr<TBitmap> Painted()
    {
        auto bitmap = std::make_unique<TBitmap>(Plot.GetWidth(), Plot.GetHeight());
        Plot.PaintToCanvas(bitmap->Canvas);
        return bitmap;
    }
    static bool SamePixels(const TBitmap& A, const TBitmap& B)
    {
        if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight())
            return false;
        for (int y = 0; y < A.GetHeight(); ++y)
            for (int x = 0; x < A.GetWidth(); ++x)
                for (int c = 0; c < 3; ++c)
                    if (A.PixelRow(y)[4 * x + c] != B.PixelRow(y)[4 * x + c])
                        return false;
        return true;
    }

    TempDir Dir;
    TkPlot Plot{nullptr};
    std::vector<TDialogRequest> Asked;
    std::vector<TDialogAnswer> Answers;
};

std::string Signature(const std::string& Bytes)
{
    if (Bytes.compare(0, 2, "BM") == 0)
        return "bmp";
    if (Bytes.size() > 44 && Bytes[0] == 1 && Bytes.compare(40, 4, " EMF") == 0)
        return "emf";
    if (Bytes.compare(0, 2, "\xFF\xD8") == 0)
        return "jpeg";
    if (Bytes.compare(0, 4, "\x89PNG") == 0)
        return "png";
    return Bytes.empty() ? "none" : "other";
}

std::string MessageOf(const std::function<void()>& Fn)
{
    try {
        Fn();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "";
}

int CountPages(const std::string& Pdf)
{
    int n = 0;
    for (size_t at = Pdf.find("/Type /Page"); at != std::string::npos; at = Pdf.find("/Type /Page", at + 1))
        if (Pdf.compare(at, 12, "/Type /Pages") != 0)
            ++n;
    return n;
}

// The text a metafile's header carries: creator, NUL, description.
std::u16string DescriptionOf(const std::string& Emf)
{
    const std::vector<TEmfRecord> records = Walk(Emf);
    if (records.empty())
        return {};
    return records[0].Utf16At(records[0].U32(64), records[0].U32(60));
}

TEST_F(PlotOutput, SavedImagesTakeTheFormatTheirExtensionNamesInAnyCase)
{
    const struct {
        const char* Name;
        const char* Format;
    } cases[] = {{"a.bmp", "bmp"},  {"b.BMP", "bmp"},   {"c.emf", "emf"}, {"d.Emf", "emf"}, {"e.jpg", "jpeg"},
                 {"f.JPG", "jpeg"}, {"g.jpeg", "jpeg"}, {"h.png", "png"}, {"i.PNG", "png"}};
    for (const auto& c : cases) {
        Answers = {Saved(Dir.File(c.Name), 1)};
        Plot.SaveImageDialog();
        EXPECT_EQ(Signature(ReadRaw(Dir.File(c.Name))), c.Format) << c.Name;
    }
    const TDialogRequest& asked = Asked.front();
    EXPECT_EQ(asked.Kind, TDialogKind::SaveFile);
    EXPECT_EQ(asked.FileName, "Untitled");
    EXPECT_EQ(asked.FilterIndex, 1);
    EXPECT_EQ(asked.Filter,
              "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|PNG (*.png)|*.png");
}

TEST_F(PlotOutput, ANameWithoutAnImageExtensionTakesTheChosenFilters)
{
    Plot.DefaultSaveImageDirectory = Dir.Path();
    Plot.SetDefaultSaveImageFormat(kpifJPEG);
    Answers = {Saved(Dir.File("plot"), 0)};
    Plot.SaveImageDialog();
    EXPECT_EQ(Asked.at(0).FilterIndex, 3);
    EXPECT_EQ(Asked.at(0).InitialDir, Dir.Path());
    EXPECT_EQ(Signature(ReadRaw(Dir.File("plot.jpg"))), "jpeg");

    Answers = {Saved(Dir.File("notes.txt"), 4)};
    Plot.SaveImageDialog();
    EXPECT_EQ(Signature(ReadRaw(Dir.File("notes.txt.png"))), "png");
}

TEST_F(PlotOutput, NothingSavedIsReported)
{
    // A filter with no pattern leaves the name as typed.
    Answers = {Saved(Dir.File("plot.gif"), 9)};
    EXPECT_EQ(MessageOf([&] { Plot.SaveImageDialog(); }),
              "The image was not saved: \"plot.gif\" does not end in .bmp, .emf, .jpg, .jpeg or .png");
    EXPECT_EQ(Signature(ReadRaw(Dir.File("plot.gif"))), "none");
}

TEST_F(PlotOutput, TheClipboardBitmapIsThePlotWithoutToolbarsAtItsSize)
{
    Plot.SetCopyToClipBoardFormat(kpefBitmap);
    ASSERT_TRUE(Plot.GetToolBar(0)->GetVisible());
    const std::unique_ptr<TBitmap> withToolBar = Painted();
    Plot.GetToolBar(0)->SetVisible(false);
    const std::unique_ptr<TBitmap> without = Painted();
    Plot.GetToolBar(0)->SetVisible(true);
    ASSERT_FALSE(SamePixels(*withToolBar, *without));

    Plot.CopyToClipBoard();
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
    TBitmap copied;
    ASSERT_TRUE(Clipboard()->GetBitmap(copied));
    EXPECT_EQ(copied.GetWidth(), Plot.GetWidth());
    EXPECT_EQ(copied.GetHeight(), Plot.GetHeight());
    EXPECT_TRUE(SamePixels(copied, *without));
}

TEST_F(PlotOutput, TheClipboardMetafileComesWithABitmapAndAJpegWithItsPicture)
{
    Plot.SetCopyToClipBoardFormat(kpefMetaFile);
    Plot.CopyToClipBoard();
    const std::string emf = Clipboard()->GetBuffer(CF_ENHMETAFILE);
    EXPECT_EQ(DescriptionOf(emf), std::u16string(u"Ombrix\0Strip Chart\0\0", 20));
    TBitmap picture;
    ASSERT_TRUE(Clipboard()->GetBitmap(picture));
    EXPECT_EQ(picture.GetWidth(), Plot.GetWidth());

    Plot.SetCopyToClipBoardFormat(kpefJPEG);
    Plot.CopyToClipBoard();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_ENHMETAFILE));
    EXPECT_EQ(Signature(Clipboard()->GetBuffer(RegisterClipboardFormat("image/jpeg"))), "jpeg");
    ASSERT_TRUE(Clipboard()->GetBitmap(picture));
    EXPECT_EQ(picture.GetHeight(), Plot.GetHeight());
}

TEST_F(PlotOutput, EachToolbarGetsItsOwnVisibilityBackEvenWhenPaintingFails)
{
    Plot.AddToolBar();
    Plot.GetToolBar(1)->SetVisible(false);
    Plot.SetCopyToClipBoardFormat(kpefBitmap);
    Plot.CopyToClipBoard();
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
    EXPECT_FALSE(Plot.GetToolBar(1)->GetVisible());

    Plot.OnAfterPaint = [](TObject*) { throw Exception("paint failed"); };
    EXPECT_EQ(MessageOf([&] { Plot.CopyToClipBoard(); }), "paint failed");
    EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
    EXPECT_FALSE(Plot.GetToolBar(1)->GetVisible());
}

class PlotPrinting : public PlotOutput {
protected:
    void SetUp() override
    {
        PlotOutput::SetUp();
        Printer()->OutputFileName = Dir.File("page.pdf");
        Printer()->SetOrientation(poPortrait);
        Plot.SetPrintShowDialog(false);
        Plot.SetPrintDocumentName("Run 7");
        Plot.OnBeforePrint = [this](TObject*) {
            Log.push_back("before " +
                          std::string(Printer()->GetOrientation() == poLandscape ? "landscape" : "portrait") + " " +
                          Printer()->Title + (Plot.GetToolBar(0)->GetVisible() ? " toolbar" : ""));
        };
        Plot.OnBeforePrintPage = [this](int Page, bool Last) {
            TkPlotAxis* x = Plot.GetXAxis(0);
            Log.push_back("page " + std::to_string(Page) + (Last ? " last" : "") + " from " +
                          std::to_string(int(x->GetMin())));
            if (NarrowTo > 0)
                x->SetSpan(NarrowTo);
            if (FailOnPage == Page)
                throw Exception("out of paper");
        };
        Plot.OnAfterPrint = [this](TObject*) { Log.push_back("after"); };
    }

    void ExpectPlotAsItWas()
    {
        EXPECT_EQ(Plot.GetXAxis(0)->GetMin(), 0);
        EXPECT_EQ(Plot.GetXAxis(0)->GetSpan(), 10);
        EXPECT_TRUE(Plot.GetToolBar(0)->GetVisible());
        EXPECT_EQ(Plot.GetWidth(), 500);
        EXPECT_FALSE(Printer()->Printing());
        EXPECT_EQ(Printer()->GetOrientation(), poPortrait);
        // Repaints are not held any more.
        EXPECT_FALSE(Plot.UpdateSkip());
    }

    std::vector<std::string> Log;
    double NarrowTo = 0;
    int FailOnPage = 0;
};

TEST_F(PlotPrinting, OnePageCoversTheAxisRange)
{
    Plot.PrintPlot();
    EXPECT_EQ(Log, (std::vector<std::string>{"before landscape Run 7", "page 1 last from 0", "after"}));
    const std::string pdf = ReadRaw(Dir.File("page.pdf"));
    EXPECT_EQ(CountPages(pdf), 1);
    // Printed across: the page is wider than high.
    const std::size_t box = pdf.find("/MediaBox [0 0 ");
    ASSERT_NE(box, std::string::npos);
    double width = 0, height = 0;
    std::istringstream(pdf.substr(box + 15, 40)) >> width >> height;
    EXPECT_GT(width, height);
    EXPECT_TRUE(Asked.empty());
    ExpectPlotAsItWas();
}

TEST_F(PlotPrinting, ASpanNarrowedWhilePrintingRunsOverMorePages)
{
    NarrowTo = 5;
    Plot.PrintPlot();
    // Page 1 was the last until its handler narrowed the span.
    EXPECT_EQ(
        Log, (std::vector<std::string>{"before landscape Run 7", "page 1 last from 0", "page 2 last from 5", "after"}));
    EXPECT_EQ(CountPages(ReadRaw(Dir.File("page.pdf"))), 2);
    ExpectPlotAsItWas();
}

TEST_F(PlotPrinting, AFailedJobIsAbortedAndLeavesPrinterAndPlotAsTheyWere)
{
    FailOnPage = 1;
    EXPECT_EQ(MessageOf([&] { Plot.PrintPlot(); }), "Error Printing : out of paper");
    EXPECT_TRUE(Printer()->Aborted());
    EXPECT_EQ(Log.back(), "after");
    ExpectPlotAsItWas();
    EXPECT_EQ(Printer()->Title, "");

    Plot.OnAfterPaint = [](TObject*) { throw Exception("paint failed"); };
    FailOnPage = 0;
    EXPECT_EQ(MessageOf([&] { Plot.PrintPlot(); }), "Error Printing : paint failed");
    EXPECT_TRUE(Printer()->Aborted());
    ExpectPlotAsItWas();

    // The printer is free for the next job.
    Plot.OnAfterPaint = nullptr;
    Log.clear();
    Plot.PrintPlot();
    EXPECT_EQ(CountPages(ReadRaw(Dir.File("page.pdf"))), 1);
}

TEST_F(PlotPrinting, ACancelledPrintDialogPrintsNothing)
{
    Plot.SetPrintShowDialog(true);
    Plot.PrintPlot();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Kind, TDialogKind::Print);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Signature(ReadRaw(Dir.File("page.pdf"))), "none");
    ExpectPlotAsItWas();
}

TEST_F(PlotOutput, ExportedMetafilesHoldThePlotsDrawingForAnyReader)
{
    Plot.SetTitleText("Run 7");
    const std::string file = Dir.File("plot.EMF");
    Answers = {Saved(file, 1)};
    Plot.SaveImageDialog();
    const std::string emf = ReadRaw(file);
    const std::vector<TEmfRecord> records = Walk(emf);
    ASSERT_GT(records.size(), 2u);
    EXPECT_EQ(records.front().Type, HEADER);
    EXPECT_EQ(records.back().Type, EOF_);
    EXPECT_EQ(records.front().U32(48), emf.size());
    EXPECT_EQ(records.front().U32(52), records.size());
    // The frame is the plot's size in hundredths of a millimetre.
    EXPECT_EQ(records.front().RectAt(24), TRect(0, 0, 500 * 2540 / 96, RoundToInt(200 * 2540 / 96.0)));
    bool title = false;
    int texts = 0;
    for (const TEmfRecord& r : records)
        if (r.Type == EXTTEXTOUTW) {
            ++texts;
            // the text's offset and length
            title = title || r.Utf16At(r.U32(48), r.U32(44)) == u"Run 7";
        }
    EXPECT_TRUE(title) << texts << " texts";

    EXPECT_EQ(DescriptionOf([&] {
                  std::ostringstream out;
                  Plot.GetMetafilePicture()->SaveToStream(out);
                  return out.str();
              }()),
              std::u16string(u"Ombrix\0kPlot\0\0", 14));
}

// The toolbar's glyphs are pictures with see-through pixels: the metafile
// draws them over the button face as the bitmap does, so its pictures laid
// in order over the bitmap export change none of its pixels.
TEST_F(PlotOutput, TheMetafilesPicturesShowWhatTheBitmapShows)
{
    ASSERT_TRUE(Plot.GetToolBar(0)->GetVisible());
    const std::unique_ptr<TBitmap> bitmap = Painted();
    const int width = bitmap->GetWidth(), height = bitmap->GetHeight();
    // Blue, green, red of every pixel, as the bitmap's rows hold them.
    std::vector<unsigned char> exported, laid;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                exported.push_back(bitmap->PixelRow(y)[4 * x + c]);
    laid = exported;

    const std::string file = Dir.File("plot.emf");
    Plot.SaveImageToMetafile(file);
    int pictures = 0, opaque = 0;
    for (const TEmfRecord& r : Walk(ReadRaw(file))) {
        TEmfPicture picture;
        if (!ReadPicture(r, picture))
            continue;
        ++pictures;
        ASSERT_EQ(picture.Dest.Width(), picture.Width);
        ASSERT_EQ(picture.Dest.Height(), picture.Height);
        ASSERT_TRUE(picture.Dest.Left >= 0 && picture.Dest.Top >= 0 && picture.Dest.Right <= width &&
                    picture.Dest.Bottom <= height);
        for (int y = 0; y < picture.Height; ++y)
            for (int x = 0; x < picture.Width; ++x) {
                const std::uint32_t p = picture.Pixels[std::size_t(y) * picture.Width + x];
                const unsigned alpha = p >> 24;
                opaque += alpha == 255;
                unsigned char* under = &laid[3 * (std::size_t(picture.Dest.Top + y) * width + picture.Dest.Left + x)];
                // Premultiplied over.
                for (int c = 0; c < 3; ++c)
                    under[c] = static_cast<unsigned char>(((p >> (8 * c)) & 0xFF) +
                                                          (under[c] * (255 - alpha) + 127) / 255);
            }
    }
    // Every visible button of the toolbar has its glyph.
    EXPECT_GE(pictures, 10);
    EXPECT_GT(opaque, 1000);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < laid.size(); i += 3)
        differing += laid[i] != exported[i] || laid[i + 1] != exported[i + 1] || laid[i + 2] != exported[i + 2];
    EXPECT_EQ(differing, 0u);
}

TEST_F(PlotOutput, ThePreviewIsHandedThePlotAndItsPrintSettings)
{
    std::vector<std::string> log;
    TkPlotPreviewRequest got;
    struct Preview : TkPlotPreview {
        std::vector<std::string>& Log;
        explicit Preview(std::vector<std::string>& L) : Log(L) {}
        ~Preview() override { Log.push_back("freed"); }
        void Prepare() override { Log.push_back("prepare"); }
        void ShowModal() override { Log.push_back("show"); }
    };
    TkPlotOutput::SetPreviewFactory([&](const TkPlotPreviewRequest& R) {
        got = R;
        return std::make_unique<Preview>(log);
    });
    Plot.SetPrintDocumentName("Run 7");
    Plot.SetPrintMarginLeft(0.5);
    Plot.SetPrintMarginBottom(2);
    Plot.SetPrintOrientation(poPortrait);
    Plot.PrintPreview();
    TkPlotOutput::SetPreviewFactory(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"prepare", "show", "freed"}));
    EXPECT_EQ(got.Plot, &Plot);
    EXPECT_EQ(got.Caption, "Run 7 (Preview)");
    EXPECT_EQ(got.PrintMargins, (std::array<double, 4>{0.5, 1, 1, 2}));
    EXPECT_EQ(got.Orientation, poPortrait);
    EXPECT_GT(got.PaperWidth, 0);
    EXPECT_GT(got.PaperHeight, 0);
    Plot.PrintPreview();  // without a preview library: nothing
    EXPECT_EQ(log.size(), 3u);
}

}  // namespace
