#include "plot/core/kWinComponent.h"

#include <algorithm>

#include "plot/core/kOPCItemManager.h"
#include "png/pngimage.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/StrUtils.h"
#include "rtl/Writer.h"
#include "ui/Bitmap.h"
#include "ui/JPEGImage.h"
#include "ui/Metafile.h"
#include "ui/MetafileCanvas.h"
#include "ui/Timer.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkWinComponent, TkComponent>("TkWinComponent");
    return true;
}();

// Clears a flag however the scope is left.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

}  // namespace

std::string VariantToText(const TkVariant& Value)
{
    struct TVisitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return FloatToStr(v); }
        std::string operator()(const std::string& v) const { return v; }
    };
    return std::visit(TVisitor{}, Value);
}

void WriteOPCValueToProperty(TObject* Instance, const std::string& PropertyName, const TkVariant& Value)
{
    const TPropLocation location = FindPropertyByPath(Instance, PropertyName);
    if (!location || !location.Info->IsWritable())
        return;
    const TPropInfo& p = *location.Info;
    std::string text = VariantToText(Value);
    switch (p.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkChar:
    case TTypeKind::tkSet: SetOrdProp(location.Instance, p, StrToInt64(text)); break;
    case TTypeKind::tkEnumeration:
        if (SameText(text, "True"))
            text = "1";
        else if (SameText(text, "False"))
            text = "0";
        if (p.MinValue == 0 && p.MaxValue == 1 && text != "0")
            text = "1";
        SetOrdProp(location.Instance, p, StrToInt64(text));
        break;
    case TTypeKind::tkFloat: SetFloatProp(location.Instance, p, StrToFloat(text)); break;
    case TTypeKind::tkString: SetStrProp(location.Instance, p, text); break;
    default: break;
    }
}

TkWinComponent::TkWinComponent(TComponent* AOwner) : TkComponent(AOwner), FTimer(std::make_unique<TTimer>(nullptr))
{
    (void)Registered;
    TkOPCItemManager::TOwnerLinks links;
    links.DesignMode = [this] { return IsDesignMode(); };
    links.ValueReceived = [this](TkOPCItem* Item) {
        ReceiveOPCValue(FOPCItems->IndexOf(Item), Item->GetPropertyName(), Item->GetValue().Value, Item->GetQuality());
    };
    links.PropertyKind = [this](const std::string& Name) { return GetPropertyKind(Name); };
    links.Owner = this;
    FOPCItems = std::make_unique<TkOPCItemManager>(std::move(links));
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [this](TObject*) { TimerTick(); };
}

TkWinComponent::~TkWinComponent()
{
    // From here on Lock and Unlock leave the critical section alone.
    Destroying();
    StopTimer();
    // The items ask this component about design mode as they disconnect.
    FOPCItems.reset();
}

void TkWinComponent::Lock()
{
    if (!IsDestroying())
        FSection.Enter();
}

void TkWinComponent::Unlock()
{
    if (!IsDestroying())
        FSection.Leave();
}

void TkWinComponent::StartTimer(int InitialDelay, int Interval)
{
    if (TimerActive())
        return;
    FRepeatInterval = Interval;
    if (InitialDelay != 0) {
        FFirstShot = true;
        FTimer->SetInterval(static_cast<unsigned>(std::max(InitialDelay, 1)));
    } else if (Interval != 0) {
        FFirstShot = false;
        FTimer->SetInterval(static_cast<unsigned>(std::max(Interval, 1)));
    } else {
        return;
    }
    FTimerId = 1;
    FTimer->SetEnabled(true);
}

void TkWinComponent::StopTimer()
{
    FTimer->SetEnabled(false);
    FTimerId = 0;
    FFirstShot = false;
}

unsigned TkWinComponent::CurrentTimerInterval() const
{
    return FTimer->GetInterval();
}

void TkWinComponent::TimerTick()
{
    if (!TimerActive())
        return;
    if (FFirstShot) {
        FFirstShot = false;
        if (FRepeatInterval > 0)
            FTimer->SetInterval(static_cast<unsigned>(FRepeatInterval));
        else
            StopTimer();  // no repeat interval: the first shot was the only one
    }
    if (OnTimerTick)
        OnTimerTick(this);
}

void TkWinComponent::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    if (Value)
        FParentImage = std::make_unique<TBitmap>(std::max(GetWidth(), 1), std::max(GetHeight(), 1));
    else
        FParentImage.reset();
    BackGroundChange();
}

void TkWinComponent::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == GetLeft() && ATop == GetTop() && AWidth == GetWidth() && AHeight == GetHeight())
        return;
    // The images go first: a size they cannot have is refused whole, and
    // the control keeps the size it had (a kept size that cannot be drawn
    // would also be saved into property files that then never load).
    ResizeImages(AWidth, AHeight);
    TkComponent::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A resize handler may have given the control another size.
    ResizeImages(GetWidth(), GetHeight());
    BackGroundChange();
}

void TkWinComponent::ResizeImages(int AWidth, int AHeight)
{
    if (AWidth < 1 || AHeight < 1)
        return;
    TBitmap* cache = GetCachedBackGround();
    const int oldWidth = FParentImage ? FParentImage->GetWidth() : 0;
    const int oldHeight = FParentImage ? FParentImage->GetHeight() : 0;
    if (FParentImage)
        FParentImage->SetSize(AWidth, AHeight);
    try {
        if (cache)
            cache->SetSize(AWidth, AHeight);
    } catch (...) {
        if (FParentImage)
            FParentImage->SetSize(oldWidth, oldHeight);
        throw;
    }
}

