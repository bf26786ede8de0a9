#include "plot/core/kWinComponent.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "plot/core/kCustomComponent.h"
#include "rtl/Exception.h"
#include "ui/JPEGImage.h"

namespace fs = std::filesystem;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "kWinComponentTest";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

class TTestWin : public TkCustomComponent {
public:
    explicit TTestWin(TComponent* AOwner) : TkCustomComponent(AOwner) {}

    void PaintToCanvas(TCanvas* ACanvas) override
    {
        if (Fail)
            throw Exception("paint failed");
        ACanvas->Brush->SetColor(clRed);
        ACanvas->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
        ACanvas->Brush->SetColor(clBlue);
        ACanvas->FillRect(TRect(0, 0, 10, 10));
        if (DuringPaint)
            DuringPaint();
    }

    int GetLevel() const { return Level; }
    void SetLevel(int Value)
    {
        Level = Value;
        SentBack = SendOPCValue("Level", TkVariant(std::int64_t(Value)));
    }
    using TkWinComponent::CurrentTimerInterval;
    using TkWinComponent::TimerTick;

    int Level = 0;
    double Ratio = 0;
    bool Active = false;
    int Mode = 0;
    std::string Caption;
    bool SentBack = true;
    bool Fail = false;
    std::function<void()> DuringPaint;
};

const bool Registered = [] {
    using T = TTestWin;
    RegisterPublishedClass<TTestWin, TkCustomComponent>(
        "TTestWin",
        TPropertyListBuilder<T>()
            .Object("Font", "TFont", [](const T& c) { return static_cast<TObject*>(c.Font); })
            .Integer(
                "Level", [](const T& c) { return c.GetLevel(); }, [](T& c, std::int64_t v) { c.SetLevel(int(v)); })
            .Float(
                "Ratio", [](const T& c) { return c.Ratio; }, [](T& c, double v) { c.Ratio = v; })
            .Boolean(
                "Active", [](const T& c) { return c.Active; }, [](T& c, std::int64_t v) { c.Active = v != 0; })
            .Enumeration(
                "Mode", "TMode", {"mA", "mB", "mC"}, [](const T& c) { return c.Mode; },
                [](T& c, std::int64_t v) { c.Mode = int(v); })
            .String(
                "Caption", [](const T& c) { return c.Caption; }, [](T& c, const std::string& v) { c.Caption = v; })
            .Take());
    return true;
}();

std::vector<std::uint8_t> ReadFile(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

template <class F> std::string MessageOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no exception";
}

class kWinComponentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }
    void SetUp() override
    {
        (void)Registered;
        C = std::make_unique<TTestWin>(nullptr);
        C->SetBounds(0, 0, 64, 48);
        Dir = fs::temp_directory_path() / ("kwin_" + std::to_string(::getpid()));
        fs::create_directories(Dir);
    }
    void TearDown() override
    {
        C.reset();
        fs::remove_all(Dir);
    }
    std::string Path(const std::string& n) const { return (Dir / n).string(); }

    std::unique_ptr<TTestWin> C;
    fs::path Dir;
};

TEST_F(kWinComponentTest, ReportsItsOwnClassName)
{
    // not registered itself: named after its nearest registered base
    struct TPlain : TkCustomComponent {
        TPlain() : TkCustomComponent(nullptr) {}
        void PaintToCanvas(TCanvas*) override {}
    } plain;
    EXPECT_EQ(TPropertyRegistry::Instance().GetClassName(&plain), "TkCustomComponent");
    EXPECT_EQ(TPropertyRegistry::Instance().GetClassName(C.get()), "TTestWin");
    EXPECT_NE(GetPropInfo(C.get(), "OnNewOPCData"), nullptr);
}

TEST_F(kWinComponentTest, TimerFirstDelayThenRepeat)
{
    int ticks = 0;
    C->OnTimerTick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, C.get());
        ++ticks;
    };
    EXPECT_FALSE(C->TimerActive());
    C->StartTimer(500, 100);
    EXPECT_TRUE(C->TimerActive());
    EXPECT_EQ(C->CurrentTimerInterval(), 500u);
    C->StartTimer(7, 7);  // running: nothing changes
    EXPECT_EQ(C->CurrentTimerInterval(), 500u);
    C->TimerTick();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(C->CurrentTimerInterval(), 100u);
    C->TimerTick();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(C->CurrentTimerInterval(), 100u);
    C->StopTimer();
    EXPECT_FALSE(C->TimerActive());
    C->TimerTick();  // a late tick after stopping is ignored
    EXPECT_EQ(ticks, 2);

    C->StartTimer(0, 50);
    EXPECT_EQ(C->CurrentTimerInterval(), 50u);
    C->StopTimer();
    C->StartTimer(20, 0);  // one shot only
    C->TimerTick();
    EXPECT_FALSE(C->TimerActive());
    C->StartTimer(0, 0);
    EXPECT_FALSE(C->TimerActive());
}

