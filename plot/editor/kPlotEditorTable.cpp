#include "plot/editor/kPlotEditorTable.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "plot/editor/kValueConverterEdit.h"

namespace {

using T = TkEditorControlType;
using Items = std::vector<std::string>;

TkEditorRow E(std::string Item, std::string Caption, std::string Property = {})
{
    return {std::move(Item), std::move(Caption), T::Edit, std::move(Property), {}};
}
TkEditorRow M(std::string Item, std::string Caption)
{
    return {std::move(Item), std::move(Caption), T::Memo, {}, {}};
}
// An edit with a value-converter picker opening on Page.
TkEditorRow V(std::string Item, std::string Caption, TkValueConverterPageType Page)
{
    return {std::move(Item), std::move(Caption), T::Edit, {}, {}, static_cast<int>(Page)};
}
TkEditorRow C(std::string Item, std::string Caption, std::string Property = {})
{
    return {std::move(Item), std::move(Caption), T::Check, std::move(Property), {}};
}
TkEditorRow K(std::string Item, std::string Caption, Items Texts, std::string Property = {})
{
    return {std::move(Item), std::move(Caption), T::Choice, std::move(Property), std::move(Texts)};
}
TkEditorRow R(std::string Item, std::string Caption, Items Texts)
{
    return {std::move(Item), std::move(Caption), T::Radio, {}, std::move(Texts)};
}
TkEditorRow P(std::string Item, std::string Caption, std::string Property = {})
{
    return {std::move(Item), std::move(Caption), T::Color, std::move(Property), {}};
}
TkEditorRow F(std::string Item, std::string Caption, std::string Property = {})
{
    return {std::move(Item), std::move(Caption), T::Font, std::move(Property), {}};
}
TkEditorRow N(std::string Item, std::string Caption, Items Sources)
{
    return {std::move(Item), std::move(Caption), T::Name, {}, std::move(Sources)};
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
          {E("OuterMarginLeft", "Left Margin"), E("OuterMarginTop", "Top Margin"),
           E("OuterMarginBottom", "Bottom Margin"), E("OuterMarginRight", "Right Margin"),
           R("BorderStyle", "Border Style", {"None", "Raised", "Lowered"}), E("UpdateFrameRate", "Update Frame Rate"),
           C("AutoFrameRate", "Auto Frame Rate"),
           K("CopyToClipBoardFormat", "Clipboard Format", {"Meta File", "Bitmap", "JPEG"}),
           C("ClipAnnotationsToAxes", "Clip Annotations to Axes"),
           K("FileColumnSeparator", "Data File Column Separator", {"Tab", "Comma"}, "DataFileColumnSeparator")}},
         {"Title",
          {E("TitleText", "Text"), C("TitleVisible", "Visible"), F("TitleFont", "Font"), E("TitleMargin", "Margin")}},
         {"Background",
          {P("BackGroundColor", "Color"), C("BackGroundGradientEnabled", "Gradient Enabled"),
           P("BackGroundGradientStartColor", "Gradient Start Color"),
           P("BackGroundGradientStopColor", "Gradient Stop Color"),
           K("BackGroundGradientDirection", "Gradient Direction", kFillDirections)}},
         {"Print",
          {E("PrintMarginLeft", "Left Margin"), E("PrintMarginTop", "Top Margin"),
           E("PrintMarginBottom", "Bottom Margin"), E("PrintMarginRight", "Right Margin"),
           K("PrintOrientation", "Orientation", {"Portrait", "Landscape"}), C("PrintShowDialog", "Show Print Dialog"),
           E("PrintDocumentName", "Document Name")}},
         {"Hints",
          {C("HintsShow", "Show Hints"), E("HintsPause", "Hint Pause (ms)"),
           E("HintsHidePause", "Hint Hide Pause (ms)"), F("HintsFont", "Font")}},
         {"File I/O",
          {E("ControlLogFileName", "Log File Name", "LogFileName"),
           E("ControlLogBufferSize", "Log Buffer Size", "LogBufferSize")}},
         {"Annotation Defaults",
          {F("AnnotationDefaultFont", "Font"), P("AnnotationDefaultBrushColor", "Brush Color"),
           K("AnnotationDefaultBrushStlye", "Brush Style", kBrushStyles), P("AnnotationDefaultPenColor", "Pen Color"),
           K("AnnotationDefaultPenStlye", "Pen Style", kPenStyles), E("AnnotationDefaultPenWidth", "Pen Width"),
           K("AnnotationDefaultReference", "Reference",
             {"DataView", "Channel", "X-Channel Y-DataView", "Y-Channel X-DataView "}),
           K("AnnotationDefaultReferencePositionX", "Position X Reference", kReferenceIndividual),
           K("AnnotationDefaultReferencePositionY", "Position Y Reference", kReferenceIndividual),
           K("AnnotationDefaultReferenceSizeX", "Size X Reference", kReferenceIndividual),
           K("AnnotationDefaultReferenceSizeY", "Size Y Reference", kReferenceIndividual)}}}};
}

