#pragma once
// Drawing and general-purpose routines of the charting components: colour
// arithmetic, embossed and rotated text, multi-line measures, oriented
// points and rectangles, gradients, date-time units, paper sizes and a few
// control helpers. They keep no state.
#include <cstdint>
#include <string>

#include "plot/core/kPlotValueText.h"
#include "rtl/PublishedEnum.h"
#include "rtl/Types.h"
#include "ui/Color.h"

class TCanvas;
class TControl;
class TWinControl;
class TPageControl;
class TPrinter;

// Lightens (adds) or darkens (subtracts) Amount on red, green and blue, each
// kept within 0..255; a system colour is resolved first.
TColor OffsetColor(TColor Color, int Amount, bool Lighten);

// Label styles of SignificantDecimals: those of the axis texts.
// Decimal places for labels over Low..High.
int SignificantDecimals(int Precision, int Style, double Low, double High);

// Whole days and the time of day in one unit. A negative value or result,
// and a value beyond the last date (9999-12-31), give 2147483647, for
// minutes 10000.
std::int64_t DateTimeToMilliseconds(double Value);
std::int64_t DateTimeToSeconds(double Value);
std::int64_t DateTimeToMinutes(double Value);
std::int64_t DateTimeToHours(double Value);

double MillimetresToInches(double Millimetres);

// Paper-size codes of the printing platform.
constexpr int DMPAPER_LETTER = 1;
constexpr int DMPAPER_LETTERSMALL = 2;
constexpr int DMPAPER_TABLOID = 3;
constexpr int DMPAPER_LEDGER = 4;
constexpr int DMPAPER_LEGAL = 5;
constexpr int DMPAPER_STATEMENT = 6;
constexpr int DMPAPER_EXECUTIVE = 7;
constexpr int DMPAPER_A3 = 8;
constexpr int DMPAPER_A4 = 9;
constexpr int DMPAPER_A4SMALL = 10;
constexpr int DMPAPER_A5 = 11;
constexpr int DMPAPER_B4 = 12;
constexpr int DMPAPER_B5 = 13;
constexpr int DMPAPER_FOLIO = 14;
constexpr int DMPAPER_QUARTO = 15;
constexpr int DMPAPER_10X14 = 16;
constexpr int DMPAPER_11X17 = 17;
constexpr int DMPAPER_NOTE = 18;
// Width and height in inches; an unknown code gives Letter.
void GetPaperSizeInches(int PaperSize, double& Width, double& Height);
// The printer's paper in inches, as oriented (landscape exchanges them).
void GetPrinterPaperSize(const TPrinter& Printer, double& Width, double& Height);

void SwapInteger(int& A, int& B);

TRect NormalizedRect(int X1, int Y1, int X2, int Y2);
TRect OrientedRect(bool Reverse, int A1, int B1, int A2, int B2);
TPoint OrientedPoint(bool Reverse, int A, int B);
TPoint ReversiblePoint(bool Reverse, int A, int B);
TRect RectFromPoints(const TPoint& TopLeft, const TPoint& BottomRight);

// Text format of the charting components, a set of these bits.
enum TkTextFormatOption : unsigned {
    ktfCalcRect = 1u << 0,  // measure only: draw nothing, set the rectangle's size
    ktfCenter = 1u << 1,
    ktfRight = 1u << 2,
    ktfVCenter = 1u << 3,
    ktfBottom = 1u << 4,
    ktfWordBreak = 1u << 5,
    ktfSingleLine = 1u << 6,
    ktfNoClip = 1u << 7,
    ktfEndEllipsis = 1u << 8,
    ktfNoPrefix = 1u << 9,
};
using TkTextFormat = unsigned;

// Draws Text in Rect; returns its height. Disabled text is drawn embossed.
int DrawFormattedText(TCanvas* Canvas, const std::string& Text, TRect& Rect, TkTextFormat Format, bool Enabled);

// How the lines of a text of several lines line up with each other.
enum class TkLineAlignment { Center, Left, Right };

