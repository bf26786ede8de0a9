#include "SessionDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QToolTip>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

QWidget* Named(const char* Name)
{
    for (QWidget* W : QApplication::allWidgets())
        if (W->objectName() == QLatin1String(Name))
            return W;
    return nullptr;
}

template <class T> T* VisibleOf()
{
    for (QWidget* W : QApplication::topLevelWidgets())
        if (auto* Found = qobject_cast<T*>(W); Found && Found->isVisible())
            return Found;
    return nullptr;
}

// A visible tool button with a hint inside a device frame.
QAbstractButton* HintedDeviceButton()
{
    QWidget* Devices = Named("srxDevices");
    if (!Devices)
        return nullptr;
    for (QAbstractButton* B : Devices->findChildren<QAbstractButton*>())
        if (B->isVisible() && !B->toolTip().isEmpty())
            return B;
    return nullptr;
}

// Clicks later, from the event loop: a click that opens a modal dialog
// must not run inside this driver's own timer tick.
void ClickLater(QWidget* W)
{
    if (auto* B = qobject_cast<QAbstractButton*>(W))
        QMetaObject::invokeMethod(B, "click", Qt::QueuedConnection);
}

void Say(const QString& Text)
{
    std::printf("driver: %s\n", Text.toUtf8().constData());
    std::fflush(stdout);
}

}  // namespace

TSessionDriver::TSessionDriver(const QString& Script) : FSteps(Script.split(QLatin1Char('+'), Qt::SkipEmptyParts))
{
    if (const QString PaintCpu = qEnvironmentVariable("SESSION_DRIVER_PAINT_CPU"); !PaintCpu.isEmpty()) {
        FPaintClock = std::make_unique<TPaintClock>(PaintCpu);
        if (!FPaintClock->Counting()) {
            Say(QStringLiteral("cannot map ") + PaintCpu);
            ::_exit(96);
        }
    }
    FTimer.setInterval(20);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
    FStepClock.start();
}

void TSessionDriver::Poll()
{
    if (FStepClock.elapsed() > 20000) {
        Say(QStringLiteral("stuck at ") + (FIndex < 0 ? QStringLiteral("start") : FSteps.value(FIndex)));
        ::_exit(97);
    }
    if (FIndex < 0) {
        QWidget* Main = Named("frmMain");
        if (!Main || !Main->isVisible())
            return;
        FIndex = 0;
        FStepClock.restart();
    }
    if (FIndex >= FSteps.size()) {
        FTimer.stop();
        return;
    }
    if (FSteps[FIndex] == QLatin1String("wait")) {
        WaitForCaller();
        return;
    }
    if (!Perform(FSteps[FIndex]))
        return;
    StepDone();
}

void TSessionDriver::StepDone()
{
    Say(FSteps[FIndex] + QStringLiteral(" done"));
    ++FIndex;
    FStepClock.restart();
}

// The timer stops meanwhile: a benchmark measures the program, and a
// driver ticking 50 times a second would count in it.
void TSessionDriver::WaitForCaller()
{
    FTimer.stop();
    FCaller = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(FCaller.get(), &QSocketNotifier::activated, [this] {
        char C = 0;
        const ssize_t N = ::read(STDIN_FILENO, &C, 1);
        if (N == 1 && C != '\n')
            return;
        FCaller->setEnabled(false);
        FCaller.release()->deleteLater();
        StepDone();
        FTimer.start();
    });
}

bool TSessionDriver::Perform(const QString& Step)
{
    if (Step == QLatin1String("hint")) {
        // Hovering again until the hint is up: a hint may close at once
        // when the offscreen pointer is elsewhere.
        QAbstractButton* B = HintedDeviceButton();
        if (!B)
            return false;
        const QPoint Centre = B->rect().center();
        QHelpEvent Hover(QEvent::ToolTip, Centre, B->mapToGlobal(Centre));
        QApplication::sendEvent(B, &Hover);
        return QToolTip::isVisible() && QToolTip::text() == B->toolTip();
    }
    if (Step == QLatin1String("record") || Step == QLatin1String("exit")) {
        QWidget* B = Named(Step == QLatin1String("record") ? "btnRecord" : "btnExit");
        if (!B || !B->isEnabled())
            return false;
        ClickLater(B);
        return true;
    }
    if (Step == QLatin1String("close")) {
        QMetaObject::invokeMethod(Named("frmMain"), "close", Qt::QueuedConnection);
        return true;
    }
    if (Step == QLatin1String("running")) {
        QWidget* Stop = Named("btnStop");
        return Stop && Stop->isEnabled();
    }
    if (Step == QLatin1String("file")) {
        QFileDialog* Dialog = VisibleOf<QFileDialog>();
        if (!Dialog)
            return false;
        // Typed as a user would: the dialog does not let selectFile
        // overwrite the name field while that has the focus.
        auto* Name = Dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!Name)
            return false;
        Name->setText(QStringLiteral("session.csv"));
        QMetaObject::invokeMethod(Dialog, "accept", Qt::QueuedConnection);
        return true;
    }
    if (Step == QLatin1String("ok") || Step == QLatin1String("yes")) {
        QMessageBox* Box = VisibleOf<QMessageBox>();
        if (!Box)
            return false;
        Say(QStringLiteral("message box: ") + Box->text());
        QAbstractButton* Answer = Box->button(Step == QLatin1String("ok") ? QMessageBox::Ok : QMessageBox::Yes);
        if (!Answer)
            return false;
        ClickLater(Answer);
        return true;
    }
    Say(QStringLiteral("unknown step ") + Step);
    ::_exit(98);
}
