// The paint clock hands paint events on itself: the widget must get the
// same events as without it, each once, and the file must count the CPU
// time spent in them once.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <fcntl.h>
#include <string>
#include <time.h>
#include <unistd.h>

#include "PaintClock.h"

namespace {

// Widgets need a Qt application; made before the first test and destroyed
// after the last.
class TWidgetsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { FApp = std::make_unique<QApplication>(FArgc, FArgv); }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FName[17] = "paint-clock-test";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApp;
};

::testing::Environment* const WidgetsEnvironment = ::testing::AddGlobalTestEnvironment(new TWidgetsEnvironment);

std::int64_t ThreadCpuNs()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

constexpr std::int64_t SpinNs = 20000000;

// Spends Ns of the thread's CPU time.
void Spin(std::int64_t Ns)
{
    const std::int64_t End = ThreadCpuNs() + Ns;
    while (ThreadCpuNs() < End) {
    }
}

// Spends SpinNs of its thread's CPU time in each paint, and in a user
// event, which is no painting; keeps what its paint events looked like.
class TBusyWidget : public QWidget {
public:
    int Paints = 0;
    int SpontaneousPaints = 0;

protected:
    void paintEvent(QPaintEvent* Event) override
    {
        ++Paints;
        SpontaneousPaints += Event->spontaneous();
        Spin(SpinNs);
    }
    bool event(QEvent* Event) override
    {
        if (Event->type() != QEvent::User)
            return QWidget::event(Event);
        Spin(SpinNs);
        return true;
    }
};

// Counts the paint events its widget's own filters see.
class TPaintCounter : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        Paints += Event->type() == QEvent::Paint;
        return false;
    }
};

struct TSeen {
    int Paints, SpontaneousPaints, Filtered;
};

// A shown widget painted once more by repaint(), which goes through an
// update request to the window as every repaint does.
TSeen RepaintOnce(TBusyWidget& W, TPaintCounter& Counter)
{
    W.Paints = W.SpontaneousPaints = Counter.Paints = 0;
    W.repaint();
    return {W.Paints, W.SpontaneousPaints, Counter.Paints};
}

// The widget painted into a picture: a paint event with no update
// request around it.
TSeen GrabOnce(TBusyWidget& W, TPaintCounter& Counter)
{
    W.Paints = W.SpontaneousPaints = Counter.Paints = 0;
    W.grab();
    return {W.Paints, W.SpontaneousPaints, Counter.Paints};
}

class PaintClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char Pattern[] = "/tmp/paint-clock-XXXXXX";
        FFd = ::mkstemp(Pattern);
        ASSERT_GE(FFd, 0);
        FPath = Pattern;
        const std::int64_t Stale = 12345;
        ASSERT_EQ(::pwrite(FFd, &Stale, sizeof Stale, 0), ssize_t(sizeof Stale));
        FWidget.resize(100, 80);
        FWidget.installEventFilter(&FCounter);
        FWidget.show();
        while (FWidget.Paints == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    void TearDown() override
    {
        ::close(FFd);
        ::unlink(FPath.c_str());
    }

    std::int64_t Counted() const
    {
        std::int64_t Ns = -1;
        return ::pread(FFd, &Ns, sizeof Ns, 0) == ssize_t(sizeof Ns) ? Ns : -1;
    }

    std::string FPath;
    int FFd = -1;
    TBusyWidget FWidget;
    TPaintCounter FCounter;
};

TEST_F(PaintClockTest, TheWidgetGetsTheSamePaintEventsAsWithoutIt)
{
    for (const auto PaintOnce : {RepaintOnce, GrabOnce}) {
        const TSeen Without = PaintOnce(FWidget, FCounter);
        EXPECT_EQ(Without.Paints, 1);
        EXPECT_EQ(Without.SpontaneousPaints, 1);
        TPaintClock Clock(QString::fromStdString(FPath));
        ASSERT_TRUE(Clock.Counting());
        const TSeen With = PaintOnce(FWidget, FCounter);
        EXPECT_EQ(With.Paints, Without.Paints);
        EXPECT_EQ(With.SpontaneousPaints, Without.SpontaneousPaints);
        EXPECT_EQ(With.Filtered, Without.Filtered);
    }
}

TEST_F(PaintClockTest, CountsAPaintInsideAnUpdateRequestOnce)
{
    TPaintClock Clock(QString::fromStdString(FPath));
    ASSERT_TRUE(Clock.Counting());
    EXPECT_EQ(Counted(), 0);
    RepaintOnce(FWidget, FCounter);
    const std::int64_t One = Counted();
    // The widget's own paint, and Qt's little work around it; twice the
    // paint would be a paint counted in the update request and again.
    EXPECT_GE(One, SpinNs);
    EXPECT_LT(One, 2 * SpinNs);
    GrabOnce(FWidget, FCounter);
    EXPECT_GE(Counted() - One, SpinNs);
    EXPECT_LT(Counted() - One, 2 * SpinNs);
}

TEST_F(PaintClockTest, CountsNothingOutsidePainting)
{
    TPaintClock Clock(QString::fromStdString(FPath));
    ASSERT_TRUE(Clock.Counting());
    QEvent Other(QEvent::User);
    QCoreApplication::sendEvent(&FWidget, &Other);
    Spin(SpinNs);
    EXPECT_EQ(Counted(), 0);
}

TEST(PaintClockFileTest, AFileThatCannotBeMappedCountsNothing)
{
    const TPaintClock Clock(QStringLiteral("/nonexistent/paint-cpu"));
    EXPECT_FALSE(Clock.Counting());
}

// The count stored into an empty file's mapping would end the program
// with SIGBUS.
TEST(PaintClockFileTest, AnEmptyFileCountsNothing)
{
    char Pattern[] = "/tmp/paint-clock-XXXXXX";
    const int Fd = ::mkstemp(Pattern);
    ASSERT_GE(Fd, 0);
    {
        const TPaintClock Clock(QString::fromLatin1(Pattern));
        EXPECT_FALSE(Clock.Counting());
    }
    ::close(Fd);
    ::unlink(Pattern);
}

}  // namespace