// Text centred on the centre of Rect, level (AngleCode 0) or turned by 90,
// 180 or 270 degrees (1, 2, 3); OutRect gets the area the text covers.
void DrawRotatedText(TCanvas* Canvas, const std::string& Text, const TRect& Rect, TRect& OutRect, int AngleCode,
                     TkLineAlignment Lines = TkLineAlignment::Center);

// The line starting at Position (stepping over a CR, an LF or CR LF after
// it); False when Position is at the end.
bool NextTextLine(std::size_t& Position, const std::string& Text, std::string& Line);
int MultiLineTextWidth(TCanvas* Canvas, const std::string& Text);
int MultiLineTextHeight(TCanvas* Canvas, const std::string& Text);
int WordWrapTextHeight(TCanvas* Canvas, const std::string& Text, int Width);

void DrawFocusRectangle(TCanvas* Canvas, const TRect& Rect);
// Style 0 a sunken edge, 1 a raised edge, 2 a flat line in the button shadow colour.
void DrawBorder(TCanvas* Canvas, const TRect& Rect, int Style);

PUBLISHED_ENUM(TkFillDirection, kfdTopBottom, kfdBottomTop, kfdLeftRight, kfdRightLeft, kfdTopLeftBottomRight,
               kfdBottomRightTopLeft, kfdBottomLeftTopRight, kfdTopRightBottomLeft, kfdRectangleOut, kfdRectangleIn,
               kfdCircleOut, kfdCircleIn);
// Colour of step Index of Steps between Start and Stop (Start alone when
// there are no steps).
TColor GradientStepColor(TColor Start, TColor Stop, int Index, int Steps);
void DrawGradient(TCanvas* Canvas, const TRect& Rect, TkFillDirection Direction, TColor StartColor, TColor StopColor);

bool ShiftKeyDown();
bool ControlKeyDown();
void SetFocusToControl(TWinControl* Control);
// The first form among the control and its parents, else the outermost
// windowed parent, else none.
TWinControl* GetParentForm(TControl* Control);
// Selects page Index when 0 <= Index < the page count.
void SetActivePageIndex(TPageControl* PageControl, int Index);
int GetActivePageIndex(TPageControl* PageControl);

// Property text: one line per published property, "Path = Value".
class TStrings;
class TObject;
// Appends the lines of Instance's stored, writable published properties,
// and, in place, those of the sub-objects it owns (path prefixed by the
// holder's). Differential leaves out ordinal values equal to their
// declared default. Paths in SkipList (ignoring case) are left out.
// Floats are written with the fewest digits that read back exactly; in
// text, "#", CR and LF are written as "#35", "#13" and "#10".
void WriteObjectProperties(TObject* Instance, const std::string& Prefix, TStrings& Lines, bool Differential,
                           const TStrings* SkipList);
// Applies and deletes lines from the top of Lines while their first path
// component is Prefix (any line when Prefix is empty); blank lines are
// dropped on the way.
void ReadObjectProperties(TObject* Instance, const std::string& Prefix, TStrings& Lines);
// Sets one property by path; paths that match nothing are ignored. A value
// that does not convert raises EConvertError.
void ReadObjectProperty(TObject* Instance, const std::string& Path, const std::string& Value, char DecimalSeparator);
// Raises as ReadObjectProperty would, but sets nothing.
void CheckObjectProperty(TObject* Instance, const std::string& Path, const std::string& Value, char DecimalSeparator);
// Sets every stored, writable ordinal property that has a declared default,
// those of owned sub-objects too, to that default: what a differential
// writer leaves out.
void ResetToDeclaredDefaults(TObject* Instance);
// Finds, takes out and returns the value of the first line named Key.
bool ExtractValueByName(const std::string& Key, TStrings& Lines, std::string& Value);
void SplitNameValue(const std::string& Text, char Separator, std::string& Name, std::string& Value);
// Takes Prefix (ignoring case) off the front of Path and returns it as it
// stood there; "" when Path does not start with it.
std::string StripPropertyPrefix(const std::string& Prefix, std::string& Path);
TObject* GetClassPropertyObject(TObject* Instance, const std::string& Name);