TkEditorPageTable MakeChannelPage()
{
    return {
        "Channels",
        "Channel",
        "Channel",
        "kChannelAddButton",
        {{"General",
          {P("Color", "Color"), E("TitleText", "Title"), E("Name", "Name"),
           N("XAxisName", "X-Axis", {"<None>", "XAxis"}), C("XAxisTrackingEnabled", "X-Axis Tracking"),
           N("YAxisName", "Y-Axis", {"<None>", "YAxis"}), C("YAxisTrackingEnabled", "Y-Axis Tracking"),
           C("Visible", "Visible"), C("VisibleInLegend", "Visible in Legend"), E("RingBufferSize", "Ring Buffer Size"),
           C("PopupEnabled", "Popup Menu Enabled"), C("FastDrawEnabled", "Fast Draw"),
           K("DataStyle", "Data Style", {"Standard", "Compact", "Compact Interval", "Full Feature"}),
           E("Layer", "Layer"), C("UserCanMoveDataPoints", "User Can Move Data Points"),
           K("UserCanMoveDataPointsStyle", "Move Direction", {"X and Y", "X Only", "Y Only"}),
           C("ClipToAxes", "Clip to Axes")}},
         {"Trace",
          {K("TraceLineStyle", "Line Style", kLineStyles), E("TraceLineWidth", "Line Width"),
           C("TraceVisible", "Trace Visible"),
           K("InterpolationStyle", "Interpolation",
             {"Straight Line", "Cubic Spline", "Polynomial", "Rational", "Differential", "Differential Terminated"})}},
         {"Marker",
          {K("MarkersPenStyle", "Pen Style", kPenStyles), P("MarkersPenColor", "Pen Color"),
           E("MarkersPenWidth", "Pen Width"), C("MarkersPenUseChannelColor", "Pen Uses Channel Color"),
           K("MarkersBrushStyle", "Brush Style", kBrushStyles), P("MarkersBrushColor", "Brush Color"),
           C("MarkersBrushUseChannelColor", "Brush Uses Channel Color"), E("MarkersSize", "Size"),
           K("MarkersStyle", "Style", kMarkerStyles), C("MarkersVisible", "Visible"),
           C("MarkersAllowIndividual", "Allow Individual Markers"), E("MarkersTurnOffLimit", "Turn Off Limit"),
           F("MarkersFont", "Font")}},
         {"Bar",
          {C("BarEnabled", "Enabled"), E("BarReference", "Reference"), K("BarPenStyle", "Pen Style", kPenStyles),
           P("BarPenColor", "Pen Color"), E("BarPenWidth", "Pen Width"),
           C("BarPenUseChannelColor", "Pen Uses Channel Color"), K("BarBrushStyle", "Brush Style", kBrushStyles),
           P("BarBrushColor", "Brush Color"), C("BarBrushUseChannelColor", "Brush Uses Channel Color"),
           E("BarWidth", "Width")}},
         {"High/Low", {C("HighLowEnabled", "Enabled"), K("HighLowStyle", "Style", {"Open/Close", "Candlestick"})}},
         {"Open/Close",
          {C("HighLowOpenShow", "Show Open"), P("HighLowOpenColor", "Open Color"), E("HighLowOpenWidth", "Open Width"),
           E("HighLowOpenHeight", "Open Height"), C("HighLowCloseShow", "Show Close"),
           P("HighLowCloseColor", "Close Color"), E("HighLowCloseWidth", "Close Width"),
           E("HighLowCloseHeight", "Close Height"), P("HighLowBarColor", "Bar Color"),
           E("HighLowBarWidth", "Bar Width")},
          "High/Low",
          "HighLow"},
         {"Candlestick",
          {P("HighLowShadowColor", "Shadow Color"), P("HighLowBullishColor", "Bullish Color"),
           P("HighLowBearishColor", "Bearish Color")},
          "High/Low",
          "HighLow"},
         {"Fill",
          {C("FillEnabled", "Enabled"), E("FillReference", "Reference"), C("FillUseChannelColor", "Use Channel Color"),
           K("FillStyle", "Style", kBrushStyles), P("FillColor", "Color")}},
         {"Digital",
          {C("DigitalEnabled", "Enabled"), E("DigitalReferenceHigh", "High Reference"),
           E("DigitalReferenceLow", "Low Reference"),
           K("DigitalReferenceStyle", "Reference Style", {"Scale", "Percent"})}},
         {"File I/O", {E("LogFileName", "Log File Name"), E("LogBufferSize", "Log Buffer Size")}}}};
}

