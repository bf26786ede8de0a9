#include "plot/core/kMath.h"

#include <algorithm>
#include <cmath>

#include "rtl/Exception.h"

namespace {

// The 1-based arrays must hold elements 1..N.
void CheckLength(const std::vector<double>& A, int N)
{
    if (N > 0 && static_cast<int>(A.size()) < N + 1)
        throw EListError("Array too short for " + std::to_string(N) + " points");
}

int NearestIndex(const std::vector<double>& XA, int N, double X)
{
    int ns = 1;
    double nearest = std::fabs(X - XA[1]);
    for (int i = 2; i <= N; ++i) {
        const double d = std::fabs(X - XA[i]);
        if (d < nearest) {
            ns = i;
            nearest = d;
        }
    }
    return ns;
}

}  // namespace

double Log10(double X)
{
    return static_cast<double>(std::log10(2.0L) * std::log2(static_cast<long double>(X)));
}

double Power(double Base, double Exponent)
{
    return std::exp(Exponent * std::log(Base));
}

void Spline(const std::vector<double>& X, const std::vector<double>& Y, int N, double StartSlope, double EndSlope,
            std::vector<double>& Y2)
{
    CheckLength(X, N);
    CheckLength(Y, N);
    Y2.assign(static_cast<std::size_t>(std::max(N, 0)) + 1, 0.0);
    if (N < 2)
        return;
    for (int i = 2; i <= N; ++i)
        if (X[i] == X[i - 1])
            return;  // no curve through a vertical step: straight lines

    StartSlope = (Y[2] - Y[1]) / (X[2] - X[1]);
    EndSlope = (Y[N] - Y[N - 1]) / (X[N] - X[N - 1]);
    std::vector<double> u(static_cast<std::size_t>(N) + 1, 0.0);
    if (StartSlope > 0.99e30) {
        Y2[1] = 0;
        u[1] = 0;
    } else {
        Y2[1] = -0.5;
        u[1] = 3 / (X[2] - X[1]) * ((Y[2] - Y[1]) / (X[2] - X[1]) - StartSlope);
    }
    for (int i = 2; i <= N - 1; ++i) {
        const double sig = (X[i] - X[i - 1]) / (X[i + 1] - X[i - 1]);
        const double p = sig * Y2[i - 1] + 2;
        Y2[i] = (sig - 1) / p;
        u[i] = (Y[i + 1] - Y[i]) / (X[i + 1] - X[i]) - (Y[i] - Y[i - 1]) / (X[i] - X[i - 1]);
        u[i] = (6 * u[i] / (X[i + 1] - X[i - 1]) - sig * u[i - 1]) / p;
    }
    double qn, un;
    if (EndSlope > 0.99e30) {
        qn = 0;
        un = 0;
    } else {
        qn = 0.5;
        un = 3 / (X[N] - X[N - 1]) * (EndSlope - (Y[N] - Y[N - 1]) / (X[N] - X[N - 1]));
    }
    Y2[N] = (un - qn * u[N - 1]) / (qn * Y2[N - 1] + 1);
    for (int k = N - 1; k >= 1; --k)
        Y2[k] = Y2[k] * Y2[k + 1] + u[k];
}

double Splint(const std::vector<double>& XA, const std::vector<double>& YA, const std::vector<double>& Y2A, int N,
              double X)
{
    CheckLength(XA, N);
    CheckLength(YA, N);
    CheckLength(Y2A, N);
    if (N < 1)
        return 0;
    if (N == 1)
        return YA[1];
    int klo = 1, khi = N;
    while (khi - klo > 1) {
        const int k = (khi + klo) / 2;
        if (XA[k] > X)
            khi = k;
        else
            klo = k;
    }
    const double h = XA[khi] - XA[klo];
    if (h == 0)
        throw Exception("Splint Error - xa's must be distinct");
    const double a = (XA[khi] - X) / h;
    const double b = (X - XA[klo]) / h;
    return a * YA[klo] + b * YA[khi] + ((a * a * a - a) * Y2A[klo] + (b * b * b - b) * Y2A[khi]) * (h * h) / 6;
}

void PolynomialInterpolate(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
                           double& DY)
{
    CheckLength(XA, N);
    CheckLength(YA, N);
    DY = 0;
    if (N < 1) {
        Y = 0;
        return;
    }
    int ns = NearestIndex(XA, N, X);
    std::vector<double> c(YA.begin(), YA.begin() + N + 1);
    std::vector<double> d = c;
    Y = YA[ns];
    --ns;
    for (int m = 1; m <= N - 1; ++m) {
        for (int i = 1; i <= N - m; ++i) {
            const double ho = XA[i] - X;
            const double hp = XA[i + m] - X;
            const double w = c[i + 1] - d[i];
            double den = ho - hp;
            if (den == 0)
                throw Exception("Polynomial Interpolation Error - Pause in Routine Data");
            den = w / den;
            d[i] = hp * den;
            c[i] = ho * den;
        }
        if (2 * ns < N - m) {
            DY = c[ns + 1];
        } else {
            DY = d[ns];
            --ns;
        }
        Y += DY;
    }
}

