#pragma once
// Root of the charting library's visual components: held and frame-rate
// limited repaints through the shared update service, a double-buffered
// paint through one drawing operation, background and border, relays of
// keyboard, mouse and focus input, bitmap export and property-text files.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "plot/core/kUpdateClient.h"
#include "rtl/PublishedList.h"
#include "ui/Control.h"
#include "ui/CustomControl.h"
#include "ui/PopupMenu.h"

class TBitmap;
class TGraphic;

PUBLISHED_ENUM(TkBevelStyle, kbsNone, kbsRaised, kbsLowered);

using TkAfterPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TkDesignModeEvent = std::function<void(TObject* Sender, bool& DesignMode)>;
// A value received from or sent to an OPC item.
using TkVariant = std::variant<std::monostate, bool, std::int64_t, double, std::string>;

class TkComponent : public TCustomControl, public IkUpdateClient {
    PUBLISHED_CLASS(TkComponent);

public:
    explicit TkComponent(TComponent* AOwner);
    ~TkComponent() override;

    // ---- published properties, most of them the control's own
    PUBLISHED_ACCESSORS(std::string, Name);
    PUBLISHED_VIA(std::intptr_t, Tag, Tag, Tag = Value, 0);
    PUBLISHED_ACCESSORS(int, Left);
    PUBLISHED_ACCESSORS(int, Top);
    PUBLISHED_ACCESSORS(int, Width);
    PUBLISHED_ACCESSORS(int, Height);
    PUBLISHED_ACCESSORS(TCursor, Cursor, crDefault);
    PUBLISHED_ACCESSORS(std::string, Hint);
    PUBLISHED_ACCESSORS(bool, Visible, true);
    PUBLISHED_ACCESSORS(bool, Enabled, true);
    PUBLISHED_ACCESSORS(bool, ShowHint);
    PUBLISHED_WITH(Object("PopupMenu", "TPopupMenu", &TkComponent::GetPopupMenu, false));
    PUBLISHED_EVENT(TNotifyEvent, OnClick);
    PUBLISHED_EVENT(TNotifyEvent, OnDblClick);
    PUBLISHED_EVENT(TMouseEvent, OnMouseDown);
    PUBLISHED_EVENT(TMouseMoveEvent, OnMouseMove);
    PUBLISHED_EVENT(TMouseEvent, OnMouseUp);
    PUBLISHED_EVENT(TKeyEvent, OnKeyDown);
    PUBLISHED_EVENT(TKeyPressEvent, OnKeyPress);
    PUBLISHED_EVENT(TKeyEvent, OnKeyUp);
    PUBLISHED_EVENT(TNotifyEvent, OnEnter);
    PUBLISHED_EVENT(TNotifyEvent, OnExit);
    PUBLISHED_WITH(Set("Anchors", "TAnchors", (std::vector<std::string>{"akLeft", "akTop", "akRight", "akBottom"}),
                       &TkComponent::GetAnchors, &TkComponent::SetAnchors, akLeft | akTop));
    PUBLISHED(bool, OptionSaveAllProperties, false, );
    bool GetAutoFrameRate() const { return FAutoFrameRate; }
    void SetAutoFrameRate(bool Value);
    PUBLISHED_ACCESSORS(bool, AutoFrameRate, false);
    // Repaints at most this many times a second while AutoFrameRate is on.
    int GetUpdateFrameRate() const override { return FUpdateFrameRate; }
    void SetUpdateFrameRate(int Value) { SetIntegerField(FUpdateFrameRate, Value, 1); }
    PUBLISHED_ACCESSORS(int, UpdateFrameRate, 60);

    // Update service interface.
    bool UpdateSkip() const override { return FUpdateHolds > 0; }
    bool UpdatePending() const override { return FRepaintPending; }
    double LastUpdateTime() const override { return FLastPaintTime; }
    void PerformUpdate() override { InvalidateNow(); }

    TColor GetBackGroundColor() const { return FBackGroundColor; }
    TkBevelStyle GetBorderStyle() const { return FBorderStyle; }
    bool GetCacheBackGround() const { return FCacheBackGround; }
    // Drawn stretched over the control instead of the colour; the
    // component takes ownership; null removes it.
    void SetBackGroundPicture(std::unique_ptr<TGraphic> Picture);
    TGraphic* GetBackGroundPicture() const { return FBackGroundPicture.get(); }

    const std::string& GetErrorText() const { return FErrorText; }
    void SetErrorText(const std::string& Value) { FErrorText = Value; }
    TFont* GetErrorFont() const { return FErrorFont.get(); }
    bool GetErrorActive() const { return FErrorActive; }
    void SetErrorActive(bool Value);

    bool GetFocused() const { return FFocused; }
    bool GetUserInput() const { return FUserInput; }
    bool GetBackGroundChanged() const { return FBackGroundChanged; }
    double GetLastPaintTime() const { return FLastPaintTime; }

    TkAfterPaintEvent OnAfterPaint;
    TkDesignModeEvent OnDesignMode;

