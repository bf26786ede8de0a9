#pragma once
// Free numeric routines of the plot: logarithm and power, cubic splines,
// polynomial and rational interpolation, and line-geometry tests.
// Arrays are indexed 1..N; element 0 is not used.
#include <vector>

#include "rtl/Types.h"

double Log10(double X);
double Power(double Base, double Exponent);

// Second derivatives Y2[1..N] of the cubic spline through (X[i], Y[i]). The
// end slopes passed in are replaced by the slopes of the end segments.
// Fewer than two points, or two neighbouring equal X values, give all zero
// second derivatives (straight lines) instead of a division by zero.
void Spline(const std::vector<double>& X, const std::vector<double>& Y, int N, double StartSlope, double EndSlope,
            std::vector<double>& Y2);

// The spline value at X. Two equal XA around X raise "Splint Error - xa's
// must be distinct"; no points give 0, one point gives its Y.
double Splint(const std::vector<double>& XA, const std::vector<double>& YA, const std::vector<double>& Y2A, int N,
              double X);

// Neville's polynomial through all N points, evaluated at X; DY is the error
// estimate. Equal XA raise "Polynomial Interpolation Error - Pause in
// Routine Data"; no points give 0, one point its Y.
void PolynomialInterpolate(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
                           double& DY);

// Diagonal rational function through the points, evaluated at X. A zero
// denominator raises "Rational Interpolation Error - Pause in Routine Data".
void RationalInterpolate(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
                         double& DY);

// Slope 1e30 for a vertical line.
void LineSlopeIntercept(const TPoint& P1, const TPoint& P2, double& Slope, double& Intercept);
bool SegmentsIntersect(const TPoint& A1, const TPoint& A2, const TPoint& B1, const TPoint& B2);
bool LineIntersectsRect(const TPoint& P1, const TPoint& P2, const TRect& Rect);
