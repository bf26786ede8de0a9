#include "plot/core/kComponent.h"

#include "plot/core/kGPFunctions.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kUpdateObject.h"
#include "rtl/Exception.h"
#include "rtl/PublishedList.h"
#include "rtl/StringList.h"
#include "ui/Bitmap.h"
#include "ui/Keys.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkComponent>("TkComponent");
    return true;
}();

}  // namespace

TkComponent::TkComponent(TComponent* AOwner)
    : TCustomControl(AOwner),
      FLastPaintTime(TkUpdateObject::Now()),
      FErrorFont(std::make_unique<TFont>())
{
    (void)Registered;
    RegisterGraphicsProperties();
    FErrorFont->SetColor(clRed);
    FErrorFont->SetStyle(TFontStyles{fsBold});
    FErrorFont->OnChange = [this](TObject*) { InvalidateChange(); };
    TkUpdateObject::Instance().Register(this);
}

TkComponent::~TkComponent()
{
    TkUpdateObject::Instance().Unregister(this);
}

void TkComponent::SetAutoFrameRate(bool Value)
{
    if (Value == FAutoFrameRate)
        return;
    FAutoFrameRate = Value;
    if (Value)
        BackGroundChange();
    else if (FUpdateHolds == 0 && FRepaintPending)
        // What the frame limit held back is painted now; a bracket still
        // holds it until its end.
        FrameDueRepaint();
}

void TkComponent::SetBackGroundPicture(std::unique_ptr<TGraphic> Picture)
{
    FBackGroundPicture = std::move(Picture);
    BackGroundChange();
}

void TkComponent::SetErrorActive(bool Value)
{
    FErrorActive = Value;
    BackGroundChange();
}

TPoint TkComponent::GetCenterPoint() const
{
    return Point(GetWidth() / 2 + FCenterOffsetX, GetHeight() / 2 + FCenterOffsetY);
}

void TkComponent::SetCacheBackGround(bool Value)
{
    if (Value == FCacheBackGround)
        return;
    FCacheBackGround = Value;
    if (!Value)
        FCachedBackGround.reset();
    BackGroundChange();
}

void TkComponent::SetBorderStyle(TkBevelStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    BackGroundChange();
}

void TkComponent::SetBackGroundColor(TColor Value)
{
    if (Value == FBackGroundColor)
        return;
    FBackGroundColor = Value;
    BackGroundChange();
}

void TkComponent::DrawBackGround(TCanvas* ACanvas, TColor AColor)
{
    FBackGroundChanged = false;
    const TRect all(0, 0, GetWidth(), GetHeight());
    if (FBackGroundPicture && FBackGroundPicture->GetWidth() != 0) {
        ACanvas->StretchDraw(all, FBackGroundPicture.get());
        return;
    }
    ACanvas->Brush->SetStyle(bsSolid);
    ACanvas->Brush->SetColor(AColor);
    ACanvas->FillRect(all);
    DrawBorder(ACanvas);
}

void TkComponent::DrawBorder(TCanvas* ACanvas)
{
    const TRect all(0, 0, GetWidth(), GetHeight());
    if (FBorderStyle == kbsRaised)
        ::DrawBorder(ACanvas, all, 1);
    else if (FBorderStyle == kbsLowered)
        ::DrawBorder(ACanvas, all, 0);
}

bool TkComponent::SendOPCValue(const std::string&, const TkVariant&)
{
    return false;
}

void TkComponent::HandleGotFocus()
{
    FFocused = true;
    Invalidate();
}

void TkComponent::HandleLostFocus()
{
    FFocused = false;
    HandleMouseUp(mbLeft, 0, 0, 0);  // ends a press in progress
    Invalidate();
}

void TkComponent::HandleWantKeys(std::uint16_t, bool&) {}
void TkComponent::HandleKeyUp(std::uint16_t&, TShiftState) {}
void TkComponent::HandleKeyDown(std::uint16_t&, TShiftState) {}
void TkComponent::HandleKeyPress(char&) {}
void TkComponent::HandleMouseDown(TMouseButton, TShiftState, int, int) {}
void TkComponent::HandleMouseUp(TMouseButton, TShiftState, int, int) {}
void TkComponent::HandleMouseMove(TShiftState, int, int) {}
void TkComponent::HandleDblClick() {}

bool TkComponent::HandleMouseWheel(TShiftState, int, int, int)
{
    return false;
}

void TkComponent::DoBackGroundChange()
{
    BackGroundChange();
}

