#pragma once
#include <string>

#include "ui/Metafile.h"
#include "ui/RecordingCanvas.h"

// Draws into a metafile: the drawing replaces the metafile's contents when
// the canvas is destroyed. A metafile without a size takes the extent of
// what was drawn.
class TMetafileCanvas : public TRecordingCanvas {
public:
    TMetafileCanvas(TMetafile* AMetafile, TCanvas* ReferenceDevice);
    TMetafileCanvas(TMetafile* AMetafile, TCanvas* ReferenceDevice, const std::string& CreatedBy,
                    const std::string& Description);
    ~TMetafileCanvas() override;

private:
    TMetafile* FMetafile;
    std::string FCreatedBy;
    std::string FDescription;
};
