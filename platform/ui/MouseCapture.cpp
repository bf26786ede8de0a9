#include "ui/MouseCapture.h"

#include <QWidget>

namespace {

QWidget* Holder = nullptr;

}  // namespace

void CaptureMouse(QWidget* W)
{
    if (Holder && Holder != W)
        ReleaseCapture();
    // A hidden widget cannot grab; it still holds the capture once shown.
    if (W->isVisible())
        W->grabMouse();
    Holder = W;
}

QWidget* MouseCaptureWidget()
{
    return Holder;
}

void ReleaseCapture()
{
    if (Holder && QWidget::mouseGrabber() == Holder)
        Holder->releaseMouse();
    Holder = nullptr;
}