    virtual TPoint GetCenterPoint() const;
    virtual void SetCacheBackGround(bool Value);
    virtual void SetBorderStyle(TkBevelStyle Value);
    virtual void SetBackGroundColor(TColor Value);
    virtual void DrawBackGround(TCanvas* ACanvas, TColor AColor);
    virtual void DrawBorder(TCanvas* ACanvas);
    virtual bool TimerActive() const = 0;
    virtual void StartTimer(int InitialDelay, int Interval) = 0;
    virtual void StopTimer() = 0;
    virtual bool SendOPCValue(const std::string& PropertyName, const TkVariant& Value);
    virtual void HandleGotFocus();
    virtual void HandleLostFocus();
    // Want is preset to whether the control takes the key for itself.
    virtual void HandleWantKeys(std::uint16_t Key, bool& Want);
    virtual void HandleKeyUp(std::uint16_t& Key, TShiftState Shift);
    virtual void HandleKeyDown(std::uint16_t& Key, TShiftState Shift);
    virtual void HandleKeyPress(char& Key);
    virtual void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void HandleMouseMove(TShiftState Shift, int X, int Y);
    virtual void HandleDblClick();
    virtual bool HandleMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);
    // Draws the whole component on a canvas of its size.
    virtual void PaintToCanvas(TCanvas* ACanvas) = 0;
    virtual void DoBackGroundChange();
    // Hold repaints until the matching EndUpdate; brackets nest, and only
    // the outermost EndUpdate paints what was requested meanwhile.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // Raise "Error Saving Properties - " / "Error Loading Properties - "
    // followed by the message of the failure.
    virtual void SavePropertiesToFile(const std::string& FileName);
    virtual void LoadPropertiesFromFile(const std::string& FileName);

    // Between these (they nest), repaint requests weigh the frame rate
    // against one reading of the clock, taken at the first of them: many
    // changes made at once read it once. ForgetClockReading after anything
    // that takes its time in between, so that the next request reads it
    // afresh.
    void BeginSharedClock() { ++FClockShares; }
    void EndSharedClock();
    void ForgetClockReading() { FClockRead = false; }
    // Repaint requests: held, frame-limited or immediate (see BeginUpdate,
    // AutoFrameRate, UpdateFrameRate).
    void InvalidateChange();
    void BackGroundChange();
    void InvalidateNow();
    bool IsLoading() const;
    bool IsDesignMode();
    // Kind of the writable, non-object property named by a dotted path
    // (ignoring case); tkUnknown when there is none.
    TTypeKind GetPropertyKind(const std::string& Name);
    // Paints the component (under its lock) into a bitmap saved as a BMP file.
    void SaveImageToBitmap(const std::string& FileName);

    // The double-buffered paint onto Target: PaintToCanvas into an
    // off-screen bitmap (a failure is drawn as its message, white on
    // black), the after-paint hook, one copy to Target; all under Lock.
    void PaintBuffered(TCanvas* Target);

    void SetEnabled(bool Value) override;

protected:
    // Whether Canvas is the off-screen bitmap's, which lives and measures
    // text alike from paint to paint.
    bool IsPaintBuffer(const TCanvas* Canvas) const;
    // Descendants' property setters: store a changed value, then change
    // kind 0 repaints (InvalidateChange), 1 changes the background, any
    // other does nothing more. (A published property declares its change
    // beside its field instead.)
    void SetIntegerField(int& Field, int Value, int ChangeKind);
    template <class T> void SetField(T& Field, T Value, int ChangeKind);

    // The cached background image at the control's size, made on demand
    // while background caching is on (null otherwise).
    TBitmap* GetCachedBackGround();

    // Set by descendants while they load stored settings.
    bool FLoading = false;
    int FCenterOffsetX = 0;
    int FCenterOffsetY = 0;

    void Paint() override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    bool WantKey(std::uint16_t Key) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;
    void DblClick() override;
    void FontChanged() override;

    // Runs Fn with the user-input flag set (cleared again even when Fn raises).
    template <class F> void AsUserInput(F&& Fn)
    {
        const bool saved = FUserInput;
        FUserInput = true;
        try {
            Fn();
        } catch (...) {
            FUserInput = saved;
            throw;
        }
        FUserInput = saved;
    }

private:
    void FrameDueRepaint();
    // The clock, or the reading shared since BeginSharedClock.
    double ClockNow();

    int FUpdateHolds = 0;  // open BeginUpdate brackets
    int FUpdateFrameRate = 60;
    double FLastPaintTime = 0;
    bool FRepaintPending = false;
    int FClockShares = 0;
    bool FClockRead = false;
    double FClockReading = 0;
    std::unique_ptr<TBitmap> FCachedBackGround;
    // The off-screen picture of the buffered paint, kept from paint to paint
    // so that a live chart does not make a new one many times a second.
    std::unique_ptr<TBitmap> FPaintBuffer;
    bool FPaintBufferInUse = false;
    std::unique_ptr<TGraphic> FBackGroundPicture;
    TColor FBackGroundColor = clBtnFace;
    bool FBackGroundChanged = true;
    TkBevelStyle FBorderStyle = kbsNone;
    bool FFocused = false;
    bool FAutoFrameRate = false;
    bool FCacheBackGround = true;
    bool FUserInput = false;
    bool FErrorActive = false;
    std::string FErrorText = "Error";
    std::unique_ptr<TFont> FErrorFont;
};