TkEditorPageTable MakeDataCursorPage()
{
    return {
        "Cursors",
        "DataCursor",
        "DataCursor",
        "kDataCursorAddButton",
        {{"General",
          {K("Style", "Style", {"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"}),
           F("Font", "Font"), P("Color", "Color"), C("UseChannelColor", "Use Channel Color"), E("Name", "Name"),
           E("Pointer1Position", "Pointer 1 Position"), E("Pointer2Position", "Pointer 2 Position"),
           C("PopupEnabled", "Popup Menu Enabled"), E("PointerPenWidth", "Pointer Pen Width"),
           C("SnapToDataPoint", "Snap to Data-Point")}},
         {"Channel",
          {N("ChannelName", "Channel", {"<All>", "Channel"}), C("ChannelAllowAll", "Allow All Channels"),
           C("ChannelShowAllInLegend", "Show All Channels in Legend")}},
         {"Hint",
          {C("HintShow", "Show Hint"), C("HintHideOnRelease", "Hide Hint On Release"),
           K("HintOrientationSide", "Hint Side", {"Bottom/Right", "Top/Left"}), E("HintPosition", "Hint Position")}}}};
}

TkEditorPageTable MakeLimitPage()
{
    return {"Limits",
            "Limit",
            "Limit",
            "kLimitAddButton",
            {{"General",
              {E("Name", "Name"), N("XAxisName", "X-Axis", {"<None>", "XAxis"}),
               N("YAxisName", "Y-Axis", {"<None>", "YAxis"}),
               K("Style", "Style", {"Line X", "Line Y", "Band X", "Band Y", "Poly Band X", "Poly Band Y"}),
               E("Line1Position", "Line 1 Position"), E("Line2Position", "Line 2 Position"), P("Color", "Color"),
               K("LineStyle", "Line Style", kPenStyles), E("LineWidth", "Line Width"),
               K("FillStyle", "Fill Style", kBrushStyles), C("Visible", "Visible"), C("UserCanMove", "User Can Move"),
               C("PopupEnabled", "Popup Menu Enabled"), E("Layer", "Layer"), C("ClipToAxes", "Clip to Axes")}}}};
}

TkEditorPageTable MakeLabelPage()
{
    return {"Labels",
            "Label",
            "Label",
            "kLabelAddButton",
            {{"General",
              {E("Name", "Name"), C("Visible", "Visible"), F("Font", "Font"), E("MarginLeft", "Left Margin"),
               E("MarginTop", "Top Margin"), E("MarginBottom", "Bottom Margin"), E("MarginRight", "Right Margin"),
               M("Caption", "Caption"), K("Alignment", "Alignment", {"Center", "Left", "Right"}),
               E("ImageListIndex", "Image List Index"), E("ImageIndex", "Image Index")}}}};
}

