#include "plot/core/kPlotComponent.h"

#include <algorithm>
#include <utility>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotButton.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotPointerModes.h"
#include "plot/core/kGraphicsProperties.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"
#include "ui/Keys.h"
#include "ui/PopupMenu.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotComponent, TkCustomComponent>("TkPlotComponent");
    return true;
}();

bool IsButton(const TkPlotObject* Object)
{
    return dynamic_cast<const TkPlotButton*>(Object) != nullptr;
}

// Sets a published ordinal property of an object when its class has one.
void SetOrdByName(TObject* Object, const char* Name, std::int64_t Value)
{
    if (const TPropInfo* info = GetPropInfo(Object, Name); info && info->IsWritable() && IsOrdinalKind(info->Kind))
        SetOrdProp(Object, *info, Value);
}

// Runs Fn and then After, also when Fn raises.
template <class F, class G> void Finally(F&& Fn, G&& After)
{
    try {
        Fn();
    } catch (...) {
        After();
        throw;
    }
    After();
}

}  // namespace

// ---------------------------------------------------------------- creation

TkPlotComponent::TkPlotComponent(TComponent* AOwner) : TkCustomComponent(AOwner)
{
    (void)Registered;
    SetBounds(GetLeft(), GetTop(), 500, 200);
    // Reached by a click, not by Tab.
    SetTabStop(false);
    SetBackGroundColor(clBlack);
    SetBorderStyle(kbsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);
    FMaster = std::make_unique<TkPlotMasterManager>(this);
    FMaster->OnObjectChange = [this](TObject*) { InvalidateChange(); };
    FMaster->OnInvalidate = [this](TObject*) { InvalidateChange(); };
    FMaster->OnObjectAdd = [this](TObject* Item) { DoObjectAdd(Item); };
    FMaster->OnObjectRemove = [this](TObject* Item) { DoObjectRemove(Item); };
    FEditorHost = std::make_unique<TkPlotEditorHost>(*FMaster);
    FPopupMenu = std::make_unique<TPopupMenu>(nullptr);
    for (auto& list : FImageLists) {
        list = std::make_unique<TImageList>(nullptr);
        list->SetWidth(24);
        list->SetHeight(24);
    }
    OnTimerTick = [this](TObject*) { HintTimerTick(); };
}

TkPlotComponent::~TkPlotComponent()
{
    FPainting = false;
    FOccupiedRects.Clear();
    // Objects freed with the managers fire no events of this plot.
    FMaster->OnObjectAdd = nullptr;
    FMaster->OnObjectRemove = nullptr;
    FMaster->OnObjectChange = nullptr;
    FMaster->OnInvalidate = nullptr;
    FPressedObject = FHoveredObject = FLastClickedObject = nullptr;
    FEditorHost.reset();
    FMaster.reset();
}

// ---------------------------------------------------------------- objects

TkPlotObject* TkPlotComponent::ItemOf(const TkPlotObjectManagerCustom* Manager, int Index) const
{
    return Manager->GetObject(Index);
}

