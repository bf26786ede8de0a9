#include "plot/core/kRadioGroupLayout.h"

#include "rtl/NumberFormat.h"

TkRadioGroupLayout TkRadioGroupLayout::Calc(int TextHeight, int Width, int Height, int Count, int Columns)
{
    TkRadioGroupLayout l;
    l.Columns = Columns < 1 ? 1 : Columns;
    l.Rows = Count > 0 ? (Count + l.Columns - 1) / l.Columns : 1;
    l.RowHeight = (Height - TextHeight - TextHeight / 4) / l.Rows;
    l.FirstRowCenter = RoundToInt(TextHeight + l.RowHeight / 2.0);
    l.ColumnWidth = (Width - LeftOffset) / l.Columns;
    return l;
}

TPoint TkRadioGroupLayout::ItemCenter(int Index) const
{
    const int column = Index / Rows;
    const int row = Index % Rows;
    return TPoint(LeftOffset + column * ColumnWidth, FirstRowCenter + row * RowHeight);
}

int TkRadioGroupLayout::ItemAt(int X, int Y) const
{
    // A group squeezed to no row height or column width has no item under
    // any point.
    if (RowHeight <= 0 || ColumnWidth <= 0)
        return -1;
    const int row = RoundToInt(double(Y - FirstRowCenter) / RowHeight);
    const int column = Columns == 1 ? 0 : ClampToInt(double(X - LeftOffset + 6) / ColumnWidth);
    // A point below the last row is not the next column's first item.
    if (row < 0 || row >= Rows || column < 0 || column >= Columns)
        return -1;
    return row + column * Rows;
}
