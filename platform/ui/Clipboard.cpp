#include "ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <map>

#include "ui/Application.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"

namespace {

std::map<std::string, unsigned> Registered;
unsigned NextFormat = 0xC000;
// Formats collected between Open and Close, placed at once on Close.
QMimeData* Pending = nullptr;

QClipboard* SystemClipboard()
{
    Application.Get();
    return QGuiApplication::clipboard();
}

QString MimeType(unsigned Format)
{
    if (Format == CF_TEXT)
        return "text/plain";
    if (Format == CF_ENHMETAFILE)
        return "image/x-emf";
    for (const auto& [Name, Number] : Registered)
        if (Number == Format)
            return Name.find('/') != std::string::npos ? QStr(Name) : "application/x-" + QStr(Name);
    return "application/x-clipboard-format-" + QString::number(Format);
}

// The data to add to: the pending set while open, else a fresh one.
QMimeData* Target(int OpenCount)
{
    if (OpenCount > 0) {
        if (!Pending)
            Pending = new QMimeData;
        return Pending;
    }
    return new QMimeData;
}

void Place(QMimeData* Data, int OpenCount)
{
    if (OpenCount == 0)
        SystemClipboard()->setMimeData(Data);
}

}  // namespace

std::string TClipboard::GetAsText() const
{
    return StdStr(SystemClipboard()->text());
}

void TClipboard::SetAsText(const std::string& Value)
{
    QMimeData* Data = Target(FOpenCount);
    Data->setText(QStr(Value));
    Place(Data, FOpenCount);
}

void TClipboard::Assign(const TBitmap& Bitmap)
{
    QMimeData* Data = Target(FOpenCount);
    Data->setImageData(BitmapImage(Bitmap));
    Place(Data, FOpenCount);
}

bool TClipboard::GetBitmap(TBitmap& Bitmap) const
{
    const QMimeData* Data = SystemClipboard()->mimeData();
    if (!Data || !Data->hasImage())
        return false;
    SetBitmapImage(Bitmap, qvariant_cast<QImage>(Data->imageData()));
    return true;
}

void TClipboard::SetBuffer(unsigned Format, const std::string& Bytes)
{
    if (Format == CF_TEXT) {
        SetAsText(Bytes);
        return;
    }
    QMimeData* Data = Target(FOpenCount);
    Data->setData(MimeType(Format), QByteArray(Bytes.data(), qsizetype(Bytes.size())));
    Place(Data, FOpenCount);
}

std::string TClipboard::GetBuffer(unsigned Format) const
{
    const QMimeData* Data = SystemClipboard()->mimeData();
    if (!Data)
        return {};
    if (Format == CF_TEXT)
        return StdStr(Data->text());
    const QByteArray Bytes = Data->data(MimeType(Format));
    return std::string(Bytes.constData(), size_t(Bytes.size()));
}

bool TClipboard::HasFormat(unsigned Format) const
{
    const QMimeData* Data = SystemClipboard()->mimeData();
    if (!Data)
        return false;
    if (Format == CF_TEXT)
        return Data->hasText();
    if (Format == CF_BITMAP)
        return Data->hasImage();
    return Data->hasFormat(MimeType(Format));
}

void TClipboard::Clear()
{
    if (FOpenCount > 0) {
        delete Pending;
        Pending = nullptr;
    }
    SystemClipboard()->clear();
}

void TClipboard::Open()
{
    if (FOpenCount++ == 0) {
        delete Pending;
        Pending = nullptr;
    }
}

void TClipboard::Close()
{
    if (FOpenCount == 0 || --FOpenCount > 0)
        return;
    if (Pending)
        SystemClipboard()->setMimeData(Pending);
    Pending = nullptr;
}

TClipboard* Clipboard()
{
    static TClipboard The;
    return &The;
}

unsigned RegisterClipboardFormat(const std::string& Name)
{
    auto It = Registered.find(Name);
    if (It != Registered.end())
        return It->second;
    Registered[Name] = NextFormat;
    return NextFormat++;
}