int TkPlotComponent::GetChannelCount() const
{
    return FMaster->ChannelManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetChannel(int Index) const
{
    return ItemOf(FMaster->ChannelManager(), Index);
}
int TkPlotComponent::GetDataViewCount() const
{
    return FMaster->DataViewManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetDataView(int Index) const
{
    return ItemOf(FMaster->DataViewManager(), Index);
}
int TkPlotComponent::GetDataCursorCount() const
{
    return FMaster->DataCursorManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetDataCursor(int Index) const
{
    return ItemOf(FMaster->DataCursorManager(), Index);
}
int TkPlotComponent::GetXAxisCount() const
{
    return FMaster->XAxisManager()->GetCount();
}
TkPlotAxis* TkPlotComponent::GetXAxis(int Index) const
{
    return static_cast<TkPlotAxis*>(ItemOf(FMaster->XAxisManager(), Index));
}
int TkPlotComponent::GetYAxisCount() const
{
    return FMaster->YAxisManager()->GetCount();
}
TkPlotAxis* TkPlotComponent::GetYAxis(int Index) const
{
    return static_cast<TkPlotAxis*>(ItemOf(FMaster->YAxisManager(), Index));
}
int TkPlotComponent::GetLegendCount() const
{
    return FMaster->LegendManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetLegend(int Index) const
{
    return ItemOf(FMaster->LegendManager(), Index);
}
int TkPlotComponent::GetTableCount() const
{
    return FMaster->TableManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetTable(int Index) const
{
    return ItemOf(FMaster->TableManager(), Index);
}
int TkPlotComponent::GetToolBarCount() const
{
    return FMaster->ToolBarManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetToolBar(int Index) const
{
    return ItemOf(FMaster->ToolBarManager(), Index);
}
int TkPlotComponent::GetAnnotationCount() const
{
    return FMaster->AnnotationManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetAnnotation(int Index) const
{
    return ItemOf(FMaster->AnnotationManager(), Index);
}
int TkPlotComponent::GetLimitCount() const
{
    return FMaster->LimitManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetLimit(int Index) const
{
    return ItemOf(FMaster->LimitManager(), Index);
}
int TkPlotComponent::GetLabelCount() const
{
    return FMaster->LabelManager()->GetCount();
}
TkPlotObject* TkPlotComponent::GetLabel(int Index) const
{
    return ItemOf(FMaster->LabelManager(), Index);
}

void TkPlotComponent::RemoveAllOf(TkPlotObjectManagerCustom* Manager)
{
    Manager->Clear();
    InvalidateChange();
}

void TkPlotComponent::RemoveAllToolBars()
{
    RemoveAllOf(FMaster->ToolBarManager());
}
void TkPlotComponent::RemoveAllLegends()
{
    RemoveAllOf(FMaster->LegendManager());
}
void TkPlotComponent::RemoveAllTables()
{
    RemoveAllOf(FMaster->TableManager());
}
void TkPlotComponent::RemoveAllXAxes()
{
    RemoveAllOf(FMaster->XAxisManager());
}
void TkPlotComponent::RemoveAllYAxes()
{
    RemoveAllOf(FMaster->YAxisManager());
}
void TkPlotComponent::RemoveAllDataViews()
{
    RemoveAllOf(FMaster->DataViewManager());
}
void TkPlotComponent::RemoveAllDataCursors()
{
    RemoveAllOf(FMaster->DataCursorManager());
}
void TkPlotComponent::RemoveAllChannels()
{
    RemoveAllOf(FMaster->ChannelManager());
}
void TkPlotComponent::RemoveAllAnnotations()
{
    RemoveAllOf(FMaster->AnnotationManager());
}
void TkPlotComponent::RemoveAllLimits()
{
    RemoveAllOf(FMaster->LimitManager());
}

void TkPlotComponent::RemoveAllLabels()
{
    while (GetLabelCount() >= 2)
        TkPlotObject::Free(GetLabel(1));
    InvalidateChange();
}

void TkPlotComponent::RemoveAllTranslations()
{
    GetTranslationManager()->Clear();
}

void TkPlotComponent::DeleteOf(TkPlotObjectManagerCustom* Manager, int Index)
{
    TkPlotObject::Free(Manager->GetObject(Index));
    InvalidateChange();
}

void TkPlotComponent::DeleteToolBar(int Index)
{
    DeleteOf(FMaster->ToolBarManager(), Index);
}
void TkPlotComponent::DeleteLegend(int Index)
{
    DeleteOf(FMaster->LegendManager(), Index);
}
void TkPlotComponent::DeleteTable(int Index)
{
    DeleteOf(FMaster->TableManager(), Index);
}
void TkPlotComponent::DeleteXAxis(int Index)
{
    DeleteOf(FMaster->XAxisManager(), Index);
}
void TkPlotComponent::DeleteYAxis(int Index)
{
    DeleteOf(FMaster->YAxisManager(), Index);
}
void TkPlotComponent::DeleteDataView(int Index)
{
    DeleteOf(FMaster->DataViewManager(), Index);
}
void TkPlotComponent::DeleteDataCursor(int Index)
{
    DeleteOf(FMaster->DataCursorManager(), Index);
}
void TkPlotComponent::DeleteChannel(int Index)
{
    DeleteOf(FMaster->ChannelManager(), Index);
}
void TkPlotComponent::DeleteAnnotation(int Index)
{
    DeleteOf(FMaster->AnnotationManager(), Index);
}
void TkPlotComponent::DeleteLimit(int Index)
{
    DeleteOf(FMaster->LimitManager(), Index);
}

void TkPlotComponent::DeleteLabel(int Index)
{
    if (Index == 0)
        throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    DeleteOf(FMaster->LabelManager(), Index);
}

void TkPlotComponent::DeleteTranslation(int Index)
{
    GetTranslationManager()->Delete(Index);
}

int TkPlotComponent::AddChannel()
{
    return FMaster->AddChannel();
}
int TkPlotComponent::AddDataView()
{
    return FMaster->AddDataView();
}
int TkPlotComponent::AddDataCursor()
{
    return FMaster->AddDataCursor();
}
int TkPlotComponent::AddXAxis()
{
    return FMaster->AddXAxis();
}
int TkPlotComponent::AddYAxis()
{
    return FMaster->AddYAxis();
}
int TkPlotComponent::AddLegend()
{
    return FMaster->AddLegend();
}
int TkPlotComponent::AddTable()
{
    return FMaster->AddTable();
}
int TkPlotComponent::AddToolBar()
{
    return FMaster->AddToolBar();
}
int TkPlotComponent::AddLimit()
{
    return FMaster->AddLimit();
}
int TkPlotComponent::AddLabel()
{
    return FMaster->AddLabel();
}

int TkPlotComponent::AddAnnotation()
{
    const int index = FMaster->AddAnnotation();
    TkPlotObject* annotation = GetAnnotation(index);
    SetOrdByName(annotation, "BrushStyle", FAnnotationDefaultBrushStlye);
    SetOrdByName(annotation, "BrushColor", FAnnotationDefaultBrushColor);
    SetOrdByName(annotation, "PenStyle", FAnnotationDefaultPenStlye);
    SetOrdByName(annotation, "PenColor", FAnnotationDefaultPenColor);
    SetOrdByName(annotation, "PenWidth", FAnnotationDefaultPenWidth);
    SetOrdByName(annotation, "Reference", FAnnotationDefaultReference);
    SetOrdByName(annotation, "ReferencePositionX", FAnnotationDefaultIndividual[0]);
    SetOrdByName(annotation, "ReferencePositionY", FAnnotationDefaultIndividual[1]);
    SetOrdByName(annotation, "ReferenceSizeX", FAnnotationDefaultIndividual[2]);
    SetOrdByName(annotation, "ReferenceSizeY", FAnnotationDefaultIndividual[3]);
    if (const TPropInfo* font = GetPropInfo(annotation, "Font"); font && font->Kind == TTypeKind::tkClass)
        if (auto* target = dynamic_cast<TFont*>(GetObjectProp(annotation, *font)))
            target->Assign(FAnnotationDefaultFont.get());
    return index;
}

TkPlotObject* TkPlotComponent::GetChannelByName(const std::string& Name) const
{
    return FMaster->ChannelManager()->FindByName(Name);
}

TkPlotAxis* TkPlotComponent::GetXAxisByName(const std::string& Name) const
{
    return static_cast<TkPlotAxis*>(FMaster->XAxisManager()->FindByName(Name));
}

TkPlotAxis* TkPlotComponent::GetYAxisByName(const std::string& Name) const
{
    return static_cast<TkPlotAxis*>(FMaster->YAxisManager()->FindByName(Name));
}

int TkPlotComponent::GetChannelIndexByName(const std::string& Name) const
{
    return FMaster->ChannelManager()->IndexOfName(Name);
}

void TkPlotComponent::SetAllTracking(bool Value)
{
    for (int i = 0; i < GetXAxisCount(); ++i)
        GetXAxis(i)->SetTrackingEnabled(Value);
    for (int i = 0; i < GetYAxisCount(); ++i)
        GetYAxis(i)->SetTrackingEnabled(Value);
}

void TkPlotComponent::DisableAllTracking()
{
    SetAllTracking(false);
}
void TkPlotComponent::EnableAllTracking()
{
    SetAllTracking(true);
}

TkPlotPointerModes* TkPlotComponent::PointerModes() const
{
    for (const TkPlotKindManager* m : FMaster->KindManagers())
        if (m->HasObjects())
            if (auto* modes = dynamic_cast<TkPlotPointerModes*>(m->GetObject(0)))
                return modes;
    return nullptr;
}

bool TkPlotComponent::GetSelectMode() const
{
    const TkPlotPointerModes* modes = PointerModes();
    return modes && modes->GetSelectDown();
}

void TkPlotComponent::SetSelectMode(bool Value)
{
    TkPlotPointerModes* modes = PointerModes();
    if (modes && modes->GetSelectDown() != Value)
        modes->ClickSelect();
}

bool TkPlotComponent::GetZoomBoxMode() const
{
    const TkPlotPointerModes* modes = PointerModes();
    return modes && modes->GetZoomBoxDown();
}

// ---------------------------------------------------------------- properties

int TkPlotComponent::GetDataViewZHorz() const
{
    return FMaster->LayoutManager()->HorzDataView()->GetZOrder();
}
void TkPlotComponent::SetDataViewZHorz(int Value)
{
    FMaster->LayoutManager()->HorzDataView()->SetZOrder(Value);
}
int TkPlotComponent::GetDataViewZVert() const
{
    return FMaster->LayoutManager()->VertDataView()->GetZOrder();
}
void TkPlotComponent::SetDataViewZVert(int Value)
{
    FMaster->LayoutManager()->VertDataView()->SetZOrder(Value);
}

void TkPlotComponent::SetXYAxesReverse(bool Value)
{
    if (Value != GetXYAxesReverse())
        FMaster->SetXYAxesReverse(Value);
}

void TkPlotComponent::SetHintsFont(const TFont* Value)
{
    FHintsFont->Assign(Value);
}
void TkPlotComponent::SetAnnotationDefaultFont(const TFont* Value)
{
    FAnnotationDefaultFont->Assign(Value);
}

TkPlotReferenceIndividual TkPlotComponent::GetAnnotationDefaultReferenceIndividual(int Which) const
{
    return FAnnotationDefaultIndividual.at(static_cast<std::size_t>(Which));
}

void TkPlotComponent::SetAnnotationDefaultReferenceIndividual(int Which, TkPlotReferenceIndividual Value)
{
    FAnnotationDefaultIndividual.at(static_cast<std::size_t>(Which)) = Value;
}

TObject* TkPlotComponent::TitleLabel() const
{
    return GetLabelCount() > 0 ? GetLabel(0) : nullptr;
}

bool TkPlotComponent::GetTitleVisible() const
{
    const TObject* label = TitleLabel();
    return label && static_cast<const TkPlotObject*>(label)->GetVisible();
}

void TkPlotComponent::SetTitleVisible(bool Value)
{
    if (TObject* label = TitleLabel())
        static_cast<TkPlotObject*>(label)->SetVisible(Value);
}

std::string TkPlotComponent::GetTitleText() const
{
    const TObject* label = TitleLabel();
    const TPropInfo* info = label ? GetPropInfo(label, "Caption") : nullptr;
    return info ? GetStrProp(label, *info) : std::string();
}

void TkPlotComponent::SetTitleText(const std::string& Value)
{
    TObject* label = TitleLabel();
    if (const TPropInfo* info = label ? GetPropInfo(label, "Caption") : nullptr)
        SetStrProp(label, *info, Value);
}

TFont* TkPlotComponent::GetTitleFont() const
{
    const TObject* label = TitleLabel();
    const TPropInfo* info = label ? GetPropInfo(label, "Font") : nullptr;
    if (info && info->Kind == TTypeKind::tkClass)
        if (auto* font = dynamic_cast<TFont*>(GetObjectProp(label, *info)))
            return font;
    return label ? nullptr : Font;
}

void TkPlotComponent::SetTitleFont(const TFont* Value)
{
    if (TitleLabel())
        if (TFont* font = GetTitleFont())
            font->Assign(Value);
}

double TkPlotComponent::GetTitleMargin() const
{
    const TObject* label = TitleLabel();
    const TPropInfo* info = label ? GetPropInfo(label, "MarginBottom") : nullptr;
    return info ? GetFloatProp(label, *info) : 0.0;
}

void TkPlotComponent::SetTitleMargin(double Value)
{
    TObject* label = TitleLabel();
    if (const TPropInfo* info = label ? GetPropInfo(label, "MarginBottom") : nullptr)
        SetFloatProp(label, *info, Value);
}

void TkPlotComponent::SetLogFileName(const std::string& Value)
{
    if (Value == FLogFileName)
        return;
    if (FLoggingActive)
        throw Exception("Log File Name can not be changed while logging is active.");
    FLogFileName = Value;
}

void TkPlotComponent::SetDataFileColumnSeparator(TkPlotDataFileColumnSeparator Value)
{
    if (Value == FDataFileColumnSeparator)
        return;
    if (FLoggingActive)
        throw Exception("Data File Column Seperator can not be changed while logging active");
    FDataFileColumnSeparator = Value;
}

void TkPlotComponent::SetDataFileFormat(TkPlotDataFileFormat Value)
{
    if (FLoggingActive)
        throw Exception("Data File Format can not be changed while logging active");
    FDataFileFormat = Value;
}

// ---------------------------------------------------------------- events

int TkPlotComponent::IndexInKind(const TkPlotObject* Object) const
{
    const TkPlotKindManager* manager = FMaster ? FMaster->KindManager(Object->Kind()) : nullptr;
    return manager ? manager->IndexOf(Object) : -1;
}

TkPlotKindEvents* TkPlotComponent::EventsOf(const TkPlotObject* Object)
{
    if (!Object || IndexInKind(Object) < 0)
        return nullptr;
    auto it = FKindEvents.find(std::string_view(Object->Kind().Name));
    return it == FKindEvents.end() ? nullptr : &it->second;
}

void TkPlotComponent::DoObjectAdd(TObject* Item)
{
    auto* object = dynamic_cast<TkPlotObject*>(Item);
    if (TkPlotKindEvents* events = EventsOf(object); events && events->OnAdd)
        events->OnAdd(IndexInKind(object));
}

void TkPlotComponent::DoObjectRemove(TObject* Item)
{
    auto* object = dynamic_cast<TkPlotObject*>(Item);
    if (!object)
        return;
    // The object (or a button of it) is no longer there to hear the mouse.
    auto forget = [&](TkPlotObject*& Field) {
        if (Field == object || IsButton(Field))
            Field = nullptr;
    };
    forget(FPressedObject);
    forget(FHoveredObject);
    forget(FLastClickedObject);
    FHint.ObjectRemoved(object);
    if (FHint.HintObject() && IsButton(FHint.HintObject()))
        FHint.ObjectRemoved(FHint.HintObject());
    if (TkPlotKindEvents* events = EventsOf(object); events && events->OnRemove)
        events->OnRemove(IndexInKind(object));
}

void TkPlotComponent::DoObjectMouseDown(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnMouseDown)
        events->OnMouseDown(IndexInKind(Object), Button, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseMove(TkPlotObject* Object, TShiftState Shift, int X, int Y)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnMouseMove)
        events->OnMouseMove(IndexInKind(Object), Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseUp(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnMouseUp)
        events->OnMouseUp(IndexInKind(Object), Button, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseWheel(TkPlotObject* Object, int WheelDelta, TShiftState Shift, int X, int Y)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnMouseWheel)
        events->OnMouseWheel(IndexInKind(Object), WheelDelta, Shift, X, Y);
}

void TkPlotComponent::DoObjectPopupMenu(TkPlotObject* Object, bool& Cancel, int ScreenX, int ScreenY)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnPopupMenu)
        events->OnPopupMenu(IndexInKind(Object), Cancel, ScreenX, ScreenY);
}

void TkPlotComponent::DoObjectGotFocus(TkPlotObject* Object)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnGotFocus)
        events->OnGotFocus(IndexInKind(Object));
}

void TkPlotComponent::DoObjectLostFocus(TkPlotObject* Object)
{
    if (IsLoading())
        return;
    if (TkPlotKindEvents* events = EventsOf(Object); events && events->OnLostFocus)
        events->OnLostFocus(IndexInKind(Object));
}

void TkPlotComponent::DoObjectClick(TkPlotObject* Object)
{
    if (IsLoading())
        return;
    TkPlotKindEvents* events = EventsOf(Object);
    if (!events)
        return;
    if (FDoubleClickPending && events->OnDblClick) {
        FDoubleClickPending = false;
        events->OnDblClick(IndexInKind(Object));
    } else if (events->OnClick) {
        events->OnClick(IndexInKind(Object));
    }
}

void TkPlotComponent::DoBeforeToolBarButtonClick(TkPlotObject* ToolBar, int ButtonType, bool& Cancel)
{
    if (!IsLoading() && OnBeforeToolBarButtonClick)
        OnBeforeToolBarButtonClick(IndexInKind(ToolBar), ButtonType, Cancel);
}

void TkPlotComponent::DoToolBarButtonClick(TkPlotObject* ToolBar, int ButtonType)
{
    if (!IsLoading() && OnToolBarButtonClick)
        OnToolBarButtonClick(IndexInKind(ToolBar), ButtonType);
}

void TkPlotComponent::DoToolBarCustomizeHint(TkPlotObject* ToolBar, std::string& Text)
{
    if (!IsLoading() && OnToolBarCustomizeHint)
        OnToolBarCustomizeHint(IndexInKind(ToolBar), Text);
}

void TkPlotComponent::DoClickDataPoint(int ChannelIndex, int DataIndex)
{
    if (IsLoading())
        return;
    if (FDoubleClickPending && OnDblClickDataPoint) {
        FDoubleClickPending = false;
        OnDblClickDataPoint(ChannelIndex, DataIndex);
    } else if (OnClickDataPoint) {
        OnClickDataPoint(ChannelIndex, DataIndex);
    }
}

void TkPlotComponent::DoBeforeDataCursorUpdate(TkPlotObject* Cursor)
{
    if (!IsLoading() && OnBeforeDataCursorUpdate && IndexInKind(Cursor) >= 0)
        OnBeforeDataCursorUpdate(IndexInKind(Cursor));
}

void TkPlotComponent::DoDataCursorChange(TkPlotObject* Cursor)
{
    if (!IsLoading() && OnDataCursorChange && IndexInKind(Cursor) >= 0)
        OnDataCursorChange(IndexInKind(Cursor));
}

void TkPlotComponent::DoLimitLinePositionChange(TkPlotObject* Limit, int Line, double OldValue, double NewValue)
{
    const TkPlotObjectDoubleValueChangeEvent& event = Line == 1 ? OnLimitLine1PositionChange
                                                                : OnLimitLine2PositionChange;
    if (!IsLoading() && event && IndexInKind(Limit) >= 0)
        event(IndexInKind(Limit), OldValue, NewValue);
}

void TkPlotComponent::DoAnnotationEvent(TkPlotObject* Annotation, TAnnotationEvent Event)
{
    const TkPlotObjectEvent* events[] = {&OnAnnotationCoordinatesChange, &OnAnnotationMoveUser, &OnAnnotationResizeUser,
                                         &OnAnnotationCoordinatesChangeFinished};
    const TkPlotObjectEvent& event = *events[static_cast<int>(Event)];
    if (!IsLoading() && event && IndexInKind(Annotation) >= 0)
        event(IndexInKind(Annotation));
}

void TkPlotComponent::DoDataCursorCustomizeHint(TkPlotObject* Cursor, std::string& Text)
{
    if (!IsLoading() && OnDataCursorCustomizeHint && IndexInKind(Cursor) >= 0)
        OnDataCursorCustomizeHint(IndexInKind(Cursor), Text);
}

void TkPlotComponent::DoMouseDownDataPoint(TkPlotObject* Channel, int DataIndex, TMouseButton Button, TShiftState Shift,
                                           int X, int Y)
{
    if (!IsLoading() && OnMouseDownDataPoint)
        OnMouseDownDataPoint(IndexInKind(Channel), DataIndex, Button, Shift, X, Y);
}

void TkPlotComponent::DoMouseMoveDataPoint(TkPlotObject* Channel, int DataIndex, TShiftState Shift, int X, int Y)
{
    if (!IsLoading() && OnMouseMoveDataPoint)
        OnMouseMoveDataPoint(IndexInKind(Channel), DataIndex, Shift, X, Y);
}

void TkPlotComponent::DoMouseUpDataPoint(TkPlotObject* Channel, int DataIndex, TMouseButton Button, TShiftState Shift,
                                         int X, int Y)
{
    if (!IsLoading() && OnMouseUpDataPoint)
        OnMouseUpDataPoint(IndexInKind(Channel), DataIndex, Button, Shift, X, Y);
}

void TkPlotComponent::DoDataPointClick(TkPlotObject* Channel, int DataIndex)
{
    DoClickDataPoint(IndexInKind(Channel), DataIndex);
}

void TkPlotComponent::DoDataPointMoved(TkPlotObject* Channel, int DataIndex, double OldX, double OldY, double NewX,
                                       double NewY)
{
    if (!IsLoading() && OnDataPointMoved)
        OnDataPointMoved(IndexInKind(Channel), DataIndex, OldX, OldY, NewX, NewY);
}

void TkPlotComponent::DoDataPointCustomizeHint(TkPlotObject* Channel, int DataIndex, std::string& Text)
{
    if (!IsLoading() && OnDataPointCustomizeHint)
        OnDataPointCustomizeHint(IndexInKind(Channel), DataIndex, Text);
}

TSize TkPlotComponent::HintTextExtent(const std::string& Text)
{
    TCanvas measure;  // measures text without a surface
    measure.Font->Assign(FHintsFont.get());
    return measure.TextExtent(Text);
}

TRect TkPlotComponent::GetDataViewRect() const
{
    return GetDataViewCount() > 0 ? static_cast<TkPlotLayoutObject*>(GetDataView(0))->GetDrawRect() : TRect();
}

void TkPlotComponent::GetAxisDataExtent(TkPlotAxis* Axis, bool Running, double& Minimum, double& Maximum)
{
    if (FMaster && Axis)
        FMaster->AxisDataExtent(*Axis, Running, Minimum, Maximum);
}

// Axes fire their range events at every point that moves them: nothing is
// looked up for an event that has no handler.
template <class Event, class... Args>
void TkPlotComponent::FireAxisEvent(TkPlotAxis* Axis, const Event& XEvent, const Event& YEvent, Args&&... A)
{
    if (IsLoading() || !Axis)
        return;
    const Event& event = Axis->Kind() == TkPlotObjectKind::XAxis ? XEvent : YEvent;
    if (!event)
        return;
    const int index = IndexInKind(Axis);
    if (index < 0)
        return;
    event(index, std::forward<Args>(A)...);
    // The handler's time counts for the changes that follow.
    ForgetClockReading();
}

void TkPlotComponent::DoAxisMinChange(TkPlotAxis* Axis, double OldValue, double NewValue)
{
    FireAxisEvent(Axis, OnXAxisMinChange, OnYAxisMinChange, OldValue, NewValue);
}

void TkPlotComponent::DoAxisSpanChange(TkPlotAxis* Axis, double OldValue, double NewValue)
{
    FireAxisEvent(Axis, OnXAxisSpanChange, OnYAxisSpanChange, OldValue, NewValue);
}

void TkPlotComponent::DoAxisMinSpanChange(TkPlotAxis* Axis, double OldMin, double OldSpan, double NewMin,
                                          double NewSpan)
{
    FireAxisEvent(Axis, OnXAxisMinSpanChange, OnYAxisMinSpanChange, OldMin, OldSpan, NewMin, NewSpan);
}

void TkPlotComponent::DoAxisMinSpanChangeFinished(TkPlotAxis* Axis, double OldMin, double OldSpan, double NewMin,
                                                  double NewSpan)
{
    FireAxisEvent(Axis, OnXAxisMinSpanChangeFinished, OnYAxisMinSpanChangeFinished, OldMin, OldSpan, NewMin, NewSpan);
}

void TkPlotComponent::DoAxisCustomizeLabel(TkPlotAxis* Axis, double Value, std::string& Label)
{
    FireAxisEvent(Axis, OnXAxisCustomizeLabel, OnYAxisCustomizeLabel, Value, Label);
}

void TkPlotComponent::DoAxisCustomizeHint(TkPlotAxis* Axis, std::string& Text)
{
    FireAxisEvent(Axis, OnXAxisCustomizeHint, OnYAxisCustomizeHint, Text);
}

std::vector<TkPlotAxis*> TkPlotComponent::GetAxes(const TkPlotKind& Kind)
{
    std::vector<TkPlotAxis*> axes;
    if (Kind == TkPlotObjectKind::XAxis)
        for (int i = 0; i < GetXAxisCount(); ++i)
            axes.push_back(GetXAxis(i));
    else if (Kind == TkPlotObjectKind::YAxis)
        for (int i = 0; i < GetYAxisCount(); ++i)
            axes.push_back(GetYAxis(i));
    return axes;
}

void TkPlotComponent::DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel)
{
    if (!IsLoading() && OnBeforeZoomBox)
        OnBeforeZoomBox(ZoomRect, Cancel);
}

bool TkPlotComponent::TryOccupyRect(const TRect& R)
{
    const TRect bounds = GetDataViewCount() > 0 ? GetDataViewRect() : FLayoutPass.InnerArea();
    return FOccupiedRects.TryOccupy(R, bounds);
}

std::string TkPlotComponent::TranslateText(const std::string& Text)
{
    return GetTranslationManager() ? GetTranslationManager()->Translate(Text) : Text;
}

// ---------------------------------------------------------------- layout and painting

void TkPlotComponent::CalcLayout(TCanvas* Canvas)
{
    FLayoutPass.Run(*FMaster, Canvas, LayoutFrame());
}

TkPlotLayoutFrame TkPlotComponent::LayoutFrame() const
{
    TkPlotLayoutFrame frame;
    frame.Width = GetWidth();
    frame.Height = GetHeight();
    frame.Border = GetBorderStyle() != kbsNone ? 2 : 0;
    frame.MarginLeft = FOuterMargin.Left;
    frame.MarginTop = FOuterMargin.Top;
    frame.MarginRight = FOuterMargin.Right;
    frame.MarginBottom = FOuterMargin.Bottom;
    frame.XYAxesReverse = GetXYAxesReverse();
    return frame;
}

void TkPlotComponent::PaintBackGround(TCanvas* Canvas)
{
    if (FBackGroundGradientEnabled) {
        const TRect all(0, 0, GetWidth(), GetHeight());
        Canvas->SetClipRect(all);
        Finally(
            [&] {
                DrawGradient(Canvas, all, FBackGroundGradientDirection, FBackGroundGradientStartColor,
                             FBackGroundGradientStopColor);
            },
            [&] { Canvas->RemoveClipRect(); });
    } else {
        DrawBackGround(Canvas, GetBackGroundColor());
    }
}

bool TkPlotComponent::HasPaintedKinds() const
{
    for (const TkPlotKindManager* m : FMaster->KindManagers())
        if (m->Kind().RequiredToPaint && !m->HasObjects())
            return false;
    return true;
}

template <class F> void TkPlotComponent::ForEachPainted(TkPlotPaintPlace::TStage Stage, F Call) const
{
    FMaster->ForEachObjectByKind([&](const TkPlotKind& Kind, TkPlotObject& Object) {
        if (!Kind.Paint)
            return;
        const TkPlotPaintPlace place = Kind.Paint(Object);
        if (place.Stage == Stage)
            Call(Object, place);
    });
}

void TkPlotComponent::BuildPaintOrder(TkPlotObject* DataView)
{
    // The data view first, under everything drawn in it.
    FPaintOrder.Clear();
    FPaintOrder.Add(DataView->GetLayer(), 'B', DataView);
    ForEachPainted(TkPlotPaintPlace::InDataView, [&](TkPlotObject& Object, const TkPlotPaintPlace& Place) {
        FPaintOrder.Add(Object.GetLayer(), Place.Group, &Object);
    });
}

void TkPlotComponent::PaintOverPlot(TCanvas* Canvas, TColor ViewBackground)
{
    struct TEntry {
        int Rank;
        TkPlotObject* Object;
        bool OnViewBackground;
    };
    std::vector<TEntry> entries;
    ForEachPainted(TkPlotPaintPlace::OverPlot, [&](TkPlotObject& Object, const TkPlotPaintPlace& Place) {
        entries.push_back({Place.Rank, &Object, Place.OnViewBackground});
    });
    // Kinds of one rank keep their order, objects their list order.
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) { return a.Rank < b.Rank; });
    for (const TEntry& e : entries)
        e.Object->Draw(Canvas, e.OnViewBackground ? ViewBackground : GetBackGroundColor());
}

void TkPlotComponent::DrawHint(TCanvas* Canvas)
{
    if (!FHint.Visible()) {
        FHint.SetDrawn(false);
        return;
    }
    Canvas->Font->Assign(FHintsFont.get());
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(clInfoBk);
    Canvas->Font->SetColor(clInfoText);
    Canvas->Pen->SetStyle(psClear);
    TRect r = FHint.Rect();
    Canvas->Rectangle(r);
    DrawFormattedText(Canvas, FHint.Text(), r, ktfCenter | ktfVCenter | ktfSingleLine, true);
    FHint.SetDrawn(true);
}

void TkPlotComponent::PaintToCanvas(TCanvas* Canvas)
{
    FPainting = true;
    Finally(
        [&] {
            // Without a toolbar, a legend and a data view there is no chart
            // to draw, but the control still shows its own face.
            if (!HasPaintedKinds() || GetDataViewCount() == 0) {
                PaintBackGround(Canvas);
                return;
            }
            TkPlotDataView* view = FMaster->DataViewManager()->GetItem(0);
            // What objects drawn over the data view take as their background.
            const TColor back = view->GetBackgroundTransparent() ? GetBackGroundColor() : view->GetBackgroundColor();
            FOccupiedRects.Clear();
            FPaintOrder.Clear();
            for (TkPlotKindManager* m : FMaster->KindManagers())
                if (m->Kind().BeforeLayout)
                    m->Kind().BeforeLayout(*m, *FMaster);
            std::vector<TkPlotAxis*> axes = GetAxes(TkPlotObjectKind::XAxis);
            for (TkPlotAxis* axis : GetAxes(TkPlotObjectKind::YAxis))
                axes.push_back(axis);
            const TkPlotLayoutMemo::TInputs inputs = TkPlotLayoutMemo::Take(*FMaster, LayoutFrame(), Canvas);
            const bool reuse = FLayoutReuse && IsPaintBuffer(Canvas);
            if (!reuse || !FLayoutMemo.Holds(inputs)) {
                const bool setupHolds = reuse && FLayoutMemo.HoldsSetup(inputs);
                // The ticks at the layout's rectangles are the first pass of
                // a computation, and all of it where the measures hold.
                for (TkPlotAxis* axis : axes)
                    axis->CalcTicks(Canvas);
                if (!setupHolds || !FLayoutMemo.Remeasure(*FMaster, Canvas, inputs)) {
                    FLayoutMemo.Begin(*FMaster);
                    CalcLayout(Canvas);
                    CalcLayout(Canvas);
                    for (TkPlotAxis* axis : axes)
                        axis->CalcTicks(Canvas);
                    FLayoutMemo.End(*FMaster, Canvas, inputs);
                }
            }
            FMaster->ForEachObjectByKind([&](const TkPlotKind& Kind, TkPlotObject& Object) {
                if (Kind.PreDrawn)
                    Object.PreDraw(Canvas);
            });
            for (TkPlotAxis* axis : axes)
                axis->PreDraw(Canvas);
            FMaster->ForEachObjectByKind([&](const TkPlotKind& Kind, TkPlotObject& Object) {
                if (Kind.TakeDataView)
                    Kind.TakeDataView(Object, *view);
            });
            PaintBackGround(Canvas);
            view->FillBackground(Canvas);
            BuildPaintOrder(view);
            const TRect& area = view->GetDrawRect();
            for (int i = 0; i < FPaintOrder.Count(); ++i) {
                Canvas->SetClipRect(TRect(area.Left, area.Top, area.Right + 1, area.Bottom + 1));
                Finally([&] { FPaintOrder.Item(i)->Draw(Canvas, back); }, [&] { Canvas->RemoveClipRect(); });
            }
            view->DrawZoomBox(Canvas);
            Canvas->Brush->SetColor(GetBackGroundColor());
            Canvas->Brush->SetStyle(bsSolid);
            DrawBorder(Canvas);
            PaintOverPlot(Canvas, back);
            DrawHint(Canvas);
            FPainting = false;
            if (OnAfterPaint)
                OnAfterPaint(this);
        },
        [&] { FPainting = false; });
}

// ---------------------------------------------------------------- hit testing and input

TkPlotObject* TkPlotComponent::ObjectAt(TPoint P) const
{
    const TkPlotObjectManager* all = GetObjectManager();
    auto pass = [&](auto Eligible) -> TkPlotObject* {
        for (int i = 0; i < all->GetCount(); ++i) {
            TkPlotObject* o = all->GetObject(i);
            if (o->GetEnabled() && o->GetVisible() && Eligible(o) && o->HitTest(o->MakeMouseData(P)))
                return o->GetObjectAt(P);
        }
        return nullptr;
    };
    auto ordinary = [](const TkPlotObject* o) { return o->Kind() != TkPlotObjectKind::Other && !o->Kind().HitLast; };
    if (TkPlotObject* hit = pass([&](const TkPlotObject* o) { return ordinary(o) && o->GetFocused(); }))
        return hit;
    if (TkPlotObject* hit = pass(ordinary))
        return hit;
    return pass([](const TkPlotObject* o) { return o->Kind().HitLast; });
}

void TkPlotComponent::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TPoint p(X, Y);
    GetObjectManager()->SetShiftState(Shift);
    FMouseIsDown = true;
    if (GetVisible() && GetEnabled())
        SetFocus();
    FHint.Hide();
    if (Button == mbRight)
        FMaster->ClearFocus();
    TkPlotObject* hit = ObjectAt(p);
    if (!hit) {
        FMaster->ClearFocus();
        return;
    }
    FPressedObject = hit;
    if (Shift & ssShift) {
        hit->SetFocused(true);
        FAxisModifier = FAxisModifier || hit->IsAxis();
    } else if (Shift & ssCtrl) {
        hit->SetFocused(!hit->GetFocused());
        FAxisModifier = FAxisModifier || hit->IsAxis();
    } else if (!hit->Kind().Unselectable && hit->GetCanFocus()) {
        hit->SetFocused(true);
    }
    if (Button == mbRight)
        SetMouseCapture(true);
    const TPoint screen = ClientToScreen(p);
    if (Button == mbRight || hit->Kind().PressAlone || IsButton(hit) || !hit->GetCanFocus())
        hit->MouseDown(Button, Shift, p, screen, FPopupMenu.get());
    else
        GetObjectManager()->MouseDown(Button, Shift, p, screen, FPopupMenu.get());
}

