#pragma once
// The texts an axis shows for its values: tick labels, data-cursor readouts
// and legend values, in six styles with two ways of counting precision.
#include <functional>
#include <string>

#include "rtl/PublishedEnum.h"

PUBLISHED_ENUM(TkPlotTextFormat, kptfValue, kptfExponent, kptfPrefix, kptfDateTime, kptfPrice32nds, kptfThousands);
PUBLISHED_ENUM(TkPrecisionStyle, kpsSignificantDigits, kpsFixedDecimalPoints);

// One set of format settings (the axis has one for labels, one for cursor
// readouts and one for legend values).
struct TkPlotTextSettings {
    TkPlotTextFormat Style = kptfValue;
    std::string DateTimeFormat = "hh:nn:ss";
    int Precision = 3;
    TkPrecisionStyle PrecisionStyle = kpsSignificantDigits;
    double MinLength = 5;
    bool MinLengthAutoAdjust = false;
};

// What the formatter needs to know of its axis.
struct TkPlotValueTextAxis {
    double Span = 100;
    bool Log10 = false;
    // The label precision settings, which a log axis's plain values use
    // whichever text is being made.
    int LabelsPrecision = 3;
    TkPrecisionStyle LabelsPrecisionStyle = kpsSignificantDigits;
    // Set only while the widest label is measured: lets a minimum length
    // grow to the text made.
    bool LabelsAdjusting = false;
    // The plot's chance to replace a text (Value, var Text); may be empty.
    std::function<void(double, std::string&)> Customize;
};

// Decimals for Precision in Style, judged against the reference value R
// (the span, or the scaled value of a prefixed text). Never above
// MaxDecimals, so that no setting can ask for an absurd text.
int PlotDecimalCount(int Precision, TkPrecisionStyle Style, double R);
constexpr int MaxDecimals = 340;

// The text of Value in Settings' style; "Unknown" for a value the style
// cannot express. MinLength (the settings' own field) grows to the text's
// length when auto-adjusting while the axis measures its labels.
std::string PlotValueToText(const TkPlotTextSettings& Settings, double& MinLength, const TkPlotValueTextAxis& Axis,
                            double Value);

// A readout for one line: each line break becomes one blank.
std::string PlotSingleLine(std::string Text);