// The X and Y axis pages are twins; Other is the kind of the axes across.
TkEditorPageTable MakeAxisPage(const std::string& Caption, const std::string& Kind, const std::string& Other,
                               const std::string& AddButton)
{
    auto format = [](const std::string& Part) {
        return std::vector<TkEditorRow>{E(Part + "Precision", "Precision"),
                                        E(Part + "DateTimeFormat", "Date/Time Format"),
                                        K(Part + "FormatStyle", "Format Style", kTextFormats),
                                        K(Part + "PrecisionStyle", "Precision Style", kPrecisionStyles),
                                        E(Part + "MinLength", "Min Length"),
                                        C(Part + "MinLengthAutoAdjust", "Auto Adjust Min Length"),
                                        C(Part + "UseDefaultFormat", "Use Default Format")};
    };
    // The axes across this one, and this one's own kind, as the user reads them.
    const std::string other = Other == "XAxis" ? "X-Axis" : "Y-Axis";
    return {Caption,
            Kind,
            Kind,
            AddButton,
            {{"General",
              {V("Span", "Span", kvcptInterval), V("Min", "Min", kvcptDateTime), C("Visible", "Visible"),
               C("ReverseScale", "Reverse Scale"), E("Name", "Name"), K("ScaleType", "Scale Type", {"Linear", "Log10"}),
               V("DesiredIncrement", "Desired Increment", kvcptInterval), C("Enabled", "Enabled"),
               C("PopupEnabled", "Popup Menu Enabled"), C("RestoreValuesOnResume", "Restore Values on Resume"),
               C("MasterUIInput", "Master UI Input"), V("DesiredStart", "Desired Start", kvcptInterval),
               C("GridLinesVisible", "Grid Lines Visible")}},
             {"Title",
              {E("TitleMargin", "Margin"), F("TitleFont", "Font"), E("Title", "Text"), C("TitleShow", "Show Title"),
               C("TitleRotated", "Rotated")}},
             {"Labels", {}},
             {"(Default)",
              {E("LabelsPrecision", "Precision"), E("DateTimeFormat", "Date/Time Format"),
               K("LabelsFormatStyle", "Format Style", kTextFormats),
               K("LabelsPrecisionStyle", "Precision Style", kPrecisionStyles), F("LabelsFont", "Font"),
               C("LabelsVisible", "Visible"), E("LabelsMargin", "Margin"), E("LabelsMinLength", "Min Length"),
               E("LabelSeparation", "Label Separation"), C("LabelsMinLengthAutoAdjust", "Auto Adjust Min Length"),
               K("LabelsRotation", "Rotation", {"0 Degrees", "90 Degrees", "180 Degrees", "270 Degrees"})},
              "Labels",
              "Labels"},
             {"Cursor", format("Cursor"), "Labels", "Labels"},
             {"Legend", format("Legend"), "Labels", "Labels"},
             {"Tracking",
              {C("TrackingEnabled", "Enabled"),
               K("TrackingStyle", "Style",
                 {"Scale Min/Max", "Scale Max", "Scale Min", "Scroll Smooth", "Scroll Page", "Expand/Collapse",
                  "Expand/Collapse Fast", "Expand Min/Max"}),
               E("TrackingScrollCompressMax", "Scroll Compress Max"),
               K("TrackingAlignFirstStyle", "Align First", {"Min", "Max", "Auto", "None"}),
               K("TrackingIncrementStyle", "Increment", {"Minimum", "Major", "Minor"}),
               E("TrackingSpanMinimum", "Span Minimum"), E("TrackingMaxMargin", "Max Margin"),
               E("TrackingMinMargin", "Min Margin")}},
             {"Cursor", {E("CursorScaler", "Cursor Scaler")}},
             {"Scroll",
              {C("ScrollMinMaxEnabled", "Limit Scrolling to Min/Max"), E("ScrollMin", "Scroll Min"),
               E("ScrollMax", "Scroll Max")}},
             {"Scale",
              {P("ScaleLinesColor", "Scale Lines Color"), E("MajorLength", "Major Length"),
               E("MinorCount", "Minor Count"), E("MinorLength", "Minor Length"), E("InnerMargin", "Inner Margin"),
               E("OuterMargin", "Outer Margin"), E("StartPercent", "Start Percent"), E("StopPercent", "Stop Percent"),
               E("StackingEndsMargin", "Stacking Ends Margin"), C("ScaleLinesShow", "Show Scale Lines"),
               N("AlignRefAxisName", "Align to Axis", {"<None>", Kind}), C("ForceStacking", "Force Stacking")}},
             {"Cartesian",
              {K("CartesianStyle", "Cartesian Style", {"None", "Master", "Child"}),
               N("CartesianChildRefAxisName", "Reference " + other, {"<None>", Other}),
               V("CartesianChildRefValue", "Reference Value", kvcptInterval), E("Layer", "Layer")}}}};
}