// Brackets nest (a property file loads inside the bracket of a plot's
// construction): only the outermost EndUpdate releases, and one without
// its BeginUpdate is ignored.
void TkComponent::BeginUpdate()
{
    ++FUpdateHolds;
}

void TkComponent::EndUpdate()
{
    if (FUpdateHolds == 0)
        return;
    if (--FUpdateHolds == 0 && FRepaintPending)
        FrameDueRepaint();
}

void TkComponent::EndSharedClock()
{
    if (FClockShares > 0 && --FClockShares == 0)
        FClockRead = false;
}

double TkComponent::ClockNow()
{
    if (FClockShares == 0)
        return TkUpdateObject::Now();
    if (!FClockRead) {
        FClockReading = TkUpdateObject::Now();
        FClockRead = true;
    }
    return FClockReading;
}

void TkComponent::FrameDueRepaint()
{
    if (FAutoFrameRate && FUpdateFrameRate != 0) {
        if (TkUpdateObject::FrameDue(FLastPaintTime, FUpdateFrameRate, ClockNow())) {
            InvalidateNow();
        } else {
            FRepaintPending = true;
            TkUpdateObject::Instance().RepaintPending();
        }
        return;
    }
    InvalidateNow();
}

void TkComponent::InvalidateChange()
{
    if (FUpdateHolds > 0) {
        FRepaintPending = true;
    } else if (FAutoFrameRate) {
        FRepaintPending = true;
        FrameDueRepaint();
    } else {
        InvalidateNow();
    }
}

void TkComponent::BackGroundChange()
{
    FBackGroundChanged = true;
    InvalidateChange();
}

void TkComponent::InvalidateNow()
{
    FRepaintPending = false;
    FLastPaintTime = ClockNow();
    Invalidate();
}

bool TkComponent::IsLoading() const
{
    return FLoading || TComponent::IsLoading();
}

bool TkComponent::IsDesignMode()
{
    bool design = (ComponentState() & csDesigning) != 0;
    if (OnDesignMode)
        OnDesignMode(this, design);
    return design;
}

TTypeKind TkComponent::GetPropertyKind(const std::string& Name)
{
    const TPropLocation location = FindPropertyByPath(this, Name);
    if (!location || !location.Info->IsWritable() || location.Info->Kind == TTypeKind::tkClass)
        return TTypeKind::tkUnknown;
    return location.Info->Kind;
}

void TkComponent::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    BackGroundChange();
}

template <class T> void TkComponent::SetField(T& Field, T Value, int ChangeKind)
{
    if (Field == Value)
        return;
    Field = Value;
    if (ChangeKind == 0)
        InvalidateChange();
    else if (ChangeKind == 1)
        BackGroundChange();
}

void TkComponent::SetIntegerField(int& Field, int Value, int ChangeKind)
{
    SetField(Field, Value, ChangeKind);
}

TBitmap* TkComponent::GetCachedBackGround()
{
    if (!FCacheBackGround)
        return nullptr;
    if (!FCachedBackGround)
        FCachedBackGround = std::make_unique<TBitmap>(std::max(GetWidth(), 1), std::max(GetHeight(), 1));
    return FCachedBackGround.get();
}

void TkComponent::PaintBuffered(TCanvas* Target)
{
    // A paint reached from inside a paint draws into a picture of its own.
    const bool nested = FPaintBufferInUse;
    Lock();
    try {
        std::unique_ptr<TBitmap> own;
        if (nested)
            own = std::make_unique<TBitmap>();
        else if (!FPaintBuffer)
            FPaintBuffer = std::make_unique<TBitmap>();
        TBitmap* buffer = nested ? own.get() : FPaintBuffer.get();
        FPaintBufferInUse = true;
        buffer->SetSize(std::max(GetWidth(), 0), std::max(GetHeight(), 0));
        TCanvas* canvas = buffer->Canvas;
        // Each paint starts from a new picture's white and its canvas.
        canvas->RemoveClipRect();
        canvas->Brush->SetColor(clWhite);
        canvas->Brush->SetStyle(bsSolid);
        canvas->FillRect(TRect(0, 0, buffer->GetWidth(), buffer->GetHeight()));
        canvas->ResetToNew();
        canvas->Brush->SetStyle(bsSolid);
        canvas->Pen->SetStyle(psSolid);
        try {
            PaintToCanvas(canvas);
        } catch (const std::exception& e) {
            // A failing paint shows its message and goes no further.
            TRect client = GetClientRect();
            canvas->RemoveClipRect();
            canvas->Brush->SetStyle(bsSolid);
            canvas->Brush->SetColor(clBlack);
            canvas->FillRect(client);
            canvas->Font->SetColor(clWhite);
            canvas->Brush->SetStyle(bsClear);
            DrawFormattedText(canvas, e.what(), client, ktfWordBreak, true);
        }
        if (OnAfterPaint)
            OnAfterPaint(this, canvas);
        Target->Draw(0, 0, buffer);
        FPaintBufferInUse = nested;
    } catch (...) {
        FPaintBufferInUse = nested;
        Unlock();
        throw;
    }
    Unlock();
}

