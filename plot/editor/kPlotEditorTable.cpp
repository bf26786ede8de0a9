#include "plot/editor/kPlotEditorTable.h"

#include <initializer_list>
#include <string>

#include "plot/editor/kValueConverterEdit.h"

namespace {

using T = TkEditorControlType;
using Items = std::vector<std::string>;

TkEditorRow E(std::string Item, std::string Property = {})
{
    return {std::move(Item), T::Edit, std::move(Property), {}};
}
TkEditorRow M(std::string Item)
{
    return {std::move(Item), T::Memo, {}, {}};
}
// An edit with a value-converter picker opening on Page.
TkEditorRow V(std::string Item, TkValueConverterPageType Page)
{
    return {std::move(Item), T::Edit, {}, {}, static_cast<int>(Page)};
}
TkEditorRow C(std::string Item, std::string Property = {})
{
    return {std::move(Item), T::Check, std::move(Property), {}};
}
TkEditorRow K(std::string Item, Items Captions = {}, std::string Property = {})
{
    return {std::move(Item), T::Choice, std::move(Property), std::move(Captions)};
}
TkEditorRow R(std::string Item, Items Captions)
{
    return {std::move(Item), T::Radio, {}, std::move(Captions)};
}
TkEditorRow P(std::string Item, std::string Property = {})
{
    return {std::move(Item), T::Color, std::move(Property), {}};
}
TkEditorRow F(std::string Item, std::string Property = {})
{
    return {std::move(Item), T::Font, std::move(Property), {}};
}
TkEditorRow N(std::string Item, Items Sources)
{
    return {std::move(Item), T::Name, {}, std::move(Sources)};
}

// The items of the choice lists, in the order of their enumerations.
const Items kReferenceIndividual{"DataView", "Channel", "Auto"};
const Items kPenStyles{"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear", "Inside Frame"};
const Items kBrushStyles{"Solid", "Clear",         "Horizontal", "Vertical", "Forward Diagonal", "Backward Diagonal",
                         "Cross", "Diagonal Cross"};
const Items kLineStyles{"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot"};
const Items kGridLineStyles{"Solid", "Dash", "Dot"};
const Items kFillDirections{"Top/Bottom",
                            "Bottom/Top",
                            "Left/Right",
                            "Right/Left",
                            "Top Left/Bottom Right",
                            "Bottom Right/Top Left",
                            "Bottom Left/Top Right",
                            "Top Right/Bottom Left",
                            "Rectangle Out",
                            "Rectangle In",
                            "Circle Out",
                            "Circle In"};
const Items kMarkerStyles{"Circle",         "Square",        "Diamond",         "Cross",
                          "Plus",           "Triangle Up",   "Triangle Down",   "Triangle Left",
                          "Triangle Right", "Vertical Line", "Horizontal Line", "Character"};
const Items kTextFormats{"Value", "Exponent", "Prefix", "Date/Time", "Price 32nds", "Thousands"};
const Items kPrecisionStyles{"Significant Digits", "Fixed Decimal Points"};
const Items kAxesControlStyles{"X-Axis", "Y-Axis", "Both", "None"};

TkEditorPageTable MakeControlPage()
{
    return {
        "Control",
        "",
        "",
        "",
        {{"General",
          {E("OuterMarginLeft"), E("OuterMarginTop"), E("OuterMarginBottom"), E("OuterMarginRight"),
           R("BorderStyle", {"None", "Raised", "Lowered"}), E("UpdateFrameRate"), C("AutoFrameRate"),
           K("CopyToClipBoardFormat", {"Meta File", "Bitmap", "JPEG"}), C("ClipAnnotationsToAxes"),
           K("FileColumnSeparator", {"Tab", "Comma"}, "DataFileColumnSeparator")}},
         {"Title", {E("TitleText"), C("TitleVisible"), F("TitleFont"), E("TitleMargin")}},
         {"Background",
          {P("BackGroundColor"), C("BackGroundGradientEnabled"), P("BackGroundGradientStartColor"),
           P("BackGroundGradientStopColor"), K("BackGroundGradientDirection", kFillDirections)}},
         {"Print",
          {E("PrintMarginLeft"), E("PrintMarginTop"), E("PrintMarginBottom"), E("PrintMarginRight"),
           K("PrintOrientation", {"Portrait", "Landscape"}), C("PrintShowDialog"), E("PrintDocumentName")}},
         {"Hints", {C("HintsShow"), E("HintsPause"), E("HintsHidePause"), F("HintsFont")}},
         {"File I/O", {E("ControlLogFileName", "LogFileName"), E("ControlLogBufferSize", "LogBufferSize")}},
         {"Annotation Defaults",
          {F("AnnotationDefaultFont"), P("AnnotationDefaultBrushColor"), K("AnnotationDefaultBrushStlye", kBrushStyles),
           P("AnnotationDefaultPenColor"), K("AnnotationDefaultPenStlye", kPenStyles), E("AnnotationDefaultPenWidth"),
           K("AnnotationDefaultReference", {"DataView", "Channel", "X-Channel Y-DataView", "Y-Channel X-DataView "}),
           K("AnnotationDefaultReferencePositionX", kReferenceIndividual),
           K("AnnotationDefaultReferencePositionY", kReferenceIndividual),
           K("AnnotationDefaultReferenceSizeX", kReferenceIndividual),
           K("AnnotationDefaultReferenceSizeY", kReferenceIndividual)}}}};
}

TkEditorPageTable MakeChannelPage()
{
    return {"Channels",
            "Channel",
            "Channel",
            "kChannelAddButton",
            {{"General",
              {P("Color"), E("TitleText"), E("Name"), N("XAxisName", {"<None>", "XAxis"}), C("XAxisTrackingEnabled"),
               N("YAxisName", {"<None>", "YAxis"}), C("YAxisTrackingEnabled"), C("Visible"), C("VisibleInLegend"),
               E("RingBufferSize"), C("PopupEnabled"), C("FastDrawEnabled"),
               K("DataStyle", {"Standard", "Compact", "Compact Interval", "Full Feature"}), E("Layer"),
               C("UserCanMoveDataPoints"), K("UserCanMoveDataPointsStyle", {"X and Y", "X Only", "Y Only"}),
               C("ClipToAxes")}},
             {"Trace",
              {K("TraceLineStyle", kLineStyles), E("TraceLineWidth"), C("TraceVisible"),
               K("InterpolationStyle", {"Straight Line", "Cubic Spline", "Polynomial", "Rational", "Differential",
                                        "Differential Terminated"})}},
             {"Marker",
              {K("MarkersPenStyle", kPenStyles), P("MarkersPenColor"), E("MarkersPenWidth"),
               C("MarkersPenUseChannelColor"), K("MarkersBrushStyle", kBrushStyles), P("MarkersBrushColor"),
               C("MarkersBrushUseChannelColor"), E("MarkersSize"), K("MarkersStyle", kMarkerStyles),
               C("MarkersVisible"), C("MarkersAllowIndividual"), E("MarkersTurnOffLimit"), F("MarkersFont")}},
             {"Bar",
              {C("BarEnabled"), E("BarReference"), K("BarPenStyle", kPenStyles), P("BarPenColor"), E("BarPenWidth"),
               C("BarPenUseChannelColor"), K("BarBrushStyle", kBrushStyles), P("BarBrushColor"),
               C("BarBrushUseChannelColor"), E("BarWidth")}},
             {"High/Low", {C("HighLowEnabled"), K("HighLowStyle", {"Open/Close", "Candlestick"})}},
             {"Open/Close",
              {C("HighLowOpenShow"), P("HighLowOpenColor"), E("HighLowOpenWidth"), E("HighLowOpenHeight"),
               C("HighLowCloseShow"), P("HighLowCloseColor"), E("HighLowCloseWidth"), E("HighLowCloseHeight"),
               P("HighLowBarColor"), E("HighLowBarWidth")},
              "High/Low",
              "HighLow"},
             {"Candlestick",
              {P("HighLowShadowColor"), P("HighLowBullishColor"), P("HighLowBearishColor")},
              "High/Low",
              "HighLow"},
             {"Fill",
              {C("FillEnabled"), E("FillReference"), C("FillUseChannelColor"), K("FillStyle", kBrushStyles),
               P("FillColor")}},
             {"Digital",
              {C("DigitalEnabled"), E("DigitalReferenceHigh"), E("DigitalReferenceLow"),
               K("DigitalReferenceStyle", {"Scale", "Percent"})}},
             {"File I/O", {E("LogFileName"), E("LogBufferSize")}}}};
}

TkEditorPageTable MakeDataCursorPage()
{
    return {"Cursors",
            "DataCursor",
            "DataCursor",
            "kDataCursorAddButton",
            {{"General",
              {K("Style", {"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"}), F("Font"),
               P("Color"), C("UseChannelColor"), E("Name"), E("Pointer1Position"), E("Pointer2Position"),
               C("PopupEnabled"), E("PointerPenWidth"), C("SnapToDataPoint")}},
             {"Channel", {N("ChannelName", {"<All>", "Channel"}), C("ChannelAllowAll"), C("ChannelShowAllInLegend")}},
             {"Hint",
              {C("HintShow"), C("HintHideOnRelease"), K("HintOrientationSide", {"Bottom/Right", "Top/Left"}),
               E("HintPosition")}}}};
}

TkEditorPageTable MakeLimitPage()
{
    return {"Limits",
            "Limit",
            "Limit",
            "kLimitAddButton",
            {{"General",
              {E("Name"), N("XAxisName", {"<None>", "XAxis"}), N("YAxisName", {"<None>", "YAxis"}),
               K("Style", {"Line X", "Line Y", "Band X", "Band Y", "Poly Band X", "Poly Band Y"}), E("Line1Position"),
               E("Line2Position"), P("Color"), K("LineStyle", kPenStyles), E("LineWidth"), K("FillStyle", kBrushStyles),
               C("Visible"), C("UserCanMove"), C("PopupEnabled"), E("Layer"), C("ClipToAxes")}}}};
}

TkEditorPageTable MakeLabelPage()
{
    return {"Labels",
            "Label",
            "Label",
            "kLabelAddButton",
            {{"General",
              {E("Name"), C("Visible"), F("Font"), E("MarginLeft"), E("MarginTop"), E("MarginBottom"), E("MarginRight"),
               M("Caption"), K("Alignment", {"Center", "Left", "Right"}), E("ImageListIndex"), E("ImageIndex")}}}};
}

// The X and Y axis pages are twins; Other is the kind of the axes across.
TkEditorPageTable MakeAxisPage(const std::string& Caption, const std::string& Kind, const std::string& Other,
                               const std::string& AddButton)
{
    auto format = [](const std::string& Part) {
        return std::vector<TkEditorRow>{E(Part + "Precision"),
                                        E(Part + "DateTimeFormat"),
                                        K(Part + "FormatStyle", kTextFormats),
                                        K(Part + "PrecisionStyle", kPrecisionStyles),
                                        E(Part + "MinLength"),
                                        C(Part + "MinLengthAutoAdjust"),
                                        C(Part + "UseDefaultFormat")};
    };
    return {
        Caption,
        Kind,
        Kind,
        AddButton,
        {{"General",
          {V("Span", kvcptInterval), V("Min", kvcptDateTime), C("Visible"), C("ReverseScale"), E("Name"),
           K("ScaleType", {"Linear", "Log10"}), V("DesiredIncrement", kvcptInterval), C("Enabled"), C("PopupEnabled"),
           C("RestoreValuesOnResume"), C("MasterUIInput"), V("DesiredStart", kvcptInterval), C("GridLinesVisible")}},
         {"Title", {E("TitleMargin"), F("TitleFont"), E("Title"), C("TitleShow"), C("TitleRotated")}},
         {"Labels", {}},
         {"(Default)",
          {E("LabelsPrecision"), E("DateTimeFormat"), K("LabelsFormatStyle", kTextFormats),
           K("LabelsPrecisionStyle", kPrecisionStyles), F("LabelsFont"), C("LabelsVisible"), E("LabelsMargin"),
           E("LabelsMinLength"), E("LabelSeparation"), C("LabelsMinLengthAutoAdjust"),
           K("LabelsRotation", {"0 Degrees", "90 Degrees", "180 Degrees", "270 Degrees"})},
          "Labels",
          "Labels"},
         {"Cursor", format("Cursor"), "Labels", "Labels"},
         {"Legend", format("Legend"), "Labels", "Labels"},
         {"Tracking",
          {C("TrackingEnabled"),
           K("TrackingStyle", {"Scale Min/Max", "Scale Max", "Scale Min", "Scroll Smooth", "Scroll Page",
                               "Expand/Collapse", "Expand/Collapse Fast", "Expand Min/Max"}),
           E("TrackingScrollCompressMax"), K("TrackingAlignFirstStyle", {"Min", "Max", "Auto", "None"}),
           K("TrackingIncrementStyle", {"Minimum", "Major", "Minor"}), E("TrackingSpanMinimum"), E("TrackingMaxMargin"),
           E("TrackingMinMargin")}},
         {"Cursor", {E("CursorScaler")}},
         {"Scroll", {C("ScrollMinMaxEnabled"), E("ScrollMin"), E("ScrollMax")}},
         {"Scale",
          {P("ScaleLinesColor"), E("MajorLength"), E("MinorCount"), E("MinorLength"), E("InnerMargin"),
           E("OuterMargin"), E("StartPercent"), E("StopPercent"), E("StackingEndsMargin"), C("ScaleLinesShow"),
           N("AlignRefAxisName", {"<None>", Kind}), C("ForceStacking")}},
         {"Cartesian",
          {K("CartesianStyle", {"None", "Master", "Child"}), N("CartesianChildRefAxisName", {"<None>", Other}),
           V("CartesianChildRefValue", kvcptInterval), E("Layer")}}}};
}

TkEditorPageTable MakeLegendPage()
{
    auto wrap = [](const std::string& Part) {
        return std::vector<TkEditorRow>{C(Part + "AutoCountEnabled"), E(Part + "AutoCountMax"),
                                        E(Part + "DesiredCount"), C(Part + "SpacingAuto"), E(Part + "SpacingMin")};
    };
    std::vector<TkEditorRow> wraps = wrap("WrapCol");
    for (TkEditorRow& row : wrap("WrapRow"))
        wraps.push_back(std::move(row));
    return {
        "Legend",
        "Legend",
        "Legend",
        "",
        {{"General",
          {E("ColumnSpacing"), F("Font"), C("Visible"), C("Enabled"), C("PopupEnabled"), E("MarginLeft"),
           E("MarginTop"), E("MarginBottom"), E("MarginRight"), F("SelectedItemFont"), P("SelectedItemBackGroundColor"),
           C("BackGroundTransparent"), P("BackGroundColor"), E("ChannelNameMaxWidth"),
           K("ChannelNameColorStyle", {"Font", "Channel Color", "X-Axis Font Color", "Y-Axis Font Color"}),
           E("LineColumnWidth"), E("LineColumnHeight")}},
         {"Columns",
          {C("ShowColumnXAxisTitle"), C("ShowColumnYAxisTitle"), C("ShowColumnMarker"), C("ShowColumnXValue"),
           C("ShowColumnYValue"), C("ShowColumnLine"), C("ShowColumnYMax"), C("ShowColumnYMin"), C("ShowColumnYMean"),
           C("ColumnTitlesVisible"), F("ColumnTitlesFont")}},
         {"Wrap", std::move(wraps)}}};
}

TkEditorPageTable MakeTablePage()
{
    return {
        "Tables",
        "Table",
        "Table",
        "kTableAddButton",
        {{"General",
          {E("MarginLeft"), E("MarginTop"), E("MarginBottom"), E("MarginRight"), C("Visible"), C("Enabled"),
           C("PopupEnabled"), F("DataFont"), F("ColumnTitlesFont"), C("ColumnTitlesVisible"), E("ColumnSpacing"),
           E("RowSpacing"), E("Name"), E("RowsMax")}},
         {"Grid", {C("GridBackGroundTransparent"), P("GridBackGroundColor"), C("GridLinesShow"), P("GridLinesColor")}},
         {"Layout", {E("StartPercent"), E("StopPercent")}}}};
}

TkEditorPageTable MakeToolBarPage()
{
    std::vector<TkEditorRow> rows;
    for (const char* button :
         {"ResumeButton", "PauseButton", "AxesModeButtons", "ZoomInOutButtons", "SelectButton", "ZoomBoxButton",
          "CursorButton", "EditButton", "CopyButton", "SaveButton", "PrintButton", "PreviewButton"})
        rows.push_back(C(std::string("Show") + button));
    for (TkEditorRow row : {E("Name"), C("Visible"), C("Enabled"), C("PopupEnabled"), E("ZoomInOutFactor"),
                            C("FlatButtons"), C("SmallButtons"), C("FlatBorder")})
        rows.push_back(std::move(row));
    return {"ToolBar", "ToolBar", "ToolBar", "", {{"General", std::move(rows)}}};
}

TkEditorPageTable MakeDataViewPage()
{
    std::vector<TkEditorSubPage> custom;
    for (const std::string part : {"XMajor", "XMinor", "YMajor", "YMinor"})
        custom.push_back(
            {part.substr(0, 1) + "-" + part.substr(1) + "s",
             {C("GridLine" + part + "Custom"), C("GridLineShow" + part + "s"), P("GridLine" + part + "Color"),
              E("GridLine" + part + "Width"), K("GridLine" + part + "Style", kGridLineStyles)},
             "Grid Lines",
             "GridLinesCustom"});
    return {"Data View",
            "DataView",
            "DataView",
            "",
            {{"General",
              {C("Enabled"), C("PopupEnabled"), C("BackgroundTransparent"), P("BackgroundColor"),
               N("GridXAxisName", {"<None>", "XAxis", "<All>"}), N("GridYAxisName", {"<None>", "YAxis", "<All>"}),
               C("GridShow"), K("AxesControlWheelStyle", kAxesControlStyles), C("AxesControlEnabled"),
               K("AxesControlMouseStyle", kAxesControlStyles), C("AxesControlAllowInSelectMode"), E("Layer")}},
             {"Grid Lines",
              {P("GridLineColor"), K("GridLineMajorStyle", kGridLineStyles), K("GridLineMinorStyle", kGridLineStyles),
               C("GridLineShowLeft"), C("GridLineShowRight"), C("GridLineShowTop"), C("GridLineShowBottom")}},
             custom[0],
             custom[1],
             custom[2],
             custom[3]}};
}

}  // namespace

const char* EditorControlSuffix(TkEditorControlType Type)
{
    switch (Type) {
    case T::Edit: return "Edit";
    case T::Memo: return "Memo";
    case T::Check: return "CheckBox";
    case T::Choice:
    case T::Name: return "ComboBox";
    case T::Radio: return "RadioGroup";
    case T::Color:
    case T::Font: return "Picker";
    }
    return "";
}

const TkEditorPageTable& ControlPageTable()
{
    static const TkEditorPageTable table = MakeControlPage();
    return table;
}

const std::vector<TkEditorPageTable>& KindPageTables()
{
    static const std::vector<TkEditorPageTable> tables{MakeChannelPage(),
                                                       MakeDataCursorPage(),
                                                       MakeLimitPage(),
                                                       MakeLabelPage(),
                                                       MakeAxisPage("X-Axes", "XAxis", "YAxis", "XAxesAddButton"),
                                                       MakeAxisPage("Y-Axes", "YAxis", "XAxis", "YAxesAddButton"),
                                                       MakeLegendPage(),
                                                       MakeTablePage(),
                                                       MakeToolBarPage(),
                                                       MakeDataViewPage()};
    return tables;
}
