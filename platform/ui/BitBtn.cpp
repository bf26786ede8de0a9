#include "ui/BitBtn.h"

#include <QBitmap>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

#include "ui/Bitmap.h"
#include "ui/GraphicsQt.h"

namespace {
QPushButton* ButtonOf(const TControl* C)
{
    return static_cast<QPushButton*>(C->Widget());
}
}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(new TBitmap) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    const QImage& Image = BitmapImage(*FGlyph);
    if (Image.isNull() || Image.width() == 0) {
        ButtonOf(this)->setIcon(QIcon());
        return;
    }
    // The bottom-left pixel's colour is transparent, as in the original.
    QPixmap Pixmap = QPixmap::fromImage(Image);
    Pixmap.setMask(QBitmap::fromImage(Image.createMaskFromColor(Image.pixel(0, Image.height() - 1), Qt::MaskInColor)));
    ButtonOf(this)->setIcon(QIcon(Pixmap));
    ButtonOf(this)->setIconSize(Image.size());
}
