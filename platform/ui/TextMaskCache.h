#pragma once
// Private to platform/ui: unturned text as the pixels it sets. Our fonts
// draw without smoothing, from glyph pictures placed on whole pixels, so a
// text in an opaque colour sets each pixel it touches to that colour and
// leaves the rest as they were, whatever lies beneath and wherever it is
// placed. A text drawn again in the same font and colour at the same
// resolution is written from the runs of pixels it set the first time,
// without shaping it again: a chart draws the same axis labels at every
// paint. Turned text is drawn as outlines, whose pixels at the picture's
// edges depend on where it lies, so it is not kept here.
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;
class QRect;
class TFont;

class TTextMaskCache {
public:
    // The cache of the calling thread.
    static TTextMaskCache& Local();

    // Draws Text at (X, Y) in Font through P onto Target, clipped to Clip,
    // as TCanvas's TextOut draws it with a clear brush; false when the
    // text is turned, does not draw as plain pixels of its colour
    // (smoothed edges, painter settings that blend) or takes a picture
    // larger than Target to find them, and nothing was drawn.
    bool Draw(QPainter& P, const QImage& Target, const QRect& Clip, int X, int Y, const TFont& Font,
              const std::string& Text);

    // Off, Draw always answers false; tests compare the pictures both ways.
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Texts written from their pixels so far: tests check that they are.
    std::int64_t Hits() const { return FHits; }
    // Pixels of the pictures drawn to find texts' pixels so far: tests
    // check that a text's cost stays within what its target can show.
    std::int64_t PicturePixels() const { return FPicturePixels; }

private:
    struct TRun {
        int Y, Left, Right;  // from the text's origin; Right excluded
    };
    struct TEntry {
        bool Plain = false;  // the text set only whole pixels of its colour
        std::vector<TRun> Runs;
    };

    TEntry Make(const QPainter& P, const QImage& Target, const TFont& Font, const std::string& Text);

    std::unordered_map<std::string, TEntry> FEntries;
    // The key, built in a buffer kept from call to call: most texts are
    // found, and should not allocate to be looked for.
    std::string FKey;
    bool FEnabled = true;
    std::int64_t FHits = 0;
    std::int64_t FPicturePixels = 0;
};