TkEditorPageTable MakeLegendPage()
{
    // Columns and rows wrap alike.
    auto wrap = [](const std::string& Part, const std::string& Word) {
        return std::vector<TkEditorRow>{
            C(Part + "AutoCountEnabled", "Auto " + Word + " Count"), E(Part + "AutoCountMax", "Max " + Word + " Count"),
            E(Part + "DesiredCount", "Desired " + Word + " Count"),
            C(Part + "SpacingAuto", "Auto " + Word + " Spacing"), E(Part + "SpacingMin", "Min " + Word + " Spacing")};
    };
    std::vector<TkEditorRow> wraps = wrap("WrapCol", "Column");
    for (TkEditorRow& row : wrap("WrapRow", "Row"))
        wraps.push_back(std::move(row));
    return {
        "Legend",
        "Legend",
        "Legend",
        "",
        {{"General",
          {E("ColumnSpacing", "Column Spacing"), F("Font", "Font"), C("Visible", "Visible"), C("Enabled", "Enabled"),
           C("PopupEnabled", "Popup Menu Enabled"), E("MarginLeft", "Left Margin"), E("MarginTop", "Top Margin"),
           E("MarginBottom", "Bottom Margin"), E("MarginRight", "Right Margin"),
           F("SelectedItemFont", "Selected Item Font"), P("SelectedItemBackGroundColor", "Selected Item Background"),
           C("BackGroundTransparent", "Transparent Background"), P("BackGroundColor", "Background Color"),
           E("ChannelNameMaxWidth", "Channel Name Max Width"),
           K("ChannelNameColorStyle", "Channel Name Color",
             {"Font", "Channel Color", "X-Axis Font Color", "Y-Axis Font Color"}),
           E("LineColumnWidth", "Line Column Width"), E("LineColumnHeight", "Line Column Height")}},
         {"Columns",
          {C("ShowColumnXAxisTitle", "Show X-Axis Title"), C("ShowColumnYAxisTitle", "Show Y-Axis Title"),
           C("ShowColumnMarker", "Show Marker"), C("ShowColumnXValue", "Show X Value"),
           C("ShowColumnYValue", "Show Y Value"), C("ShowColumnLine", "Show Line"), C("ShowColumnYMax", "Show Y Max"),
           C("ShowColumnYMin", "Show Y Min"), C("ShowColumnYMean", "Show Y Mean"),
           C("ColumnTitlesVisible", "Column Titles Visible"), F("ColumnTitlesFont", "Column Titles Font")}},
         {"Wrap", std::move(wraps)}}};
}

TkEditorPageTable MakeTablePage()
{
    return {"Tables",
            "Table",
            "Table",
            "kTableAddButton",
            {{"General",
              {E("MarginLeft", "Left Margin"), E("MarginTop", "Top Margin"), E("MarginBottom", "Bottom Margin"),
               E("MarginRight", "Right Margin"), C("Visible", "Visible"), C("Enabled", "Enabled"),
               C("PopupEnabled", "Popup Menu Enabled"), F("DataFont", "Data Font"),
               F("ColumnTitlesFont", "Column Titles Font"), C("ColumnTitlesVisible", "Column Titles Visible"),
               E("ColumnSpacing", "Column Spacing"), E("RowSpacing", "Row Spacing"), E("Name", "Name"),
               E("RowsMax", "Max Rows")}},
             {"Grid",
              {C("GridBackGroundTransparent", "Transparent Background"), P("GridBackGroundColor", "Background Color"),
               C("GridLinesShow", "Show Grid Lines"), P("GridLinesColor", "Grid Lines Color")}},
             {"Layout", {E("StartPercent", "Start Percent"), E("StopPercent", "Stop Percent")}}}};
}