void TkPlotComponent::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    if (IsDesignMode() || FAxisModifier)
        return;
    const TPoint p(X, Y);
    if (!PtInRect(GetClientRect(), p) && !FMouseIsDown)
        SetMouseCapture(false);
    GetObjectManager()->SetShiftState(Shift);
    if ((Shift & (ssLeft | ssRight)) && FPressedObject) {
        if (!FPressedObject->Kind().DragAlone && !IsButton(FPressedObject) && FPressedObject->GetCanFocus())
            GetObjectManager()->MouseMove(Shift, p);
        else
            FPressedObject->MouseMove(Shift, p);
        SetCursor(crDefault);
        return;
    }
    DispatchMove(Shift & ~(ssLeft | ssRight | ssMiddle), p);
}

void TkPlotComponent::DispatchMove(TShiftState Shift, TPoint P)
{
    if (FPressedObject)
        FPressedObject->MouseMove(Shift, P);
    GetObjectManager()->MouseMove(Shift, P);
    TkPlotObject* hit = ObjectAt(P);
    if (FHoveredObject && FHoveredObject != hit)
        FHoveredObject->MouseLeave();
    FHoveredObject = hit;
    TkPlotHintData hint;
    if (!hit) {
        SetCursor(crDefault);
    } else {
        TCursor cursor = hit->GetMouseCursor(P);
        if (TkPlotKindEvents* events = EventsOf(hit); events && events->OnGetMouseCursor && !IsLoading())
            events->OnGetMouseCursor(IndexInKind(hit), cursor);
        SetCursor(cursor);
        hit->MouseMove(Shift, P, &hint);
    }
    if (FHintsShow)
        FHint.MouseMoved(hit, hint.Text, hint.Rect, P, FMouseIsDown, FHintSettings);
}

