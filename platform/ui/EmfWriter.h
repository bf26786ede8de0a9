#pragma once
// Turns a canvas recording into the bytes of an enhanced metafile (EMF):
// header with bounds and frame, object creation and selection, drawing
// records and the end-of-file record.
#include <string>
#include <vector>
#include "ui/RecordingCanvas.h"

class TEmfWriter {
public:
    // MMSize is the picture's frame in hundredths of a millimetre.
    // CreatedBy and Description go into the header's description text
    // when either is given.
    static std::string Write(const std::vector<TCanvasRecord>& Records, TSize MMSize, const std::string& CreatedBy,
                             const std::string& Description);
};