TkEditorPageTable MakeToolBarPage()
{
    std::vector<TkEditorRow> rows;
    for (const auto& [button, caption] : {std::pair<const char*, const char*>{"ResumeButton", "Show Resume Button"},
                                          {"PauseButton", "Show Pause Button"},
                                          {"AxesModeButtons", "Show Axes Mode Buttons"},
                                          {"ZoomInOutButtons", "Show Zoom In/Out Buttons"},
                                          {"SelectButton", "Show Select Button"},
                                          {"ZoomBoxButton", "Show Zoom Box Button"},
                                          {"CursorButton", "Show Cursor Button"},
                                          {"EditButton", "Show Edit Button"},
                                          {"CopyButton", "Show Copy Button"},
                                          {"SaveButton", "Show Save Button"},
                                          {"PrintButton", "Show Print Button"},
                                          {"PreviewButton", "Show Preview Button"}})
        rows.push_back(C(std::string("Show") + button, caption));
    for (TkEditorRow row :
         {E("Name", "Name"), C("Visible", "Visible"), C("Enabled", "Enabled"), C("PopupEnabled", "Popup Menu Enabled"),
          E("ZoomInOutFactor", "Zoom In/Out Factor"), C("FlatButtons", "Flat Buttons"),
          C("SmallButtons", "Small Buttons"), C("FlatBorder", "Flat Border")})
        rows.push_back(std::move(row));
    return {"ToolBar", "ToolBar", "ToolBar", "", {{"General", std::move(rows)}}};
}

TkEditorPageTable MakeDataViewPage()
{
    std::vector<TkEditorSubPage> custom;
    for (const std::string part : {"XMajor", "XMinor", "YMajor", "YMinor"})
        custom.push_back(
            {part.substr(0, 1) + "-" + part.substr(1) + "s",
             {C("GridLine" + part + "Custom", "Custom Lines"), C("GridLineShow" + part + "s", "Show Lines"),
              P("GridLine" + part + "Color", "Color"), E("GridLine" + part + "Width", "Width"),
              K("GridLine" + part + "Style", "Style", kGridLineStyles)},
             "Grid Lines",
             "GridLinesCustom"});
    return {"Data View",
            "DataView",
            "DataView",
            "",
            {{"General",
              {C("Enabled", "Enabled"), C("PopupEnabled", "Popup Menu Enabled"),
               C("BackgroundTransparent", "Transparent Background"), P("BackgroundColor", "Background Color"),
               N("GridXAxisName", "Grid X-Axis", {"<None>", "XAxis", "<All>"}),
               N("GridYAxisName", "Grid Y-Axis", {"<None>", "YAxis", "<All>"}), C("GridShow", "Show Grid"),
               K("AxesControlWheelStyle", "Mouse Wheel Axes", kAxesControlStyles),
               C("AxesControlEnabled", "Axes Control Enabled"),
               K("AxesControlMouseStyle", "Mouse Drag Axes", kAxesControlStyles),
               C("AxesControlAllowInSelectMode", "Axes Control in Select Mode"), E("Layer", "Layer")}},
             {"Grid Lines",
              {P("GridLineColor", "Color"), K("GridLineMajorStyle", "Major Style", kGridLineStyles),
               K("GridLineMinorStyle", "Minor Style", kGridLineStyles), C("GridLineShowLeft", "Show Left"),
               C("GridLineShowRight", "Show Right"), C("GridLineShowTop", "Show Top"),
               C("GridLineShowBottom", "Show Bottom")}},
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
