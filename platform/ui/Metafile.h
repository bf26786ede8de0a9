#pragma once
// An enhanced metafile: a recording of canvas calls that can be saved as an
// EMF file and played back onto any canvas.
#include <iosfwd>
#include <string>
#include <vector>
#include "ui/Graphic.h"
#include "ui/RecordingCanvas.h"

class TMetafileCanvas;

class TMetafile : public TGraphic {
public:
    TMetafile();
    ~TMetafile() override;

    // Size in pixels (96 per inch) and in hundredths of a millimetre; each
    // pair follows the other.
    int GetWidth() const override { return FWidth; }
    void SetWidth(int Value) override;
    int GetHeight() const override { return FHeight; }
    void SetHeight(int Value) override;
    int GetMMWidth() const;
    void SetMMWidth(int Value);
    int GetMMHeight() const;
    void SetMMHeight(int Value);
    TProperty<TMetafile, int, &TMetafile::GetMMWidth, &TMetafile::SetMMWidth> MMWidth{this};
    TProperty<TMetafile, int, &TMetafile::GetMMHeight, &TMetafile::SetMMHeight> MMHeight{this};
    bool Enhanced = true;

    const std::string& GetCreatedBy() const { return FCreatedBy; }
    const std::string& GetDescription() const { return FDescription; }
    const std::vector<TCanvasRecord>& GetRecords() const { return FRecords; }

    void Clear();
    void Assign(const TPersistent* Source) override;
    // Writes the EMF file.
    void SaveToStream(std::ostream& Stream) const override;

protected:
    // Plays the recording back, scaled into Rect.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    friend class TMetafileCanvas;
    std::vector<TCanvasRecord> FRecords;
    std::string FCreatedBy;
    std::string FDescription;
    int FWidth = 0;
    int FHeight = 0;
};
