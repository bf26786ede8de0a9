#include "ui/Screenshot.h"

#include <QPixmap>
#include <QWidget>

#include "rtl/Exception.h"
#include "ui/Control.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

namespace {

QImage Grab(TControl* Control)
{
    QWidget* W = Control->Widget();
    W->ensurePolished();
    return W->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void GrabControl(TControl* Control, TBitmap& Bitmap)
{
    SetBitmapImage(Bitmap, Grab(Control));
}

void SaveScreenshot(TControl* Control, const std::string& FileName)
{
    if (!Grab(Control).save(QStr(FileName), "PNG"))
        throw EInOutError("Cannot write the screenshot " + FileName);
}