TEST_F(kWinComponentTest, TimerTicksArriveThroughTheEventLoop)
{
    int ticks = 0;
    C->OnTimerTick = [&](TObject*) { ++ticks; };
    C->StartTimer(20, 10);
    QElapsedTimer waited;
    waited.start();
    while (ticks < 3 && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    C->StopTimer();
    EXPECT_GE(ticks, 3);
}

TEST_F(kWinComponentTest, ExportLevelsOutOfRangeAreRefusedAndWriteNothing)
{
    EXPECT_EQ(MessageOf([&] { C->SaveImageToJPEG(Path("a.jpg"), 0, false); }),
              "Compression must be in the range of 1-100");
    EXPECT_EQ(MessageOf([&] { C->SaveImageToJPEG(Path("a.jpg"), 101, false); }),
              "Compression must be in the range of 1-100");
    EXPECT_EQ(MessageOf([&] { C->GetJPEGImage(0, true); }), "Compression must be in the range of 1-100");
    EXPECT_EQ(MessageOf([&] { C->SaveImageToPNG(Path("a.png"), 10); }), "Compression must be in the range of 0-9");
    EXPECT_EQ(MessageOf([&] { C->SaveImageToPNG(Path("a.png"), -1); }), "Compression must be in the range of 0-9");
    EXPECT_TRUE(fs::is_empty(Dir));
}

TEST_F(kWinComponentTest, PngExportIsAValidPictureOfThePaint)
{
    const std::string file = Path("chart.png");
    C->SaveImageToPNG(file, 9);
    EXPECT_EQ(std::system(("pngcheck -q '" + file + "' >/dev/null").c_str()), 0);
    QImage img(QString::fromStdString(file));
    ASSERT_EQ(img.width(), 64);
    ASSERT_EQ(img.height(), 48);
    EXPECT_EQ(img.pixel(30, 30) & 0xFFFFFF, 0xFF0000u);  // clRed
    EXPECT_EQ(img.pixel(2, 2) & 0xFFFFFF, 0x0000FFu);    // clBlue
}

TEST_F(kWinComponentTest, JpegExportAndImage)
{
    const std::string file = Path("chart.jpg");
    C->SaveImageToJPEG(file, 90, true);
    QImage img(QString::fromStdString(file));
    ASSERT_EQ(img.width(), 64);
    const QRgb p = img.pixel(40, 40);
    EXPECT_GT(qRed(p), 200);
    EXPECT_LT(qBlue(p), 60);
    auto jpeg = C->GetJPEGImage(30, false);
    EXPECT_EQ(jpeg->GetCompressionQuality(), 30);
    EXPECT_FALSE(jpeg->GetProgressiveEncoding());
    EXPECT_FALSE(jpeg->GetGrayscale());
    EXPECT_EQ(jpeg->GetWidth(), 64);
}

TEST_F(kWinComponentTest, MetafileExportNamesItsCreator)
{
    const std::string file = Path("chart.emf");
    C->SaveImageToMetafile(file);
    const auto bytes = ReadFile(file);
    ASSERT_GT(bytes.size(), 88u);
    EXPECT_EQ(bytes[0], 1);  // header record
    EXPECT_EQ(std::string(bytes.begin() + 40, bytes.begin() + 44), " EMF");
    const std::string utf16{'O', 0, 'm', 0, 'b', 0, 'r', 0, 'i', 0, 'x', 0};
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(utf16), std::string::npos);
}

TEST_F(kWinComponentTest, FailedExportKeepsTheOldFileAndReleasesTheLock)
{
    const std::string file = Path("keep.png");
    C->SaveImageToPNG(file, 1);
    const auto before = ReadFile(file);
    C->Fail = true;
    EXPECT_EQ(MessageOf([&] { C->SaveImageToPNG(file, 1); }), "paint failed");
    EXPECT_EQ(MessageOf([&] { C->SaveImageToMetafile(Path("x.emf")); }), "paint failed");
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_FALSE(fs::exists(Path("x.emf")));
    // the lock is free again: another thread can take it
    bool taken = false;
    std::thread t([&] {
        C->Lock();
        taken = true;
        C->Unlock();
    });
    t.join();
    EXPECT_TRUE(taken);
}

TEST_F(kWinComponentTest, ExportsPaintUnderTheComponentLock)
{
    std::mutex m;
    std::vector<std::string> order;
    std::thread other;
    C->DuringPaint = [&] {
        other = std::thread([&] {
            C->Lock();
            {
                std::lock_guard<std::mutex> g(m);
                order.push_back("other thread locked");
            }
            C->Unlock();
        });
        std::lock_guard<std::mutex> g(m);
        order.push_back("paint ends");
    };
    C->SaveImageToPNG(Path("l.png"), 1);
    other.join();
    EXPECT_EQ(order, (std::vector<std::string>{"paint ends", "other thread locked"}));
}

