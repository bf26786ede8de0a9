#pragma once
// The chart control: owns the master manager that holds every plot object,
// lays the objects out, paints them, routes mouse and keyboard input to
// them, shows their hints, streams them with its form data, and raises one
// family of events per object kind. The kinds themselves register from
// their own files (see kPlotKind.h).
// What it shows goes out through TkPlotOutput (clipboard, printing, the
// preview hand-off, image files) and its run-time editor is kept by
// TkPlotEditorHost: both live beside it, owned here and reached through
// the thin forwards below, so that neither grows inside this class. Its
// property-text files belong beside it likewise.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plot/core/kCustomComponent.h"
#include "plot/core/kGraphicsProperties.h"
#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotDataHost.h"
#include "plot/core/kPlotDataLog.h"
#include "plot/core/kPlotEditorHost.h"
#include "plot/core/kPlotHint.h"
#include "plot/core/kPlotLayoutMemo.h"
#include "plot/core/kPlotLayoutPass.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotOccupiedRects.h"
#include "plot/core/kPlotOutput.h"
#include "plot/core/kPlotOutputHost.h"
#include "plot/core/kPlotPaintOrder.h"
#include "plot/core/kPlotPixels.h"
#include "ui/Brush.h"
#include "ui/Pen.h"

class TImageList;
class TMetafile;
class TPopupMenu;
class TStream;

