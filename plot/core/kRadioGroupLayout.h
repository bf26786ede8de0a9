#pragma once
// Where a radio group's items sit: filled in column by column, rows
// sharing the height below the caption, columns sharing the width right of
// the circles' left offset.
#include "rtl/Types.h"

struct TkRadioGroupLayout {
    static constexpr int LeftOffset = 14;

    int FirstRowCenter = 0;
    int RowHeight = 0;
    int ColumnWidth = 0;
    int Columns = 1;
    int Rows = 1;

    // TextHeight is the height of the font's text; Columns is at least 1.
    // An empty group still has one row, so nothing divides by zero.
    static TkRadioGroupLayout Calc(int TextHeight, int Width, int Height, int Count, int Columns);
    // The centre of item Index's circle.
    TPoint ItemCenter(int Index) const;
    // The item whose row and column hold the point, or -1 outside every
    // row and column (the caller checks the index against its count).
    int ItemAt(int X, int Y) const;
};
