#include "plot/channels/kPlotToolBar.h"

#include "plot/channels/kPlotDataCursor.h"
#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotObjectRef.h"
#include "rtl/PublishedList.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotToolBar, TkPlotLayoutObject>("TkPlotToolBar");
    return true;
}();

// Glyph names of the buttons, by type.
const char* const GlyphNames[] = {"AUTO",   "PAUSE",  "SCROLL",     "ZOOM", "SELECT", "SCROLLBOX", "ZOOMOUT",
                                  "ZOOMIN", "CURSOR", "PROPERTIES", "COPY", "SAVE",   "PRINTER",   "PREVIEW"};

// Group numbers: buttons of one group other than 0 release each other.
int GroupOf(TkPlotToolBarButtonType Type)
{
    switch (Type) {
    case kptbbtScrollAxesMode:
    case kptbbtZoomAxesMode: return 2;
    case kptbbtSelect:
    case kptbbtZoomBox: return -1;
    case kptbbtCursor: return -2;
    default: return 0;
    }
}

}  // namespace

TkPlotToolBar::TkPlotToolBar(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::ToolBar),
      FImageList(std::make_unique<TImageList>())
{
    FImageList->SetWidth(24);
    FImageList->SetHeight(24);
    SetHorizontal(true);
    AddButton(kptbbtResume, "Resume All (Tracking)");
    AddButton(kptbbtPause, "Pause All (Tracking)");
    AddSeparator();
    AddButton(kptbbtScrollAxesMode, "Scroll (Axes)");
    AddButton(kptbbtZoomAxesMode, "Zoom (Axes)");
    AddSeparator();
    AddButton(kptbbtZoomOut, "Zoom Out All Axes");
    AddButton(kptbbtZoomIn, "Zoom In All Axes");
    AddSeparator();
    AddButton(kptbbtSelect, "Select");
    AddButton(kptbbtZoomBox, "Zoom Box");
    AddButton(kptbbtCursor, "Cursor");
    AddSeparator();
    AddButton(kptbbtEdit, "Properties");
    AddSeparator();
    AddButton(kptbbtCopy, "Copy to Clipboard");
    AddButton(kptbbtSave, "Save to File");
    AddButton(kptbbtPrint, "Print");
    AddButton(kptbbtPreview, "Preview");

    Button(kptbbtCursor)->OnDownChange = [this](TObject*) { CursorDownChanged(); };
    Button(kptbbtSelect)->OnDownChange = [this](TObject*) { SelectDownChanged(); };
    Button(kptbbtScrollAxesMode)->SetDown(true);  // scroll mode to start with
    Button(kptbbtSelect)->SetVisible(false);
    Button(kptbbtPreview)->SetVisible(false);
    LoadGlyphs(false);
}

TkPlotToolBar::~TkPlotToolBar()
{
    for (TkPlotToolBarButton* button : FButtons) {
        button->Callbacks = {};
        button->OnButtonChange = nullptr;
        TkPlotObject::Free(button);
    }
}

TkPlotToolBarButton* TkPlotToolBar::AddButton(TkPlotToolBarButtonType Type, const std::string& Hint)
{
    // Buttons are parts of the bar, not plot objects of their own: they
    // only ask the bar to repaint.
    TkPlotObjectCallbacks callbacks;
    callbacks.OnChange = [this](TObject*) { DoChange(); };
    auto* button = new TkPlotToolBarButton(this, FImageList.get(), GetOwner(), callbacks, Type, false, Hint);
    button->GroupIndex = GroupOf(Type);
    button->OnButtonChange = [this](TObject*) { InvalidateNow(); };
    button->OnClick = [this](TObject* Sender) { Click(static_cast<TkPlotToolBarButton*>(Sender)); };
    FButtons.push_back(button);
    FByType[Type] = button;
    return button;
}

void TkPlotToolBar::AddSeparator()
{
    TkPlotObjectCallbacks callbacks;
    callbacks.OnChange = [this](TObject*) { DoChange(); };
    auto* separator = new TkPlotToolBarButton(this, FImageList.get(), GetOwner(), callbacks, kptbbtResume, true, "");
    FButtons.push_back(separator);
    FSeparators.push_back(separator);
}

TkPlotToolBarButton* TkPlotToolBar::GetButton(TkPlotToolBarButtonType Type) const
{
    return Button(Type);
}

void TkPlotToolBar::LoadGlyphs(bool Small)
{
    for (int type = kptbbtResume; type <= kptbbtPreview; ++type)
        Button(TkPlotToolBarButtonType(type))->SetGlyphName(std::string(Small ? "SMALL" : "") + GlyphNames[type]);
    FImageList->Clear();
    FImageList->SetWidth(Small ? 16 : 24);
    FImageList->SetHeight(Small ? 16 : 24);
}

// ---- clicks and actions