PUBLISHED_ENUM(TkPlotReferenceType, kprtDataView, kprtChannel, kprtXChannelYDataView, kprtXDataViewYChannel);
PUBLISHED_ENUM(TkPlotReferenceIndividual, kpriDataView, kpriChannel, kpriAuto);
PUBLISHED_ENUM(TkPlotDataFileColumnSeparator, kpdfcsTab, kpdfcsComma);
PUBLISHED_ENUM_NAMES(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
PUBLISHED_ENUM_NAMES(TPrinterOrientation, poPortrait, poLandscape);

// Per-kind events: Index is the object's index within its kind.
using TkPlotObjectEvent = std::function<void(int Index)>;
using TkPlotObjectMouseEvent = std::function<void(int Index, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TkPlotObjectMouseMoveEvent = std::function<void(int Index, TShiftState Shift, int X, int Y)>;
using TkPlotObjectMouseWheelEvent = std::function<void(int Index, int WheelDelta, TShiftState Shift, int X, int Y)>;
using TkPlotObjectGetMouseCursorEvent = std::function<void(int Index, TCursor& MouseCursor)>;
using TkPlotPopupMenuEvent = std::function<void(int Index, bool& Cancel, int ScreenX, int ScreenY)>;
using TkPlotDataPointMouseEvent =
    std::function<void(int ChannelIndex, int DataIndex, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TkPlotDataPointMouseMoveEvent =
    std::function<void(int ChannelIndex, int DataIndex, TShiftState Shift, int X, int Y)>;
using TkPlotClickDataPointEvent = std::function<void(int ChannelIndex, int DataIndex)>;
using TkPlotDataPointMovedEvent =
    std::function<void(int ChannelIndex, int DataIndex, double OldX, double OldY, double NewX, double NewY)>;
using TkPlotObjectDoubleValueChangeEvent = std::function<void(int Index, double OldValue, double NewValue)>;
using TkPlotAxesMinSpanChangeEvent =
    std::function<void(int Index, double OldMin, double OldSpan, double NewMin, double NewSpan)>;
using TkPlotAxesCustomizeLabelEvent = std::function<void(int Index, double Value, std::string& ALabel)>;
using TkPlotObjectCustomizeTextEvent = std::function<void(int Index, std::string& AText)>;
using TkPlotDataPointCustomizeTextEvent = std::function<void(int ChannelIndex, int DataPointIndex, std::string& AText)>;
using TkPlotToolBarButtonEvent = std::function<void(int Index, int ButtonType)>;
using TkPlotToolBarButtonBeforeEvent = std::function<void(int Index, int ButtonType, bool& Cancel)>;
using TkPlotZoomBoxEvent = std::function<void(TRect& ZoomRect, bool& Cancel)>;
using TkPlotPrintPageEvent = std::function<void(int PageIndex, bool LastPage)>;

// The events of one object kind; the plot exposes them by name
// (OnMouseDownXAxis is the OnMouseDown of the kind named XAxis).
struct TkPlotKindEvents {
    TkPlotObjectMouseEvent OnMouseDown;
    TkPlotObjectMouseEvent OnMouseUp;
    TkPlotObjectMouseMoveEvent OnMouseMove;
    TkPlotObjectMouseWheelEvent OnMouseWheel;
    TkPlotObjectEvent OnClick;
    TkPlotObjectEvent OnDblClick;
    TkPlotObjectEvent OnGotFocus;
    TkPlotObjectEvent OnLostFocus;
    TkPlotObjectEvent OnAdd;
    TkPlotObjectEvent OnRemove;
    TkPlotObjectGetMouseCursorEvent OnGetMouseCursor;
    TkPlotPopupMenuEvent OnPopupMenu;
};

// The kinds of each event family, as the plot publishes them.
// clang-format off
#define KPLOT_MOUSE_KINDS(X, Family, Type) \
    X(Family, XAxis, Type) X(Family, YAxis, Type) X(Family, DataView, Type) X(Family, Legend, Type) \
    X(Family, Channel, Type) X(Family, Limit, Type) X(Family, DataCursor, Type) X(Family, Annotation, Type)
#define KPLOT_FOCUS_KINDS(X, Family, Type) \
    X(Family, Channel, Type) X(Family, XAxis, Type) X(Family, YAxis, Type) X(Family, DataCursor, Type) \
    X(Family, DataView, Type) X(Family, Legend, Type) X(Family, Annotation, Type)
#define KPLOT_ADD_KINDS(X, Family, Type) \
    X(Family, Channel, Type) X(Family, XAxis, Type) X(Family, YAxis, Type) X(Family, DataCursor, Type) \
    X(Family, DataView, Type) X(Family, Legend, Type) X(Family, Limit, Type) X(Family, Table, Type) \
    X(Family, Annotation, Type)
#define KPLOT_POPUP_KINDS(X, Family, Type) \
    X(Family, Channel, Type) X(Family, XAxis, Type) X(Family, YAxis, Type) X(Family, DataCursor, Type) \
    X(Family, DataView, Type) X(Family, Legend, Type) X(Family, Limit, Type) X(Family, Annotation, Type)
#define KPLOT_KIND_EVENTS(X)                                          \
    KPLOT_MOUSE_KINDS(X, OnMouseDown, TkPlotObjectMouseEvent)         \
    KPLOT_MOUSE_KINDS(X, OnMouseUp, TkPlotObjectMouseEvent)           \
    KPLOT_MOUSE_KINDS(X, OnMouseMove, TkPlotObjectMouseMoveEvent)     \
    KPLOT_MOUSE_KINDS(X, OnMouseWheel, TkPlotObjectMouseWheelEvent)   \
    KPLOT_MOUSE_KINDS(X, OnClick, TkPlotObjectEvent)                  \
    KPLOT_MOUSE_KINDS(X, OnDblClick, TkPlotObjectEvent)               \
    KPLOT_FOCUS_KINDS(X, OnGotFocus, TkPlotObjectEvent)               \
    KPLOT_FOCUS_KINDS(X, OnLostFocus, TkPlotObjectEvent)              \
    KPLOT_ADD_KINDS(X, OnAdd, TkPlotObjectEvent)                      \
    KPLOT_ADD_KINDS(X, OnRemove, TkPlotObjectEvent)                   \
    KPLOT_ADD_KINDS(X, OnGetMouseCursor, TkPlotObjectGetMouseCursorEvent) \
    KPLOT_POPUP_KINDS(X, OnPopupMenu, TkPlotPopupMenuEvent)
// clang-format on

// The plot's other events: type and name.
#define KPLOT_OTHER_EVENTS(X)                                         \
    X(TkPlotDataPointMouseEvent, OnMouseDownDataPoint)                \
    X(TkPlotDataPointMouseEvent, OnMouseUpDataPoint)                  \
    X(TkPlotDataPointMouseMoveEvent, OnMouseMoveDataPoint)            \
    X(TkPlotClickDataPointEvent, OnClickDataPoint)                    \
    X(TkPlotClickDataPointEvent, OnDblClickDataPoint)                 \
    X(TkPlotDataPointMovedEvent, OnDataPointMoved)                    \
    X(TkPlotObjectDoubleValueChangeEvent, OnXAxisMinChange)           \
    X(TkPlotObjectDoubleValueChangeEvent, OnXAxisSpanChange)          \
    X(TkPlotObjectDoubleValueChangeEvent, OnYAxisMinChange)           \
    X(TkPlotObjectDoubleValueChangeEvent, OnYAxisSpanChange)          \
    X(TkPlotObjectDoubleValueChangeEvent, OnLimitLine1PositionChange) \
    X(TkPlotObjectDoubleValueChangeEvent, OnLimitLine2PositionChange) \
    X(TkPlotAxesMinSpanChangeEvent, OnXAxisMinSpanChange)             \
    X(TkPlotAxesMinSpanChangeEvent, OnXAxisMinSpanChangeFinished)     \
    X(TkPlotAxesMinSpanChangeEvent, OnYAxisMinSpanChange)             \
    X(TkPlotAxesMinSpanChangeEvent, OnYAxisMinSpanChangeFinished)     \
    X(TkPlotAxesCustomizeLabelEvent, OnXAxisCustomizeLabel)           \
    X(TkPlotAxesCustomizeLabelEvent, OnYAxisCustomizeLabel)           \
    X(TkPlotObjectCustomizeTextEvent, OnDataCursorCustomizeHint)      \
    X(TkPlotObjectCustomizeTextEvent, OnXAxisCustomizeHint)           \
    X(TkPlotObjectCustomizeTextEvent, OnYAxisCustomizeHint)           \
    X(TkPlotObjectCustomizeTextEvent, OnToolBarCustomizeHint)         \
    X(TkPlotDataPointCustomizeTextEvent, OnDataPointCustomizeHint)    \
    X(TkPlotObjectEvent, OnDataCursorChange)                          \
    X(TkPlotObjectEvent, OnBeforeDataCursorUpdate)                    \
    X(TkPlotObjectEvent, OnAnnotationCoordinatesChange)               \
    X(TkPlotObjectEvent, OnAnnotationMoveUser)                        \
    X(TkPlotObjectEvent, OnAnnotationResizeUser)                      \
    X(TkPlotObjectEvent, OnAnnotationCoordinatesChangeFinished)       \
    X(TkPlotToolBarButtonEvent, OnToolBarButtonClick)                 \
    X(TkPlotToolBarButtonBeforeEvent, OnBeforeToolBarButtonClick)     \
    X(TkPlotZoomBoxEvent, OnBeforeZoomBox)                            \
    X(TkPlotPrintPageEvent, OnBeforePrintPage)                        \
    X(TNotifyEvent, OnBeforePrint)                                    \
    X(TNotifyEvent, OnAfterPrint)                                     \
    X(TNotifyEvent, OnBeforeLoadProperties)                           \
    X(TNotifyEvent, OnAfterLoadProperties)                            \
    X(TNotifyEvent, OnAfterSaveProperties)                            \
    X(TNotifyEvent, OnAfterLoadData)                                  \
    X(TNotifyEvent, OnAfterSaveData)                                  \
    X(TNotifyEvent, OnAfterOpenEditor)                                \
    X(TNotifyEvent, OnAfterCloseEditor)

class TkPlotPointerModes;

// Its output, data file and log reach it through the small interfaces it
// implements, answered from its properties. The data host is public: a
// data file can be made over any plot, to read or write its bytes without
// a file on disk.
class TkPlotComponent : public TkCustomComponent,
                        public TkPlotObjectOwner,
                        private TkPlotHintTimer,
                        public TkPlotDataHost,
                        private TkPlotOutputHost {
    PUBLISHED_CLASS(TkPlotComponent);
    // By kind name. First, so that the named events below can refer into it.
    std::map<std::string, TkPlotKindEvents, std::less<>> FKindEvents;

public:
    explicit TkPlotComponent(TComponent* AOwner);
    ~TkPlotComponent() override;

    TkPlotMasterManager& GetMasterManager() const override { return *FMaster; }
    TkPlotObjectManager* GetObjectManager() const { return FMaster->ObjectManager(); }
    TkPlotTranslationManager* GetTranslationManager() const { return FMaster->TranslationManager(); }

    // ---- objects by kind (index from 0)
    int GetChannelCount() const override;
    TkPlotObject* GetChannel(int Index) const override;
    int GetDataViewCount() const;
    TkPlotObject* GetDataView(int Index) const;
    int GetDataCursorCount() const;
    TkPlotObject* GetDataCursor(int Index) const;
    int GetXAxisCount() const;
    TkPlotAxis* GetXAxis(int Index) const override;
    int GetYAxisCount() const;
    TkPlotAxis* GetYAxis(int Index) const;
    int GetLegendCount() const;
    TkPlotObject* GetLegend(int Index) const;
    int GetTableCount() const;
    TkPlotObject* GetTable(int Index) const;
    int GetToolBarCount() const override;
    TkPlotObject* GetToolBar(int Index) const override;
    int GetAnnotationCount() const;
    TkPlotObject* GetAnnotation(int Index) const;
    int GetLimitCount() const;
    TkPlotObject* GetLimit(int Index) const;
    int GetLabelCount() const;
    TkPlotObject* GetLabel(int Index) const;

    virtual void RemoveAllToolBars();
    virtual void RemoveAllLegends();
    virtual void RemoveAllTables();
    virtual void RemoveAllXAxes();
    virtual void RemoveAllYAxes();
    virtual void RemoveAllDataViews();
    virtual void RemoveAllDataCursors();
    virtual void RemoveAllChannels();
    virtual void RemoveAllAnnotations();
    virtual void RemoveAllLimits();
    // Keeps the title label (label 0).
    virtual void RemoveAllLabels();
    virtual void RemoveAllTranslations();
    virtual void DeleteToolBar(int Index);
    virtual void DeleteLegend(int Index);
    virtual void DeleteTable(int Index);
    virtual void DeleteXAxis(int Index);
    virtual void DeleteYAxis(int Index);
    virtual void DeleteDataView(int Index);
    virtual void DeleteDataCursor(int Index);
    virtual void DeleteChannel(int Index);
    virtual void DeleteAnnotation(int Index);
    virtual void DeleteLimit(int Index);
    // Label 0 is the title: "Label Index 0 can not be Deleted (Resevered for Title)".
    virtual void DeleteLabel(int Index);
    virtual void DeleteTranslation(int Index);
    virtual int AddChannel();
    virtual int AddDataView();
    virtual int AddDataCursor();
    virtual int AddXAxis();
    virtual int AddYAxis();
    virtual int AddLegend();
    virtual int AddTable();
    virtual int AddToolBar();
    // The new annotation takes the AnnotationDefault settings.
    virtual int AddAnnotation();
    virtual int AddLimit();
    virtual int AddLabel();

    // By name, ignoring case; none (or -1) when missing.
    TkPlotObject* GetChannelByName(const std::string& Name) const;
    TkPlotAxis* GetXAxisByName(const std::string& Name) const;
    TkPlotAxis* GetYAxisByName(const std::string& Name) const;
    int GetChannelIndexByName(const std::string& Name) const;

    // Select mode is the down state of the first toolbar's select button;
    // setting it clicks that button when its state differs. Without a
    // toolbar it reads False and setting it does nothing.
    bool GetSelectMode() const override;
    void SetSelectMode(bool Value);
    // The first toolbar's zoom-box button is down: a drag in the data view
    // draws a zoom box.
    bool GetZoomBoxMode() const override;

    void DisableAllTracking();
    void EnableAllTracking();

    // ---- published properties
    PUBLISHED_ACCESSORS(TAlign, Align);
    PUBLISHED_ACCESSORS(bool, TabStop, false);
    PUBLISHED_ACCESSORS(TColor, BackGroundColor, clBlack);
    PUBLISHED_ACCESSORS(TkBevelStyle, BorderStyle, kbsLowered);
    PUBLISHED_ACCESSORS(bool, AutoFrameRate, true);
    PUBLISHED_EVENT(TNotifyEvent, OnResize);
    // The levels of the data view among the rows and the columns.
    int GetDataViewZHorz() const;
    void SetDataViewZHorz(int Value);
    PUBLISHED_ACCESSORS(int, DataViewZHorz);
    int GetDataViewZVert() const;
    void SetDataViewZVert(int Value);
    PUBLISHED_ACCESSORS(int, DataViewZVert);
    bool GetXYAxesReverse() const { return FMaster->GetXYAxesReverse(); }
    void SetXYAxesReverse(bool Value);
    PUBLISHED_ACCESSORS(bool, XYAxesReverse, false);
    PUBLISHED_VIA(bool, UserCanEditObjects, FMaster->GetUserCanEditObjects(), FMaster->SetUserCanEditObjects(Value),
                  true);
    PUBLISHED(bool, UserCanAddRemoveChannels, false, );
    // Pixels between the control's edge and the objects, as the sides of a
    // rectangle, kept within the pixel limit.
    PUBLISHED_GROUP_CHECKED(TRect, OuterMargin, (TRect{5, 5, 5, 5}), InvalidateChange(), KeepPixel, Left, Top, Right,
                            Bottom);
    // The output's and the editor host's settings, published as the plot's.
    PUBLISHED_MEMBER(TPrinterOrientation, PrintOrientation, FOutput.PrintOrientation, poLandscape, );
    PUBLISHED_MEMBER(double, PrintMarginLeft, FOutput.PrintMargins[0], std::nullopt, );
    PUBLISHED_MEMBER(double, PrintMarginTop, FOutput.PrintMargins[1], std::nullopt, );
    PUBLISHED_MEMBER(double, PrintMarginRight, FOutput.PrintMargins[2], std::nullopt, );
    PUBLISHED_MEMBER(double, PrintMarginBottom, FOutput.PrintMargins[3], std::nullopt, );
    PUBLISHED_MEMBER(bool, PrintShowDialog, FOutput.PrintShowDialog, true, );
    PUBLISHED_MEMBER(std::string, PrintDocumentName, FOutput.PrintDocumentName, std::nullopt, );
    PUBLISHED_MEMBER(std::string, PrinterName, FOutput.PrinterName, std::nullopt, );
    PUBLISHED_MEMBER(int, HintsPause, FHintSettings.Pause, 500, );
    PUBLISHED_MEMBER(int, HintsHidePause, FHintSettings.HidePause, 2500, );
    PUBLISHED(bool, HintsShow, true, );
    PUBLISHED_OBJECT(TFont, HintsFont, std::make_unique<TFont>());
    void SetHintsFont(const TFont* Value);
    PUBLISHED_MEMBER(TkPlotFormStyle, EditorFormStyle, FEditorHost->FormStyle, std::nullopt, );
    PUBLISHED_MEMBER(TkPlotExportFormat, CopyToClipBoardFormat, FOutput.CopyToClipBoardFormat, std::nullopt, );
    // Proxies of the title label (label 0); without a label they read
    // False, "", the plot's own font and 0, and writing does nothing.
    bool GetTitleVisible() const;
    void SetTitleVisible(bool Value);
    PUBLISHED_ACCESSORS(bool, TitleVisible, true);
    std::string GetTitleText() const;
    void SetTitleText(const std::string& Value);
    PUBLISHED_ACCESSORS(std::string, TitleText);
    TFont* GetTitleFont() const;
    void SetTitleFont(const TFont* Value);
    // The title label's own font: the label streams it, while property
    // files hold it under this name too.
    PUBLISHED_WITH(Object("TitleFont", "TFont", &TkPlotComponent::GetTitleFont, false).Shared());
    double GetTitleMargin() const;
    void SetTitleMargin(double Value);
    PUBLISHED_ACCESSORS(double, TitleMargin);
    // Not while logging.
    const std::string& GetLogFileName() const override { return FLogFileName; }
    void SetLogFileName(const std::string& Value);
    PUBLISHED_ACCESSORS(std::string, LogFileName);
    PUBLISHED(int, LogBufferSize, 0, );
    int LogBufferSize() const override { return GetLogBufferSize(); }
    bool GetLoggingActive() const { return FLoggingActive; }
    PUBLISHED_READONLY(bool, LoggingActive);
    // See TkPlotLogFile::Failure.
    const std::string& GetLogFailure() const { return FDataLog.Failure(); }
    // What a new annotation starts with.
    PUBLISHED_OBJECT(TFont, AnnotationDefaultFont, MakePublishedFont(TkFontLook{.Color = clWhite}));
    void SetAnnotationDefaultFont(const TFont* Value);
    PUBLISHED_NODEFAULT(TBrushStyle, AnnotationDefaultBrushStlye, bsSolid, );
    PUBLISHED_NODEFAULT(TColor, AnnotationDefaultBrushColor, clWhite, );
    PUBLISHED_NODEFAULT(TPenStyle, AnnotationDefaultPenStlye, psSolid, );
    PUBLISHED_NODEFAULT(TColor, AnnotationDefaultPenColor, clWhite, );
    PUBLISHED_NODEFAULT(int, AnnotationDefaultPenWidth, 1, );
    PUBLISHED_NODEFAULT(TkPlotReferenceType, AnnotationDefaultReference, kprtDataView, );
    // Position X, position Y, size X, size Y.
    TkPlotReferenceIndividual GetAnnotationDefaultReferenceIndividual(int Which) const;
    void SetAnnotationDefaultReferenceIndividual(int Which, TkPlotReferenceIndividual Value);
    PUBLISHED_VIA(TkPlotReferenceIndividual, AnnotationDefaultReferencePositionX,
                  GetAnnotationDefaultReferenceIndividual(0), SetAnnotationDefaultReferenceIndividual(0, Value));
    PUBLISHED_VIA(TkPlotReferenceIndividual, AnnotationDefaultReferencePositionY,
                  GetAnnotationDefaultReferenceIndividual(1), SetAnnotationDefaultReferenceIndividual(1, Value));
    PUBLISHED_VIA(TkPlotReferenceIndividual, AnnotationDefaultReferenceSizeX,
                  GetAnnotationDefaultReferenceIndividual(2), SetAnnotationDefaultReferenceIndividual(2, Value));
    PUBLISHED_VIA(TkPlotReferenceIndividual, AnnotationDefaultReferenceSizeY,
                  GetAnnotationDefaultReferenceIndividual(3), SetAnnotationDefaultReferenceIndividual(3, Value));
    PUBLISHED_NODEFAULT(bool, ClipAnnotationsToAxes, true, InvalidateChange());
    bool ClipsAnnotationsToAxes() const override { return GetClipAnnotationsToAxes(); }
    PUBLISHED_NODEFAULT(bool, BackGroundGradientEnabled, false, InvalidateChange());
    PUBLISHED_NODEFAULT(TkFillDirection, BackGroundGradientDirection, kfdTopBottom, InvalidateChange());
    PUBLISHED_NODEFAULT(TColor, BackGroundGradientStartColor, TColor(0xFF0000), InvalidateChange());
    PUBLISHED_NODEFAULT(TColor, BackGroundGradientStopColor, TColor(0), InvalidateChange());
    // Not while logging.
    TkPlotDataFileColumnSeparator GetDataFileColumnSeparator() const { return FDataFileColumnSeparator; }
    void SetDataFileColumnSeparator(TkPlotDataFileColumnSeparator Value);
    PUBLISHED_ACCESSORS(TkPlotDataFileColumnSeparator, DataFileColumnSeparator);
    TkPlotDataFileFormat GetDataFileFormat() const override { return FDataFileFormat; }
    void SetDataFileFormat(TkPlotDataFileFormat Value);
    PUBLISHED_ACCESSORS(TkPlotDataFileFormat, DataFileFormat);
    PUBLISHED_DATA(std::string, DefaultSaveImageDirectory, "");
    PUBLISHED_DATA(std::string, DefaultPropertyDirectory, "");
    PUBLISHED_DATA(std::string, DefaultDataDirectory, "");
    PUBLISHED_DATA(std::string, DefaultAnnotationDirectory, "");
    PUBLISHED_MEMBER(TkPlotImageFormatStyle, DefaultSaveImageFormat, FOutput.DefaultSaveImageFormat, std::nullopt, );
    PUBLISHED(bool, DifferentialPropertySave, false, );
    TImageList* GetImageList(int Index) const override { return FImageLists.at(static_cast<std::size_t>(Index)).get(); }
    TPopupMenu* GetPlotPopupMenu() const { return FPopupMenu.get(); }

    // ---- files (kept by TkPlotPropertyFile beside the plot)
    // Each raises Exception "Error Saving Properties - ", "Error Loading
    // Properties - ", "Error Saving Annotations - " or "Error Loading
    // Annotations - " followed by the failure's message.
    void SavePropertiesToFile(const std::string& FileName) override;
    void LoadPropertiesFromFile(const std::string& FileName) override;
    void SaveAnnotationsToFile(const std::string& FileName);
    void LoadAnnotationsFromFile(const std::string& FileName);
    // The configuration file saved or loaded last.
    const std::string& GetLastPropertyFileName() const { return FLastPropertyFileName; }
    // The channels' points (TkPlotDataFile); failures raise "Error Saving
    // Data - " or "Error Loading Data - " followed by their message.
    void SaveData(const std::string& FileName);
    void LoadDataFromFile(const std::string& FileName);
    // Raises what LoadDataFromFile would raise, adding no point.
    void CheckDataFile(const std::string& FileName);
    const std::string& GetLastDataFileName() const { return FLastDataFileName; }
    // The log of new points to LogFileName (TkPlotDataLog).
    void LogActivate(bool Append);
    void LogDeactivate();
    // Stops logging when it is on, then clears every channel's points and
    // restarts the tracking of every axis.
    void ClearAllData();
    void DataPointAdded(TkPlotObject* Object) override;
    // The trouble of the plot's log and of its channels' logs is told from
    // the message loop, as an error of the application: the call that met
    // it is adding points and must not be held up by a message box. What
    // comes before that is told goes into the same box.
    void DoLogNotice(const std::string& Text) override;
    void BeginPointChanges() override { BeginSharedClock(); }
    void EndPointChanges() override { EndSharedClock(); }
    void ChangesTookTime() override { ForgetClockReading(); }

    // ---- events
    // The events of any kind; those of the kinds below are also published
    // under their names.
    TkPlotKindEvents& KindEvents(const TkPlotKind& Kind) { return FKindEvents[Kind.Name]; }
#define KPLOT_DECLARE_KIND_EVENT(Family, Kind, Type) Type& Family##Kind = FKindEvents[#Kind].Family;
    KPLOT_KIND_EVENTS(KPLOT_DECLARE_KIND_EVENT)
#undef KPLOT_DECLARE_KIND_EVENT
#define KPLOT_DECLARE_EVENT(Type, Name) Type Name;
    KPLOT_OTHER_EVENTS(KPLOT_DECLARE_EVENT)
#undef KPLOT_DECLARE_EVENT
    // After every paint of the plot (the base's hook of the same name,
    // which also gets the canvas, stays reachable as TkComponent::OnAfterPaint).
    TNotifyEvent OnAfterPaint;
    // Published in the order declared above (the lists make them on one line).
#define KPLOT_PUBLISH_KIND_EVENT(Family, Kind, Type) PUBLISHED_EVENT_DESCRIPTION(Type, Family##Kind)
#define KPLOT_PUBLISH_EVENT(Type, Name) PUBLISHED_EVENT_DESCRIPTION(Type, Name)
    PUBLISHED_BLOCK(KPLOT_KIND_EVENTS(KPLOT_PUBLISH_KIND_EVENT) KPLOT_OTHER_EVENTS(KPLOT_PUBLISH_EVENT)
                        PUBLISHED_EVENT_DESCRIPTION(TNotifyEvent, OnAfterPaint));
#undef KPLOT_PUBLISH_EVENT
#undef KPLOT_PUBLISH_KIND_EVENT

    // ---- what objects call (TkPlotObjectOwner)
    void DoObjectMouseDown(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoObjectMouseMove(TkPlotObject* Object, TShiftState Shift, int X, int Y) override;
    void DoObjectMouseUp(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoObjectMouseWheel(TkPlotObject* Object, int WheelDelta, TShiftState Shift, int X, int Y) override;
    void DoObjectPopupMenu(TkPlotObject* Object, bool& Cancel, int ScreenX, int ScreenY) override;
    void DoObjectGotFocus(TkPlotObject* Object) override;
    void DoObjectLostFocus(TkPlotObject* Object) override;
    void DoAxisMinChange(TkPlotAxis* Axis, double OldValue, double NewValue) override;
    void DoAxisSpanChange(TkPlotAxis* Axis, double OldValue, double NewValue) override;
    void DoAxisMinSpanChange(TkPlotAxis* Axis, double OldMin, double OldSpan, double NewMin, double NewSpan) override;
    void DoAxisMinSpanChangeFinished(TkPlotAxis* Axis, double OldMin, double OldSpan, double NewMin,
                                     double NewSpan) override;
    void DoAxisCustomizeLabel(TkPlotAxis* Axis, double Value, std::string& Label) override;
    void DoAxisCustomizeHint(TkPlotAxis* Axis, std::string& Text) override;
    std::vector<TkPlotAxis*> GetAxes(const TkPlotKind& Kind) override;
    bool DoubleClickPending() const override
    {
        return FDoubleClickPending;
    }
    // OnBeforeZoomBox, before the axes zoom to a box drawn in the data view.
    void DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) override;
    void AddOccupiedRect(const TRect& R) override
    {
        FOccupiedRects.Add(R);
    }
    bool TryOccupyRect(const TRect& R) override;
    std::string TranslateText(const std::string& Text) override;
    TPoint ClientToScreen(const TPoint& P) override
    {
        return TkCustomComponent::ClientToScreen(P);
    }
    char GetDataFileSeparatorChar() const override
    {
        return FDataFileColumnSeparator == kpdfcsComma ? ',' : '\t';
    }
    void DoBeforeDataCursorUpdate(TkPlotObject* Cursor) override;
    void DoDataCursorChange(TkPlotObject* Cursor) override;
    void DoLimitLinePositionChange(TkPlotObject* Limit, int Line, double OldValue, double NewValue) override;
    void DoAnnotationEvent(TkPlotObject* Annotation, TAnnotationEvent Event) override;
    void DoDataCursorCustomizeHint(TkPlotObject* Cursor, std::string& Text) override;
    void DoMouseDownDataPoint(TkPlotObject* Channel, int DataIndex, TMouseButton Button, TShiftState Shift, int X,
                              int Y) override;
    void DoMouseMoveDataPoint(TkPlotObject* Channel, int DataIndex, TShiftState Shift, int X, int Y) override;
    void DoMouseUpDataPoint(TkPlotObject* Channel, int DataIndex, TMouseButton Button, TShiftState Shift, int X,
                            int Y) override;
    void DoDataPointClick(TkPlotObject* Channel, int DataIndex) override;
    void DoDataPointMoved(TkPlotObject* Channel, int DataIndex, double OldX, double OldY, double NewX,
                          double NewY) override;
    void DoDataPointCustomizeHint(TkPlotObject* Channel, int DataIndex, std::string& Text) override;
    TSize HintTextExtent(const std::string& Text) override;
    TRect GetDataViewRect() const override;
    void GetAxisDataExtent(TkPlotAxis* Axis, bool Running, double& Minimum, double& Maximum) override;
    // A click on the object: its kind's OnDblClick when a double click is
    // pending and that event is assigned (the pending flag is then used
    // up), else its OnClick.
    void DoObjectClick(TkPlotObject* Object) override;
    void DoBeforeToolBarButtonClick(TkPlotObject* ToolBar, int ButtonType, bool& Cancel) override;
    void DoToolBarButtonClick(TkPlotObject* ToolBar, int ButtonType) override;
    void DoToolBarCustomizeHint(TkPlotObject* ToolBar, std::string& Text) override;
    // The output's operations (see TkPlotOutput).
    void CopyToClipBoard() override
    {
        FOutput.CopyToClipboard();
    }
    TMetafile* GetMetafilePicture()
    {
        return FOutput.GetMetafilePicture();
    }
    void PrintPlot() override
    {
        FOutput.PrintPlot();
    }
    void PrintPreview() override
    {
        FOutput.PrintPreview(this);
    }
    void SaveImageDialog() override
    {
        FOutput.SaveImageDialog();
    }
    // The run-time editor on the page it showed last.
    void ShowEditor() override
    {
        FEditorHost->Edit(nullptr);
    }
    void DoClickDataPoint(int ChannelIndex, int DataIndex);

    // ---- layout, painting and input
    // The layout pass (run twice by every paint that computes the layout).
    void CalcLayout(TCanvas* Canvas);
    TkPlotLayoutFrame LayoutFrame() const;
    void PaintToCanvas(TCanvas* Canvas) override;
    // Off, every paint computes the layout and the ticks again; tests
    // compare the pictures both ways.
    void SetLayoutReuse(bool Value)
    {
        FLayoutReuse = Value;
    }
    // The object under a point: selected objects first, then any, then
    // data views and legends.
    TkPlotObject* ObjectAt(TPoint P) const;
    const TkPlotHint& GetHint() const
    {
        return FHint;
    }
    // The hint timer fired.
    void HintTimerTick();
    bool GetMouseIsDown() const
    {
        return FMouseIsDown;
    }

    void HandleWantKeys(std::uint16_t Key, bool& Want) override;
    void HandleKeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleDblClick() override;
    bool HandleMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;
    void HandleLostFocus() override;
    void MouseLeave() override;

    // ---- form data
    void DefineProperties(TFiler& Filer) override;
    void Loaded() override;

protected:
    // The timer hook shared with the component's timer.
    bool HintTimerRunning() const override
    {
        return TimerActive();
    }
    void RestartHintTimer(int Milliseconds) override;
    void StopHintTimer() override
    {
        StopTimer();
    }
    void HintChanged() override
    {
        InvalidateChange();
    }

private:
    void WndProc(TMessage& Message) override;
    // What the output asks of the plot (TkPlotOutputHost).
    TkCustomComponent& OutputComponent() override
    {
        return *this;
    }
    TRect GetOuterMargins() const override
    {
        return FOuterMargin;
    }
    void SetOuterMargins(const TRect& Value) override;
    const std::string& GetSaveImageDirectory() const override
    {
        return DefaultSaveImageDirectory;
    }
    void DoBeforePrint() override;
    void DoBeforePrintPage(int Page, bool LastPage) override;
    void DoAfterPrint() override;

    TkPlotObject* ItemOf(const TkPlotObjectManagerCustom* Manager, int Index) const;
    // The object's index within its kind, or -1.
    int IndexInKind(const TkPlotObject* Object) const;
    TkPlotKindEvents* EventsOf(const TkPlotObject* Object);
    void DoObjectAdd(TObject* Item);
    void DoObjectRemove(TObject* Item);
    void DeleteOf(TkPlotObjectManagerCustom* Manager, int Index);
    void RemoveAllOf(TkPlotObjectManagerCustom* Manager);
    // Label 0's published property, or none.
    TObject* TitleLabel() const;
    // Fires the axis's event of its kind (XEvent for an X axis, else
    // YEvent) with its index and Args, when assigned.
    template <class Event, class... Args>
    void FireAxisEvent(TkPlotAxis* Axis, const Event& XEvent, const Event& YEvent, Args&&... A);
    void SetAllTracking(bool Value);

    // The holder of the pointer modes, or none.
    TkPlotPointerModes* PointerModes() const;
    // Whether every kind the plot needs to paint has an object.
    bool HasPaintedKinds() const;
    void PaintBackGround(TCanvas* Canvas);
    // Call(Object, Place) for every object painted at that stage.
    template <class F> void ForEachPainted(TkPlotPaintPlace::TStage Stage, F Call) const;
    void BuildPaintOrder(TkPlotObject* DataView);
    void PaintOverPlot(TCanvas* Canvas, TColor ViewBackground);
    void DrawHint(TCanvas* Canvas);
    void DispatchMove(TShiftState Shift, TPoint P);
    void UpdateHint(TkPlotObject* Hit, const TkPlotHintData& Data, TPoint P);

    void WriteImageList(TStream& Stream, int Index) const;
    void ReadImageList(TStream& Stream, int Index);

    std::unique_ptr<TkPlotMasterManager> FMaster;
    // Freed before the master manager: the editor lists its objects.
    std::unique_ptr<TkPlotEditorHost> FEditorHost;
    TkPlotOutput FOutput{*this};
    std::unique_ptr<TPopupMenu> FPopupMenu;
    std::array<std::unique_ptr<TImageList>, 3> FImageLists;
    TkPlotOccupiedRects FOccupiedRects;
    TkPlotPaintOrder FPaintOrder;
    TkPlotLayoutPass FLayoutPass;
    TkPlotLayoutMemo FLayoutMemo;
    bool FLayoutReuse = true;
    std::string FLastDataFileName;
    std::string FLastPropertyFileName;
    // Log notices waiting for the message loop.
    std::vector<std::string> FLogNotices;
    TkPlotDataLog FDataLog{*this};

    TkPlotHintSettings FHintSettings;
    std::string FLogFileName;
    bool FLoggingActive = false;
    std::array<TkPlotReferenceIndividual, 4> FAnnotationDefaultIndividual{kpriAuto, kpriAuto, kpriAuto, kpriAuto};
    TkPlotDataFileColumnSeparator FDataFileColumnSeparator = kpdfcsTab;
    TkPlotDataFileFormat FDataFileFormat = kpdffText;

    // Painting and input state.
    bool FPainting = false;
    TkPlotObject* FPressedObject = nullptr;
    TkPlotObject* FHoveredObject = nullptr;
    TkPlotObject* FLastClickedObject = nullptr;
    TMouseButton FLastClickedButton = mbLeft;
    TShiftState FLastClickedShift = 0;
    TPoint FLastClickedPoint;
    TPoint FLastClickedScreen;
    bool FDoubleClickPending = false;
    bool FMouseIsDown = false;
    bool FAxisModifier = false;
    TkPlotHint FHint{*this};
};
