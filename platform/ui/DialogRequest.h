#pragma once
// The one seam through which every dialog and message box is answered: the
// real Qt dialogs, or a responder installed by a test.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/Font.h"

class QPrinter;

// Message box flags and answers.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
constexpr unsigned MB_ICONHAND = MB_ICONERROR;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TYPEMASK = 0x0F;
constexpr unsigned MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum class TDialogKind { MessageBox, OpenFile, SaveFile, Font, Color, Print };

// What a dialog asks.
struct TDialogRequest {
    TDialogKind Kind = TDialogKind::MessageBox;
    std::string Caption;
    std::string Text;      // message boxes
    unsigned Flags = 0;    // message boxes: MB_* above
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
    QPrinter* PrintDevice = nullptr;   // print dialog: the printer set up
};

// How it was answered. Result is IDOK/IDCANCEL/IDYES/IDNO; the other
// fields matter only for IDOK.
struct TDialogAnswer {
    int Result = 2;  // IDCANCEL
    std::vector<std::string> FileNames;
    int FilterIndex = 0;  // 0 keeps the request's
    std::shared_ptr<TFont> Font;
    TColor Color = clBlack;
    // Print dialog: where the user chose to print, a file ("" for the
    // printer itself); unset when nobody chose, so the printer keeps its own.
    std::optional<std::string> PrintFileName;
};

using TDialogResponder = std::function<TDialogAnswer(const TDialogRequest& Request)>;

// Installs a responder that answers every dialog instead of showing it;
// an empty one restores the real dialogs. Returns the previous one.
TDialogResponder SetDialogResponder(TDialogResponder Responder);
// Asks the responder, or shows the real dialog.
TDialogAnswer RunDialog(const TDialogRequest& Request);