void TkPlotToolBar::ClickResume()
{
    Click(Button(kptbbtResume));
}
void TkPlotToolBar::ClickPause()
{
    Click(Button(kptbbtPause));
}
void TkPlotToolBar::ClickSelect()
{
    Click(Button(kptbbtSelect));
}
void TkPlotToolBar::ClickZoomBox()
{
    Click(Button(kptbbtZoomBox));
}
void TkPlotToolBar::ClickCursor()
{
    Click(Button(kptbbtCursor));
}

bool TkPlotToolBar::GetZoomBoxDown() const
{
    return Button(kptbbtZoomBox)->GetDown();
}
bool TkPlotToolBar::GetSelectDown() const
{
    return Button(kptbbtSelect)->GetDown();
}
bool TkPlotToolBar::GetCursorDown() const
{
    return Button(kptbbtCursor)->GetDown();
}

void TkPlotToolBar::Click(TkPlotToolBarButton* Button)
{
    const TkPlotToolBarButtonType type = Button->GetType();
    bool cancel = false;
    if (GetOwner())
        GetOwner()->DoBeforeToolBarButtonClick(this, type, cancel);
    if (cancel)
        return;
    // The group is released only once the click goes ahead: a vetoed mode
    // click leaves the modes as they were.
    if (Button->GroupIndex != 0)
        ReleaseGroup(Button);
    // While the editor or a button's dialog is open, the toolbar may go.
    const TkPlotObjectRef self(this);
    Perform(type);
    // The editor takes over; its button reports nothing afterwards.
    if (self && type != kptbbtEdit && GetOwner())
        GetOwner()->DoToolBarButtonClick(this, type);
}

void TkPlotToolBar::ReleaseGroup(TkPlotToolBarButton* Button)
{
    for (TkPlotToolBarButton* other : FButtons)
        if (other != Button && !other->IsSeparator() && other->GroupIndex == Button->GroupIndex)
            other->SetDown(false);
}

void TkPlotToolBar::Perform(TkPlotToolBarButtonType Type)
{
    TkPlotObjectOwner* owner = GetOwner();
    switch (Type) {
    case kptbbtResume: Resume(); break;
    case kptbbtPause: SetAllTracking(false); break;
    case kptbbtScrollAxesMode:
        Button(kptbbtScrollAxesMode)->SetDown(true);
        Button(kptbbtZoomAxesMode)->SetDown(false);
        SetAxesZoomMode(false);
        break;
    case kptbbtZoomAxesMode:
        Button(kptbbtZoomAxesMode)->SetDown(true);
        Button(kptbbtScrollAxesMode)->SetDown(false);
        SetAxesZoomMode(true);
        break;
    case kptbbtZoomIn:
    case kptbbtZoomOut:
        ClickPause();
        ZoomAxes(Type == kptbbtZoomIn);
        break;
    case kptbbtSelect:
        Button(kptbbtSelect)->SetDown(!Button(kptbbtSelect)->GetDown());
        Button(kptbbtZoomBox)->SetDown(false);
        break;
    case kptbbtZoomBox:
        Button(kptbbtSelect)->SetDown(false);
        Button(kptbbtZoomBox)->SetDown(!Button(kptbbtZoomBox)->GetDown());
        break;
    case kptbbtCursor: Button(kptbbtCursor)->SetDown(!Button(kptbbtCursor)->GetDown()); break;
    case kptbbtEdit:
        if (owner)
            owner->ShowEditor();
        break;
    case kptbbtCopy:
        if (owner)
            owner->CopyToClipBoard();
        break;
    case kptbbtSave:
        if (owner)
            owner->SaveImageDialog();
        break;
    case kptbbtPrint:
        if (owner)
            owner->PrintPlot();
        break;
    case kptbbtPreview:
        if (owner)
            owner->PrintPreview();
        break;
    }
}

void TkPlotToolBar::Resume()
{
    if (GetCursorDown())
        ClickCursor();
    if (GetSelectDown())
        ClickSelect();
    if (Master)
        Master->ClearFocus();
    SetAllTracking(true);
}

void TkPlotToolBar::ForEachAxis(const std::function<void(TkPlotAxis&)>& Action) const
{
    if (!Master)
        return;
    for (TkPlotKindManager* axes : {static_cast<TkPlotKindManager*>(Master->XAxisManager()),
                                    static_cast<TkPlotKindManager*>(Master->YAxisManager())})
        if (axes)
            for (int i = 0; i < axes->GetCount(); ++i)
                Action(*static_cast<TkPlotAxis*>(axes->GetObject(i)));
}

void TkPlotToolBar::SetAllTracking(bool Value)
{
    ForEachAxis([Value](TkPlotAxis& Axis) { Axis.SetTrackingEnabled(Value); });
}

void TkPlotToolBar::SetAxesZoomMode(bool ZoomMode)
{
    ForEachAxis([ZoomMode](TkPlotAxis& Axis) { Axis.SetZoomMode(ZoomMode); });
}