bool TkComponent::IsPaintBuffer(const TCanvas* Canvas) const
{
    return FPaintBuffer && Canvas == FPaintBuffer->Canvas;
}

void TkComponent::Paint()
{
    PaintBuffered(Canvas);
}

void TkComponent::SaveImageToBitmap(const std::string& FileName)
{
    TBitmap bitmap(std::max(GetWidth(), 0), std::max(GetHeight(), 0));
    Lock();
    try {
        PaintToCanvas(bitmap.Canvas);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
    bitmap.SaveToFile(FileName);
}

void TkComponent::SavePropertiesToFile(const std::string& FileName)
{
    try {
        TStringList skip;
        skip.Add("Name");
        if (!FOptionSaveAllProperties)
            for (const char* name : {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag", "Visible",
                                     "Enabled", "Hint", "HelpContext"})
                skip.Add(name);
        TStringList lines;
        lines.Add("File Type = " + TPropertyRegistry::Instance().GetClassName(this));
        WriteObjectProperties(this, "", lines, false, &skip);
        lines.SaveToFile(FileName);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Saving Properties - ") + e.what());
    }
}

void TkComponent::LoadPropertiesFromFile(const std::string& FileName)
{
    try {
        TStringList lines;
        lines.LoadFromFile(FileName);
        BeginUpdate();
        try {
            ReadObjectProperties(this, "", lines);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Loading Properties - ") + e.what());
    }
}

void TkComponent::KeyDown(std::uint16_t& Key, TShiftState Shift)
{
    AsUserInput([&] {
        TCustomControl::KeyDown(Key, Shift);
        HandleKeyDown(Key, Shift);
    });
}

void TkComponent::KeyPress(char& Key)
{
    AsUserInput([&] {
        TCustomControl::KeyPress(Key);
        HandleKeyPress(Key);
    });
}

void TkComponent::KeyUp(std::uint16_t& Key, TShiftState Shift)
{
    AsUserInput([&] {
        TCustomControl::KeyUp(Key, Shift);
        HandleKeyUp(Key, Shift);
    });
}

void TkComponent::DoEnter()
{
    AsUserInput([&] { HandleGotFocus(); });
    TCustomControl::DoEnter();
}

void TkComponent::DoExit()
{
    AsUserInput([&] { HandleLostFocus(); });
    TCustomControl::DoExit();
}

bool TkComponent::WantKey(std::uint16_t Key) const
{
    // The control takes every key while focused, as a control that wants
    // all keys does; Tab still moves the focus.
    bool want = Key != VK_TAB;
    const_cast<TkComponent*>(this)->HandleWantKeys(Key, want);
    return want;
}

void TkComponent::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    AsUserInput([&] {
        HandleMouseDown(Button, Shift, X, Y);
        TCustomControl::MouseDown(Button, Shift, X, Y);
    });
}

void TkComponent::MouseMove(TShiftState Shift, int X, int Y)
{
    AsUserInput([&] {
        HandleMouseMove(Shift, X, Y);
        TCustomControl::MouseMove(Shift, X, Y);
    });
}

void TkComponent::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    AsUserInput([&] {
        HandleMouseUp(Button, Shift, X, Y);
        TCustomControl::MouseUp(Button, Shift, X, Y);
    });
}

bool TkComponent::DoMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    bool handled = false;
    AsUserInput([&] { handled = HandleMouseWheel(Shift, WheelDelta, X, Y); });
    return handled || TCustomControl::DoMouseWheel(Shift, WheelDelta, X, Y);
}

void TkComponent::DblClick()
{
    AsUserInput([&] {
        HandleDblClick();
        TCustomControl::DblClick();
    });
}

void TkComponent::FontChanged()
{
    TCustomControl::FontChanged();
    InvalidateChange();
}
