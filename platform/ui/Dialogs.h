#pragma once
// Common dialogs (open, save, font, colour, print), answered through the
// dialog seam.
#include <memory>
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "ui/DialogRequest.h"
#include "ui/Graphics.h"

// Shows Text in a message box with the application's title.
void ShowMessage(const std::string& Text);

enum TOpenOption : unsigned {
    ofOverwritePrompt = 1u << 0,
    ofHideReadOnly = 1u << 1,
    ofPathMustExist = 1u << 2,
    ofFileMustExist = 1u << 3,
    ofAllowMultiSelect = 1u << 4,
};
using TOpenOptions = unsigned;

// Open and save file dialogs. DefaultExt may be given with or without the
// leading dot; it is appended to a chosen name that has no extension.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);

    virtual bool Execute();

    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string InitialDir;
    std::string Title;
    TOpenOptions Options = ofHideReadOnly;
    // Every chosen file, FileName being the first.
    std::vector<std::string> Files;

protected:
    TDialogKind FKind = TDialogKind::OpenFile;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner);
};

class TFontDialog : public TComponent {
public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;

    bool Execute();
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(const TFont* Value);

private:
    std::unique_ptr<TFont> FFont;
};

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* AOwner);

    bool Execute();
    TColor Color = clBlack;
    // The colours offered in the custom slots (at most 16).
    std::vector<TColor> CustomColors;
};

// Lets the user choose the printer and its settings (applied to Printer()).
class TPrintDialog : public TComponent {
public:
    explicit TPrintDialog(TComponent* AOwner);

    bool Execute();
};