void TkPlotToolBar::ZoomAxes(bool In)
{
    // A log scale zooms by one decade.
    ForEachAxis([this, In](TkPlotAxis& Axis) {
        if (Axis.GetScaleType() == kpstLog10)
            Axis.Zoom(In ? -1.0 : 1.0);
        else
            Axis.Zoom(In ? 1.0 / FZoomInOutFactor : FZoomInOutFactor);
    });
}

void TkPlotToolBar::CursorDownChanged()
{
    TkPlotKindManager* cursors = Master ? Master->DataCursorManager() : nullptr;
    const bool down = GetCursorDown();
    if (cursors)
        for (int i = 0; i < cursors->GetCount(); ++i)
            cursors->GetObject(i)->SetVisible(down);
    if (!down)
        return;
    SetAllTracking(false);
    if (cursors && cursors->HasObjects())
        cursors->GetObject(0)->SetFocused(true);
}

void TkPlotToolBar::SelectDownChanged()
{
    // The plot's select mode is this button's state; going down also
    // holds the axes still.
    if (GetSelectDown())
        SetAllTracking(false);
}

// ---- properties

bool TkPlotToolBar::IsShown(TkPlotToolBarButtonType Type) const
{
    return Button(Type)->GetVisible();
}
void TkPlotToolBar::Show(TkPlotToolBarButtonType Type, bool Value)
{
    Button(Type)->SetVisible(Value);
}

bool TkPlotToolBar::AtLeastOne(double& Factor)
{
    if (Factor < 1)
        Factor = 1;
    return true;
}

void TkPlotToolBar::SetFlatButtons(bool Value)
{
    FFlatButtons = Value;
    for (TkPlotToolBarButton* button : FButtons)
        button->SetFlat(Value);
    DoChange();
}

void TkPlotToolBar::SetSmallButtons(bool Value)
{
    FSmallButtons = Value;
    LoadGlyphs(Value);
    DoLayoutChange();
}

// ---- layout, drawing, hit testing, focus

int TkPlotToolBar::GetRequiredSize(TCanvas*)
{
    return FSmallButtons ? 28 : 36;
}

void TkPlotToolBar::UpdateSeparatorsAndStates()
{
    auto shown = [this](std::initializer_list<TkPlotToolBarButtonType> Types) {
        for (TkPlotToolBarButtonType type : Types)
            if (IsShown(type))
                return true;
        return false;
    };
    FSeparators[0]->SetVisible(shown({kptbbtResume, kptbbtPause}));
    FSeparators[1]->SetVisible(shown({kptbbtScrollAxesMode, kptbbtZoomAxesMode}));
    FSeparators[2]->SetVisible(shown({kptbbtZoomIn, kptbbtZoomOut}));
    FSeparators[3]->SetVisible(shown({kptbbtZoomBox, kptbbtCursor}));
    FSeparators[4]->SetVisible(shown({kptbbtEdit}));

    bool anyOn = false;
    bool anyOff = false;
    ForEachAxis([&](TkPlotAxis& Axis) { (Axis.GetTrackingEnabled() ? anyOn : anyOff) = true; });
    Button(kptbbtResume)->SetEnabled(anyOff);
    Button(kptbbtPause)->SetEnabled(anyOn);
}

void TkPlotToolBar::Draw(TCanvas* Canvas, TColor BackColor)
{
    if (!GetVisible())
        return;
    const int size = FSmallButtons ? 22 : 30;
    UpdateSeparatorsAndStates();
    const TRect& r = GetDrawRect();
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(clBtnFace);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(1);
    Canvas->FillRect(TRect(r.Left, r.Top, r.Right + 1, r.Bottom));
    if (!FFlatBorder)
        DrawBorder(Canvas, r, 1);
    // Laid out left to right whatever the bar's orientation.
    int x = r.Left + 3;
    const int y = r.Top + 3;
    for (TkPlotToolBarButton* entry : FButtons) {
        if (!entry->GetVisible())
            continue;
        const int width = entry->IsSeparator() ? 10 : size;
        entry->SetDrawRect(TRect(x, y, x + width, y + size));
        entry->Draw(Canvas, BackColor);
        x += width;
    }
}

TkPlotObject* TkPlotToolBar::GetObjectAt(TPoint P)
{
    for (TkPlotToolBarButton* button : FButtons)
        if (!button->IsSeparator() && button->GetVisible() && PtInRect(button->GetDrawRect(), P))
            return button->GetObjectAt(P);
    return TkPlotLayoutObject::GetObjectAt(P);
}

void TkPlotToolBar::ObjectFocused(TkPlotObject* Object)
{
    if (Object != this)
        SetFocused(false);
}

void TkPlotToolBar::BuildPopupMenu(TPopupMenu* Menu)
{
    TkPlotLayoutObject::BuildPopupMenu(Menu);
    AddEditMenuItem(Menu);
}