void RationalInterpolate(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
                         double& DY)
{
    CheckLength(XA, N);
    CheckLength(YA, N);
    DY = 0;
    if (N < 1) {
        Y = 0;
        return;
    }
    std::vector<double> c(static_cast<std::size_t>(N) + 1), d(static_cast<std::size_t>(N) + 1);
    for (int i = 1; i <= N; ++i) {
        if (std::fabs(X - XA[i]) == 0) {
            Y = YA[i];
            return;
        }
        c[i] = YA[i];
        d[i] = YA[i] + 1e-25;
    }
    int ns = NearestIndex(XA, N, X);
    Y = YA[ns];
    --ns;
    for (int m = 1; m <= N - 1; ++m) {
        for (int i = 1; i <= N - m; ++i) {
            const double w = c[i + 1] - d[i];
            const double h = XA[i + m] - X;
            const double t = (XA[i] - X) * d[i] / h;
            double dd = t - c[i + 1];
            if (dd == 0)
                throw Exception("Rational Interpolation Error - Pause in Routine Data");
            dd = w / dd;
            d[i] = c[i + 1] * dd;
            c[i] = t * dd;
        }
        if (2 * ns < N - m) {
            DY = c[ns + 1];
        } else {
            DY = d[ns];
            --ns;
        }
        Y += DY;
    }
}

void LineSlopeIntercept(const TPoint& P1, const TPoint& P2, double& Slope, double& Intercept)
{
    if (P1.X == P2.X)
        Slope = 1e30;
    else
        // Differences taken in floating point: pixels at the ends of the
        // int range lie further apart than an int holds.
        Slope = (double(P2.Y) - P1.Y) / (double(P2.X) - P1.X);
    Intercept = P1.Y - P1.X * Slope;
}

namespace {

// Whether the vertical segment V1-V2 meets the sloping segment S1-S2: the
// crossing is at V's X, which must lie within S's X range, and at the Y
// of S's line there, which must lie within V's Y range. The X alone, as
// for two sloping segments, would match a vertical segment that stops
// short of the line or starts beyond it.
bool VerticalMeetsSloping(const TPoint& V1, const TPoint& V2, const TPoint& S1, const TPoint& S2)
{
    const int x = V1.X;
    if (x < std::min(S1.X, S2.X) || x > std::max(S1.X, S2.X))
        return false;
    double slope, intercept;
    LineSlopeIntercept(S1, S2, slope, intercept);
    const double y = std::nearbyint(slope * x + intercept);
    return y >= std::min(V1.Y, V2.Y) && y <= std::max(V1.Y, V2.Y);
}

}  // namespace

bool SegmentsIntersect(const TPoint& A1, const TPoint& A2, const TPoint& B1, const TPoint& B2)
{
    double slopeA, interceptA, slopeB, interceptB;
    LineSlopeIntercept(A1, A2, slopeA, interceptA);
    LineSlopeIntercept(B1, B2, slopeB, interceptB);
    if (slopeA == slopeB)
        return false;
    if (A1.X == A2.X)
        return VerticalMeetsSloping(A1, A2, B1, B2);
    if (B1.X == B2.X)
        return VerticalMeetsSloping(B1, B2, A1, A2);
    // Kept as a double: the crossing of nearly parallel lines may lie far
    // outside the integer range.
    const double x = std::nearbyint((interceptB - interceptA) / (slopeA - slopeB));
    return x >= std::min(A1.X, A2.X) && x <= std::max(A1.X, A2.X) && x >= std::min(B1.X, B2.X) &&
           x <= std::max(B1.X, B2.X);
}

bool LineIntersectsRect(const TPoint& P1, const TPoint& P2, const TRect& Rect)
{
    const TPoint leftBottom(Rect.Left, Rect.Bottom), leftTop(Rect.Left, Rect.Top);
    const TPoint rightTop(Rect.Right, Rect.Top), rightBottom(Rect.Right, Rect.Bottom);
    if (SegmentsIntersect(P1, P2, leftBottom, leftTop) || SegmentsIntersect(P1, P2, rightTop, leftTop) ||
        SegmentsIntersect(P1, P2, rightBottom, rightTop) || SegmentsIntersect(P1, P2, leftBottom, rightBottom))
        return true;
    auto inside = [&](const TPoint& p) {
        return Rect.Left <= p.X && p.X <= Rect.Right && Rect.Top <= p.Y && p.Y <= Rect.Bottom;
    };
    return inside(P1) || inside(P2);
}
