#pragma once
// The system clipboard: text, bitmaps and registered formats held as
// bytes (such as an enhanced metafile).
#include <string>

#include "ui/Graphics.h"

constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_BITMAP = 2;
constexpr unsigned CF_ENHMETAFILE = 14;

class TClipboard {
public:
    std::string GetAsText() const;
    void SetAsText(const std::string& Value);
    // Copies the bitmap's picture to the clipboard.
    void Assign(const TBitmap& Bitmap);
    // Fills Bitmap from the clipboard's picture; false when there is none.
    bool GetBitmap(TBitmap& Bitmap) const;
    // Bytes under a format (CF_ENHMETAFILE or a registered one). Setting
    // adds to what the clipboard holds until Clear or a new Open.
    void SetBuffer(unsigned Format, const std::string& Bytes);
    std::string GetBuffer(unsigned Format) const;
    bool HasFormat(unsigned Format) const;
    void Clear();
    // Brackets several formats that belong to one copy.
    void Open();
    void Close();

private:
    int FOpenCount = 0;
};

// The clipboard of the process.
TClipboard* Clipboard();
// Names a custom clipboard format; the same name gives the same number.
unsigned RegisterClipboardFormat(const std::string& Name);
