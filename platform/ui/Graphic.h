#pragma once
// Base of the pictures a canvas can draw: bitmaps, JPEG images, metafiles.
#include <iosfwd>
#include <string>
#include "rtl/Component.h"
#include "rtl/Exception.h"
#include "rtl/Types.h"
#include "ui/Property.h"

class TCanvas;

// A picture that is not valid, or an operation a picture cannot do.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

class TGraphic : public TPersistent {
public:
    virtual int GetWidth() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int GetHeight() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool GetEmpty() const { return GetWidth() == 0 || GetHeight() == 0; }
    virtual bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    TProperty<TGraphic, int, &TGraphic::GetWidth, &TGraphic::SetWidth> Width{this};
    TProperty<TGraphic, int, &TGraphic::GetHeight, &TGraphic::SetHeight> Height{this};
    TReadOnlyProperty<TGraphic, bool, &TGraphic::GetEmpty> Empty{this};
    TProperty<TGraphic, bool, &TGraphic::GetTransparent, &TGraphic::SetTransparent> Transparent{this};

    TNotifyEvent OnChange;

    virtual void SaveToStream(std::ostream& Stream) const = 0;
    // Writes the whole picture to a temporary file first and renames it, so
    // a failed save never leaves a half-written file under FileName (a link
    // is followed, a device written into; see WriteFileAtomic).
    // Raises EInOutError when the file cannot be written.
    virtual void SaveToFile(const std::string& FileName) const;

protected:
    friend class TCanvas;
    // Draws the picture stretched into Rect of ACanvas.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }

private:
    bool FTransparent = false;
};
