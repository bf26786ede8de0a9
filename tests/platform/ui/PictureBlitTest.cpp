// A kept picture drawn onto a control: what buffered controls and charts
// do at every paint, so it must copy rows in the painting thread alone.
#include <gtest/gtest.h>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/CustomControl.h"

namespace {

// Shows a picture of 640 x 400 that no two neighbouring pixels share, with
// a black child over its middle: the control's paint region is then the
// four rectangles around the child, as a chart's is around its controls.
class TPictureControl : public TCustomControl {
public:
    std::function<void(TCanvas*)> OnDraw;
    TBitmap Picture{640, 400};

    TPictureControl() : TCustomControl(nullptr), FChild(nullptr)
    {
        for (int Y = 0; Y < Picture.GetHeight(); ++Y) {
            auto* Row = reinterpret_cast<std::uint32_t*>(Picture.ScanLine(Y));
            for (int X = 0; X < Picture.GetWidth(); ++X)
                Row[X] = 0xFF000000u | static_cast<std::uint32_t>(X * 2654435761u ^ Y * 40503u) >> 8;
        }
        Color = clWhite;
        SetBounds(0, 0, 640, 400);
        FChild.SetParent(this);
        FChild.SetBounds(200, 100, 240, 200);
        FChild.Color = clBlack;
        Widget()->show();
    }

    static bool UnderChild(int X, int Y) { return X >= 200 && X < 440 && Y >= 100 && Y < 300; }

    // Pixels of a paint through the window's own backing store that differ
    // from Expected (0xRRGGBB of the picture's pixel, or of the child).
    template <class F> int WrongPixels(F Expected)
    {
        Widget()->repaint();
        const QImage Shot = Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int Wrong = 0;
        for (int Y = 0; Y < Shot.height(); ++Y) {
            const auto* Shown = reinterpret_cast<const std::uint32_t*>(Shot.constScanLine(Y));
            const auto* Kept = reinterpret_cast<const std::uint32_t*>(Picture.PixelRow(Y));
            for (int X = 0; X < Shot.width(); ++X)
                Wrong += (Shown[X] & 0xFFFFFFu) != (UnderChild(X, Y) ? 0u : Expected(X, Y, Kept[X] & 0xFFFFFFu));
        }
        return Shot.size() == QSize(640, 400) ? Wrong : -1;
    }

protected:
    void Paint() override { OnDraw(Canvas); }

private:
    TCustomControl FChild;
};

// Qt's pooled threads, by the name Qt gives them.
int PooledThreads()
{
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        count += name == "Thread (pooled)";
    }
    return count;
}

}  // namespace

// Spread over several rectangles, the raster engine would fill the picture
// span by span, split over its thread pool.
TEST(PictureBlit, AroundAChildThePictureIsCopiedPixelForPixelWithoutPooledThreads)
{
    Application.Get();
    TPictureControl Control;
    Control.OnDraw = [&](TCanvas* Canvas) { Canvas->Draw(0, 0, &Control.Picture); };
    const int PooledBefore = PooledThreads();
    EXPECT_EQ(Control.WrongPixels([](int, int, std::uint32_t Kept) { return Kept; }), 0);
    EXPECT_EQ(PooledThreads(), PooledBefore);
}

TEST(PictureBlit, TheCanvasClipHoldsForThePictureAndForWhatIsDrawnAfterIt)
{
    Application.Get();
    TPictureControl Control;
    Control.OnDraw = [&](TCanvas* Canvas) {
        Canvas->SetClipRect(Rect(100, 50, 540, 350));
        Canvas->Draw(0, 0, &Control.Picture);
        Canvas->Brush->Color = clRed;
        Canvas->FillRect(Rect(0, 0, 640, 60));
    };
    EXPECT_EQ(Control.WrongPixels([](int X, int Y, std::uint32_t Kept) {
        if (X < 100 || X >= 540 || Y < 50 || Y >= 350)
            return 0xFFFFFFu;
        return Y < 60 ? 0xFF0000u : Kept;
    }),
              0);
}
