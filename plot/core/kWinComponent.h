#pragma once
// What the windowed charting components share: the component lock, a
// one-shot-then-repeating timer, received OPC values written into
// published properties by dotted name, transparency, and image export as
// enhanced metafile, JPEG and PNG.
#include <memory>
#include <string>

#include "plot/core/kComponent.h"
#include "plot/core/kOPCVariant.h"
#include "rtl/CriticalSection.h"

class TTimer;
class TJPEGImage;
class TkOPCItemManager;

using TIndexObjectEvent = std::function<void(int Index)>;
using TBeforeOPCNewDataEvent = std::function<void(int Index, TkVariant& Data)>;

class TkWinComponent : public TkComponent {
    PUBLISHED_CLASS(TkWinComponent);

public:
    explicit TkWinComponent(TComponent* AOwner);
    ~TkWinComponent() override;

    void Lock() override;
    void Unlock() override;

    bool TimerActive() const override { return FTimerId != 0; }
    // Nothing while a timer runs. The first tick comes after InitialDelay
    // ms (or after Interval when InitialDelay is 0), then every Interval ms.
    void StartTimer(int InitialDelay, int Interval) override;
    void StopTimer() override;
    // Called on every tick.
    TNotifyEvent OnTimerTick;

    bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    TIndexObjectEvent OnNewOPCData;
    PUBLISHED_EVENT(TIndexObjectEvent, OnNewOPCData);
    TBeforeOPCNewDataEvent OnBeforeNewOPCData;
    PUBLISHED_EVENT(TBeforeOPCNewDataEvent, OnBeforeNewOPCData);

    // A value received for the item at Index, bound to PropertyName: passes
    // through OnBeforeNewOPCData; with good quality the OPC value hook may
    // take it, else it is written into the property; then OnNewOPCData.
    // While this runs, SendOPCValue sends nothing back.
    void ReceiveOPCValue(int Index, const std::string& PropertyName, const TkVariant& Value, int Quality);
    bool ApplyingOPCValue() const { return FApplyingOPCValue; }
    // Called by property setters: a change that came from OPC is not sent
    // back; otherwise every live item bound to PropertyName sends Value.
    bool SendOPCValue(const std::string& PropertyName, const TkVariant& Value) override;
    // The items bound to published properties, stored as "OPCItems".
    TkOPCItemManager* GetOPCItems() const { return FOPCItems.get(); }
    void DefineProperties(TFiler& Filer) override;

    // Exports, each painted under the component's lock and written through
    // a temporary file. JPEG compression must be 1..100, PNG level 0..9,
    // else "Compression must be in the range of 1-100" / "... 0-9".
    void SaveImageToMetafile(const std::string& FileName);
    void SaveImageToJPEG(const std::string& FileName, int Compression, bool Progressive);
    std::unique_ptr<TJPEGImage> GetJPEGImage(int Compression, bool Progressive);
    void SaveImageToPNG(const std::string& FileName, int CompressionLevel);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void DrawBackGround(TCanvas* ACanvas, TColor AColor) override;

protected:
    // Lets a descendant take a received value itself (returns True).
    virtual bool OPCValueHook(const std::string& PropertyName, const TkVariant& Value);
    void TimerTick();
    unsigned CurrentTimerInterval() const;

    bool FSuppressBackGround = false;

private:
    void CheckCompression(int Value, int Low, int High) const;
    // Both images at a size of at least 1 x 1, or neither changed.
    void ResizeImages(int AWidth, int AHeight);
    std::unique_ptr<TBitmap> PaintToBitmap();

    TCriticalSection FSection;
    bool FTransparent = false;
    std::unique_ptr<TBitmap> FParentImage;
    bool FApplyingOPCValue = false;
    std::unique_ptr<TkOPCItemManager> FOPCItems;
    std::unique_ptr<TTimer> FTimer;
    int FTimerId = 0;
    bool FFirstShot = false;
    int FRepeatInterval = 0;
};

// Writes Value, as text, into the property of Instance named by a dotted
// path (owned sub-objects only): ordinal kinds as integers (for
// enumerations "True"/"False" count as 1/0, and a two-valued one takes
// any other text than "0" as 1; out of range raises EConvertError),
// floating point and strings as such; other kinds and unknown names are
// left alone. A text that does not convert raises EConvertError.
void WriteOPCValueToProperty(TObject* Instance, const std::string& PropertyName, const TkVariant& Value);
// The text of a received value.
std::string VariantToText(const TkVariant& Value);