void TkPlotComponent::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsDesignMode())
        return;
    const TPoint p(X, Y);
    const TPoint screen = ClientToScreen(p);
    FMouseIsDown = false;
    FAxisModifier = false;
    GetObjectManager()->SetShiftState(Shift);
    FHint.Hide();
    TkPlotObject* pressed = FPressedObject;
    FLastClickedObject = pressed;
    FLastClickedButton = Button;
    FLastClickedShift = Shift;
    FLastClickedPoint = p;
    FLastClickedScreen = screen;
    // The press ends here even when a handler raises.
    Finally(
        [&] {
            if (pressed)
                pressed->MouseUp(Button, Shift, p, screen, FDoubleClickPending, FPopupMenu.get());
            GetObjectManager()->MouseUp(Button, Shift, p, screen, FDoubleClickPending, FPopupMenu.get());
        },
        [&] {
            FPressedObject = nullptr;
            FDoubleClickPending = false;
            if (Button == mbRight)
                SetMouseCapture(false);
        });
}

void TkPlotComponent::HandleDblClick()
{
    FDoubleClickPending = true;
}

bool TkPlotComponent::HandleMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    GetObjectManager()->MouseWheel(WheelDelta, Shift, TPoint(X, Y));
    return true;
}

void TkPlotComponent::HandleWantKeys(std::uint16_t Key, bool& Want)
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        Want = true;
}