TEST_F(kWinComponentTest, ASizeItsImagesCannotHaveIsRefusedAndTheOldSizeKept)
{
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        C->SetTransparent(transparent);
        EXPECT_EQ(MessageOf([&] { C->SetHeight(10011111); }), "Out of system resources");
        EXPECT_EQ(MessageOf([&] { C->SetWidth(10011111); }), "Out of system resources");
        EXPECT_EQ(MessageOf([&] { C->SetBounds(5, 6, 20000, 20000); }), "Out of system resources");
        EXPECT_EQ(C->GetBoundsRect(), TRect(0, 0, 64, 48));
        // The old size still paints.
        const std::string png = Path(transparent ? "t.png" : "o.png");
        C->SaveImageToPNG(png, 6);
        EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(64, 48));
    }
    // A size that fits is taken.
    C->SetHeight(50);
    EXPECT_EQ(C->GetHeight(), 50);
}

TEST_F(kWinComponentTest, APropertyFileSavedAfterARefusedSizeLoadsAgain)
{
    C->SetOptionSaveAllProperties(true);
    EXPECT_THROW(C->SetHeight(10011111), Exception);
    C->SavePropertiesToFile(Path("all.txt"));
    auto other = std::make_unique<TTestWin>(nullptr);
    EXPECT_NO_THROW(other->LoadPropertiesFromFile(Path("all.txt")));
    EXPECT_EQ(other->GetHeight(), 48);
    EXPECT_EQ(other->GetWidth(), 64);
}

TEST_F(kWinComponentTest, ReceivedValuesReachPropertiesByDottedName)
{
    std::vector<std::string> events;
    C->OnBeforeNewOPCData = [&](int Index, TkVariant& Data) {
        events.push_back("before " + std::to_string(Index));
        if (std::holds_alternative<std::string>(Data) && std::get<std::string>(Data) == "swap")
            Data = std::string("42");
    };
    C->OnNewOPCData = [&](int Index) { events.push_back("new " + std::to_string(Index)); };
    C->ReceiveOPCValue(2, "Font.Color", TkVariant(std::int64_t(255)), 0xC0);
    EXPECT_EQ(C->Font->GetColor(), 255);
    EXPECT_EQ(events, (std::vector<std::string>{"before 2", "new 2"}));
    C->ReceiveOPCValue(0, "LEVEL", TkVariant(std::string("swap")), 0xD8);
    EXPECT_EQ(C->Level, 42);
    C->ReceiveOPCValue(0, "Ratio", TkVariant(2.5), 0xC0);
    EXPECT_EQ(C->Ratio, 2.5);
    C->ReceiveOPCValue(0, "Caption", TkVariant(std::int64_t(7)), 0xC0);
    EXPECT_EQ(C->Caption, "7");
    C->ReceiveOPCValue(0, "Active", TkVariant(std::string("tRuE")), 0xC0);
    EXPECT_TRUE(C->Active);
    C->ReceiveOPCValue(0, "Active", TkVariant(std::string("0")), 0xC0);
    EXPECT_FALSE(C->Active);
    C->ReceiveOPCValue(0, "Active", TkVariant(std::string("yes")), 0xC0);
    EXPECT_TRUE(C->Active);
    C->ReceiveOPCValue(0, "Mode", TkVariant(std::int64_t(2)), 0xC0);
    EXPECT_EQ(C->Mode, 2);
    // bad quality: not written, still reported
    events.clear();
    C->ReceiveOPCValue(5, "Ratio", TkVariant(9.0), 0x40);
    EXPECT_EQ(C->Ratio, 2.5);
    EXPECT_EQ(events, (std::vector<std::string>{"before 5", "new 5"}));
    // no property name: nothing at all
    events.clear();
    C->ReceiveOPCValue(5, "", TkVariant(9.0), 0xC0);
    EXPECT_TRUE(events.empty());
    C->ReceiveOPCValue(5, "Nothing.Here", TkVariant(9.0), 0xC0);
    EXPECT_EQ(C->Ratio, 2.5);
}

TEST_F(kWinComponentTest, FailedApplyRaisesAndResetsTheApplyingFlag)
{
    EXPECT_THROW(C->ReceiveOPCValue(0, "Level", TkVariant(std::string("abc")), 0xC0), EConvertError);
    EXPECT_FALSE(C->ApplyingOPCValue());
    EXPECT_THROW(C->ReceiveOPCValue(0, "Mode", TkVariant(std::int64_t(7)), 0xC0), EConvertError);
    EXPECT_EQ(C->Mode, 0);
    EXPECT_FALSE(C->ApplyingOPCValue());
    // a later program change is not mistaken for one from OPC
    C->SetLevel(5);
    EXPECT_FALSE(C->SentBack);
}

TEST_F(kWinComponentTest, AValueFromOpcIsNotSentBack)
{
    C->ReceiveOPCValue(0, "Level", TkVariant(std::int64_t(3)), 0xC0);
    EXPECT_EQ(C->Level, 3);
    EXPECT_FALSE(C->SentBack);
    EXPECT_FALSE(C->ApplyingOPCValue());
}

TEST_F(kWinComponentTest, VariantText)
{
    EXPECT_EQ(VariantToText(TkVariant()), "");
    EXPECT_EQ(VariantToText(TkVariant(true)), "True");
    EXPECT_EQ(VariantToText(TkVariant(std::int64_t(-3))), "-3");
    EXPECT_EQ(VariantToText(TkVariant(0.5)), "0.5");
}

}  // namespace
