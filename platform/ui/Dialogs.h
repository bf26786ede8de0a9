#pragma once
// Common dialogs (open, save, font, colour, print) and the one seam through
// which every dialog and message box is answered: the real Qt dialogs, or
// a responder installed by a test.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtl/Component.h"
#include "ui/Graphics.h"

enum class TDialogKind { MessageBox, OpenFile, SaveFile, Font, Color, Print };

// What a dialog asks.
struct TDialogRequest {
    TDialogKind Kind = TDialogKind::MessageBox;
    std::string Caption;
    std::string Text;      // message boxes
    unsigned Flags = 0;    // message boxes: MB_* of Application.h
    std::string FileName;  // file dialogs: the proposed name
    std::string Filter;    // "Text (*.txt)|*.txt|All (*.*)|*.*"
    int FilterIndex = 1;   // 1-based
    std::string DefaultExt;
    std::string InitialDir;
    bool MultiSelect = false;
    bool FileMustExist = false;
    // Save dialogs: whether the dialog itself asks before an existing file
    // is replaced. Off for callers that still change the chosen name and
    // so must ask about the name they will really write.
    bool OverwritePrompt = true;
    const TFont* Font = nullptr;       // font dialog: the font shown
    TColor Color = clBlack;            // colour dialog: the colour shown
    std::vector<TColor> CustomColors;  // colour dialog: the custom colour slots
};

// How it was answered. Result is IDOK/IDCANCEL/IDYES/IDNO (see
// Application.h); the other fields matter only for IDOK.
struct TDialogAnswer {
    int Result = 2;  // IDCANCEL
    std::vector<std::string> FileNames;
    int FilterIndex = 0;  // 0 keeps the request's
    std::shared_ptr<TFont> Font;
    TColor Color = clBlack;
};

using TDialogResponder = std::function<TDialogAnswer(const TDialogRequest& Request)>;

// Installs a responder that answers every dialog instead of showing it;
// an empty one restores the real dialogs. Returns the previous one.
TDialogResponder SetDialogResponder(TDialogResponder Responder);
// Asks the responder, or shows the real dialog.
TDialogAnswer RunDialog(const TDialogRequest& Request);

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