void TkPlotComponent::HandleKeyDown(std::uint16_t& Key, TShiftState Shift)
{
    GetObjectManager()->KeyDown(Key, Shift, FPopupMenu.get());
}

void TkPlotComponent::HandleLostFocus()
{
    FHint.Hide();
    if (TkPlotObject* hovered = std::exchange(FHoveredObject, nullptr))
        hovered->MouseLeave();
    TkCustomComponent::HandleLostFocus();
}

// The hint goes when the mouse leaves the plot; a shown hint holds no
// mouse grab, which would keep every other window from the mouse.
void TkPlotComponent::MouseLeave()
{
    FHint.Hide();
    if (TkPlotObject* hovered = std::exchange(FHoveredObject, nullptr))
        hovered->MouseLeave();
    TkCustomComponent::MouseLeave();
}

void TkPlotComponent::RestartHintTimer(int Milliseconds)
{
    StopTimer();
    StartTimer(std::max(Milliseconds, 1), 0);
}

void TkPlotComponent::HintTimerTick()
{
    FHint.TimerFired(FHintSettings);
}

// ---------------------------------------------------------------- form data

void TkPlotComponent::WriteImageList(TStream& Stream, int Index) const
{
    try {
        FImageLists.at(static_cast<std::size_t>(Index))->WriteData(Stream);
    } catch (const std::exception&) {
        throw EWriteError("Failed to write ImageList data to stream");
    }
}

