#pragma once
// A list of equally sized small images, drawn with their masks and greyed
// out when disabled.
#include <memory>
#include <vector>
#include "rtl/Component.h"
#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Property.h"

class TBitmap;
class TStream;

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner = nullptr);
    ~TImageList() override;

    // Changing the size empties the list.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    int GetCount() const;
    TProperty<TImageList, int, &TImageList::GetWidth, &TImageList::SetWidth> Width{this};
    TProperty<TImageList, int, &TImageList::GetHeight, &TImageList::SetHeight> Height{this};
    TReadOnlyProperty<TImageList, int, &TImageList::GetCount> Count{this};

    // Adds the image (a strip of several when it is a multiple of Width
    // wide); Mask, when given, is white where the image is transparent.
    // Returns the index of the first image added.
    int Add(TBitmap* Image, TBitmap* Mask);
    // Adds the image with every pixel of MaskColor transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();
    // Copies image Index into Image (transparent parts in clBtnFace).
    void GetBitmap(int Index, TBitmap* Image) const;

    // Draws image Index at (X, Y); disabled images are drawn embossed in
    // the button highlight and shadow colours. A bad index draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

    // The list in the stream format of image lists: "KIL", a version byte,
    // then width, height and count (32 bits each, little-endian) and every
    // image's pixels as 32-bit ARGB, row by row. ReadData replaces the
    // list; a stream that breaks the format raises EReadError and leaves
    // the list as it was.
    void WriteData(TStream& Stream) const;
    void ReadData(TStream& Stream);

    TNotifyEvent OnChange;

private:
    struct TData;
    void Changed();
    std::unique_ptr<TData> FData;
    int FWidth = 16;
    int FHeight = 16;
};
