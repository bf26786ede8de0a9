#include "ui/DialogRequest.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/GraphicsQt.h"
#include "ui/QtText.h"

namespace {

TDialogResponder Responder;

// "Text (*.txt)|*.txt|All|*.*" -> the Qt name filters, one per pair:
// "Text (*.txt)" and "All (*.*)".
QStringList NameFilters(const std::string& Filter)
{
    QStringList Parts = QStr(Filter).split('|');
    QStringList Result;
    for (int I = 0; I + 1 < Parts.size(); I += 2) {
        QString Patterns = Parts[I + 1];
        Patterns.replace(';', ' ');
        // A name that already ends with its patterns, as "CSV文件(*.csv)"
        // does, is shown once rather than followed by them again.
        const QString Suffix = "(" + Patterns + ")";
        Result << (Parts[I].endsWith(Suffix) ? Parts[I] : Parts[I] + " " + Suffix);
    }
    return Result;
}

int RunMessageBox(const TDialogRequest& R)
{
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    switch (R.Flags & MB_ICONMASK) {
    case MB_ICONERROR: Icon = QMessageBox::Critical; break;
    case MB_ICONQUESTION: Icon = QMessageBox::Question; break;
    case MB_ICONWARNING: Icon = QMessageBox::Warning; break;
    case MB_ICONINFORMATION: Icon = QMessageBox::Information; break;
    default: break;
    }
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
    switch (R.Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: Buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MB_YESNO: Buttons = QMessageBox::Yes | QMessageBox::No; break;
    case MB_YESNOCANCEL: Buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    default: break;
    }
    QMessageBox Box(Icon, QStr(R.Caption), QStr(R.Text), Buttons);
    switch (Box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return (R.Flags & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
}

TDialogAnswer RunFileDialog(const TDialogRequest& R)
{
    TDialogAnswer A;
    QFileDialog Dialog(nullptr, QStr(R.Caption), QStr(R.InitialDir));
    const QStringList Filters = NameFilters(R.Filter);
    if (!Filters.isEmpty()) {
        Dialog.setNameFilters(Filters);
        if (R.FilterIndex >= 1 && R.FilterIndex <= Filters.size())
            Dialog.selectNameFilter(Filters[R.FilterIndex - 1]);
    }
    if (!R.FileName.empty())
        Dialog.selectFile(QStr(R.FileName));
    if (R.Kind == TDialogKind::SaveFile) {
        Dialog.setAcceptMode(QFileDialog::AcceptSave);
        Dialog.setFileMode(QFileDialog::AnyFile);
        Dialog.setOption(QFileDialog::DontConfirmOverwrite, !R.OverwritePrompt);
    } else {
        Dialog.setAcceptMode(QFileDialog::AcceptOpen);
        Dialog.setFileMode(R.MultiSelect     ? QFileDialog::ExistingFiles
                           : R.FileMustExist ? QFileDialog::ExistingFile
                                             : QFileDialog::AnyFile);
    }
    if (Dialog.exec() != QDialog::Accepted)
        return A;
    A.Result = IDOK;
    for (const QString& F : Dialog.selectedFiles())
        A.FileNames.push_back(StdStr(F));
    A.FilterIndex = int(Filters.indexOf(Dialog.selectedNameFilter())) + 1;
    return A;
}

TDialogAnswer RunRealDialog(const TDialogRequest& R)
{
    TDialogAnswer A;
    switch (R.Kind) {
    case TDialogKind::MessageBox: A.Result = RunMessageBox(R); break;
    case TDialogKind::OpenFile:
    case TDialogKind::SaveFile: A = RunFileDialog(R); break;
    case TDialogKind::Font: {
        bool Ok = false;
        const QFont Initial = R.Font ? ToQFont(*R.Font) : QFont();
        const QFont Chosen = QFontDialog::getFont(&Ok, Initial, nullptr, QStr(R.Caption));
        if (Ok) {
            A.Result = IDOK;
            A.Font = std::make_shared<TFont>();
            if (R.Font)
                A.Font->Assign(R.Font);
            A.Font->SetName(StdStr(Chosen.family()));
            if (Chosen.pointSize() > 0)
                A.Font->SetSize(Chosen.pointSize());
            TFontStyles Style;
            if (Chosen.bold())
                Style << fsBold;
            if (Chosen.italic())
                Style << fsItalic;
            if (Chosen.underline())
                Style << fsUnderline;
            if (Chosen.strikeOut())
                Style << fsStrikeOut;
            A.Font->SetStyle(Style);
        }
        break;
    }
    case TDialogKind::Color: {
        for (int I = 0; I < int(R.CustomColors.size()) && I < QColorDialog::customCount(); ++I)
            QColorDialog::setCustomColor(I, ToQColor(R.CustomColors[size_t(I)]));
        const QColor Chosen = QColorDialog::getColor(ToQColor(R.Color), nullptr, QStr(R.Caption));
        if (Chosen.isValid()) {
            A.Result = IDOK;
            A.Color = FromQColor(Chosen);
        }
        break;
    }
    case TDialogKind::Print: {
        QPrintDialog Dialog(R.PrintDevice);
        if (Dialog.exec() == QDialog::Accepted) {
            A.Result = IDOK;
            A.PrintFileName = R.PrintDevice->outputFormat() == QPrinter::PdfFormat
                                  ? StdStr(R.PrintDevice->outputFileName())
                                  : std::string();
        }
        break;
    }
    }
    return A;
}

}  // namespace

TDialogResponder SetDialogResponder(TDialogResponder NewResponder)
{
    TDialogResponder Old = std::move(Responder);
    Responder = std::move(NewResponder);
    return Old;
}

TDialogAnswer RunDialog(const TDialogRequest& Request)
{
    if (Responder)
        return Responder(Request);
    return RunRealDialog(Request);
}