void TkPlotComponent::ReadImageList(TStream& Stream, int Index)
{
    try {
        FImageLists.at(static_cast<std::size_t>(Index))->ReadData(Stream);
    } catch (const std::exception&) {
        throw EReadError("Failed to read ImageList data from stream");
    }
}

void TkPlotComponent::DefineProperties(TFiler& Filer)
{
    TkCustomComponent::DefineProperties(Filer);
    // A full image (written to restore the plot after a failed read) says
    // "none" too, so that reading it back empties what the failed read filled.
    const auto* writer = dynamic_cast<const TWriter*>(&Filer);
    const bool fullImage = writer && writer->WriteDefaults;
    Filer.DefineProperty(
        "DataViewZHorz", [this](TReader& R) { SetDataViewZHorz(ClampToInt(double(R.ReadInteger()))); },
        [this](TWriter& W) { W.WriteInteger(GetDataViewZHorz()); }, true);
    Filer.DefineProperty(
        "DataViewZVert", [this](TReader& R) { SetDataViewZVert(ClampToInt(double(R.ReadInteger()))); },
        [this](TWriter& W) { W.WriteInteger(GetDataViewZVert()); }, true);
    for (int i = 0; i < 3; ++i)
        Filer.DefineBinaryProperty(
            "ImageList" + std::to_string(i), [this, i](TStream& S) { ReadImageList(S, i); },
            [this, i](TStream& S) { WriteImageList(S, i); }, fullImage || FImageLists[std::size_t(i)]->GetCount() > 0);
    for (TkPlotKindManager* manager : FMaster->KindManagers()) {
        if (!manager->Kind().Streamed)
            continue;
        Filer.DefineProperty(
            std::string(manager->Kind().Name) + "Manager",
            [this, manager](TReader& R) {
                // Stored levels stay as they are: no re-levelling while
                // the objects come in.
                TkPlotLayoutManager* layout = FMaster->LayoutManager();
                const bool placing = layout->GetAutoPlacement();
                layout->SetAutoPlacement(false);
                Finally([&] { manager->ReadObjects(R); }, [&] { layout->SetAutoPlacement(placing); });
                InvalidateChange();
            },
            [manager](TWriter& W) { manager->WriteObjects(W); }, fullImage || manager->HasObjects());
    }
    if (TkPlotTranslationManager* translations = GetTranslationManager())
        Filer.DefineProperty(
            "TranslationManager", [translations](TReader& R) { translations->ReadItems(R); },
            [translations](TWriter& W) { translations->WriteItems(W); }, fullImage || translations->HasItems());
}

void TkPlotComponent::Loaded()
{
    TkCustomComponent::Loaded();
    FMaster->LayoutManager()->SetAutoPlacement(true);
}

// ---------------------------------------------------------------- what the output asks

void TkPlotComponent::SetOuterMargins(const TRect& Value)
{
    SetOuterMarginLeft(Value.Left);
    SetOuterMarginTop(Value.Top);
    SetOuterMarginRight(Value.Right);
    SetOuterMarginBottom(Value.Bottom);
}

void TkPlotComponent::DoBeforePrint()
{
    if (OnBeforePrint)
        OnBeforePrint(this);
}

void TkPlotComponent::DoBeforePrintPage(int Page, bool LastPage)
{
    if (OnBeforePrintPage)
        OnBeforePrintPage(Page, LastPage);
}

void TkPlotComponent::DoAfterPrint()
{
    if (OnAfterPrint)
        OnAfterPrint(this);
}
