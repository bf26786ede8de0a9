// A kept picture drawn onto a control: what buffered controls and charts
// do at every paint, so it must copy rows in the painting thread alone.
#include <gtest/gtest.h>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/CustomControl.h"

namespace {

class TPictureControl : public TCustomControl {
public:
    TPictureControl(TBitmap* APicture) : TCustomControl(nullptr), FPicture(APicture) {}

protected:
    void Paint() override { Canvas->Draw(0, 0, FPicture); }

private:
    TBitmap* FPicture;
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

// A child over the middle leaves the parent a paint region of several
// rectangles, which the raster engine would otherwise fill span by span,
// split over its thread pool.
TEST(PictureBlit, AroundAChildThePictureIsCopiedPixelForPixelWithoutPooledThreads)
{
    Application.Get();
    TBitmap Picture(640, 400);
    for (int Y = 0; Y < Picture.GetHeight(); ++Y) {
        auto* Row = reinterpret_cast<std::uint32_t*>(Picture.ScanLine(Y));
        for (int X = 0; X < Picture.GetWidth(); ++X)
            Row[X] = 0xFF000000u | static_cast<std::uint32_t>(X * 2654435761u ^ Y * 40503u) >> 8;
    }
    TPictureControl Control(&Picture);
    Control.SetBounds(0, 0, 640, 400);
    TCustomControl Child(nullptr);
    Child.SetParent(&Control);
    Child.SetBounds(200, 100, 240, 200);
    Child.Color = clBlack;
    Control.Widget()->show();
    const int PooledBefore = PooledThreads();
    Control.Widget()->repaint();

    const QImage Shot = Control.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    EXPECT_EQ(PooledThreads(), PooledBefore);
    ASSERT_EQ(Shot.size(), QSize(640, 400));
    int Wrong = 0;
    for (int Y = 0; Y < Shot.height(); ++Y) {
        const auto* Shown = reinterpret_cast<const std::uint32_t*>(Shot.constScanLine(Y));
        const auto* Kept = reinterpret_cast<const std::uint32_t*>(Picture.PixelRow(Y));
        for (int X = 0; X < Shot.width(); ++X) {
            const bool UnderChild = X >= 200 && X < 440 && Y >= 100 && Y < 300;
            Wrong += (Shown[X] | 0xFF000000u) != (UnderChild ? 0xFF000000u : Kept[X] | 0xFF000000u);
        }
    }
    EXPECT_EQ(Wrong, 0);
}