void TkWinComponent::DrawBackGround(TCanvas* ACanvas, TColor AColor)
{
    if (FSuppressBackGround)
        return;
    if (FTransparent && FParentImage) {
        // What lies behind the control cannot be read back here: the
        // picture behind it is its parent's colour.
        const TColor behind = GetParent() ? GetParent()->GetColor() : GetBackGroundColor();
        FParentImage->Canvas->Brush->SetStyle(bsSolid);
        FParentImage->Canvas->Brush->SetColor(behind);
        FParentImage->Canvas->FillRect(TRect(0, 0, FParentImage->GetWidth(), FParentImage->GetHeight()));
        ACanvas->Draw(0, 0, FParentImage.get());
        return;
    }
    TkComponent::DrawBackGround(ACanvas, AColor);
}

bool TkWinComponent::OPCValueHook(const std::string&, const TkVariant&)
{
    return false;
}

void TkWinComponent::ReceiveOPCValue(int Index, const std::string& PropertyName, const TkVariant& Value, int Quality)
{
    if (PropertyName.empty())
        return;
    TkVariant data = Value;
    if (OnBeforeNewOPCData)
        OnBeforeNewOPCData(Index, data);
    // Reset even when writing the value fails.
    TFlagGuard applying(FApplyingOPCValue);
    if (OPCQualityIsGood(Quality) && !OPCValueHook(PropertyName, data))
        WriteOPCValueToProperty(this, PropertyName, data);
    if (OnNewOPCData)
        OnNewOPCData(Index);
}

bool TkWinComponent::SendOPCValue(const std::string& PropertyName, const TkVariant& Value)
{
    // A change made while a received value is applied came from OPC: it is
    // not sent back (and the next one is the program's own again).
    if (FApplyingOPCValue) {
        FApplyingOPCValue = false;
        return false;
    }
    bool sent = false;
    for (int i = 0; i < FOPCItems->Count(); ++i) {
        const TkOPCItem* item = FOPCItems->Items(i);
        if (SameText(item->GetPropertyName(), PropertyName) && item->Active()) {
            item->SendData(Value);
            sent = true;
        }
    }
    return sent;
}

void TkWinComponent::DefineProperties(TFiler& Filer)
{
    TkComponent::DefineProperties(Filer);
    // A full image (written to restore after a failed read) says "none"
    // too, so that reading it back empties what the failed read filled.
    const auto* writer = dynamic_cast<const TWriter*>(&Filer);
    Filer.DefineProperty(
        "OPCItems", [this](TReader& R) { FOPCItems->ReadItems(R); }, [this](TWriter& W) { FOPCItems->WriteItems(W); },
        (writer && writer->WriteDefaults) || FOPCItems->HasItems());
}

void TkWinComponent::CheckCompression(int Value, int Low, int High) const
{
    if (Value < Low || Value > High)
        throw Exception("Compression must be in the range of " + std::to_string(Low) + "-" + std::to_string(High));
}

std::unique_ptr<TBitmap> TkWinComponent::PaintToBitmap()
{
    auto bitmap = std::make_unique<TBitmap>(std::max(GetWidth(), 0), std::max(GetHeight(), 0));
    Lock();
    try {
        bitmap->Canvas->Lock();
        try {
            PaintToCanvas(bitmap->Canvas);
        } catch (...) {
            bitmap->Canvas->Unlock();
            throw;
        }
        bitmap->Canvas->Unlock();
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
    return bitmap;
}

void TkWinComponent::SaveImageToMetafile(const std::string& FileName)
{
    TMetafile metafile;
    metafile.SetWidth(GetWidth());
    metafile.SetHeight(GetHeight());
    Lock();
    try {
        TMetafileCanvas canvas(&metafile, nullptr, "Ombrix", "");
        PaintToCanvas(&canvas);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
    metafile.SaveToFile(FileName);
}

std::unique_ptr<TJPEGImage> TkWinComponent::GetJPEGImage(int Compression, bool Progressive)
{
    CheckCompression(Compression, 1, 100);
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->SetCompressionQuality(Compression);
    jpeg->SetPerformance(jpBestQuality);
    jpeg->SetGrayscale(false);
    jpeg->SetProgressiveEncoding(Progressive);
    const std::unique_ptr<TBitmap> bitmap = PaintToBitmap();
    jpeg->Assign(bitmap.get());
    jpeg->Compress();
    return jpeg;
}

void TkWinComponent::SaveImageToJPEG(const std::string& FileName, int Compression, bool Progressive)
{
    GetJPEGImage(Compression, Progressive)->SaveToFile(FileName);
}

void TkWinComponent::SaveImageToPNG(const std::string& FileName, int CompressionLevel)
{
    CheckCompression(CompressionLevel, 0, 9);
    const std::unique_ptr<TBitmap> bitmap = PaintToBitmap();
    TPNGObject png;
    png.Assign(bitmap.get());
    png.SetCompressionLevel(CompressionLevel);
    png.SaveToFile(FileName);
}
