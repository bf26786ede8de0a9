#pragma once
// Pixels made from stored values, which may be anything (a form stream or a
// property file sets them): kept within what the drawing layer can take,
// so that the few sizes and coordinates added to one stay far from the
// integer's ends.

constexpr int PixelLimit = 32000;

// Truncated toward zero, then kept within -PixelLimit..PixelLimit; NaN is 0.
int ClampPixel(double Pixel);
// Rounded to the nearest pixel (ties to even), then kept as ClampPixel.
int RoundPixel(double Pixel);
// The check of a published pixel measure: kept as ClampPixel, never refused.
bool KeepPixel(int& Pixel);
