// Printing into a PDF file through the printer's canvas.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QTimer>

#include "ui/PrintDialog.h"
#include "ui/Printer.h"

namespace {

std::string ReadFile(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

int CountPages(const std::string& Pdf)
{
    int N = 0;
    for (size_t At = Pdf.find("/Type /Page"); At != std::string::npos; At = Pdf.find("/Type /Page", At + 1))
        if (Pdf.compare(At, 12, "/Type /Pages") != 0)
            ++N;
    return N;
}

std::string TempPdf(const char* Name)
{
    return (std::filesystem::temp_directory_path() / (std::string(Name) + std::to_string(::getpid()) + ".pdf"))
        .string();
}

}  // namespace

TEST(Printer, TwoPagesIntoAPdfFile)
{
    TPrinter* P = Printer();
    const std::string Path = TempPdf("ui-print-");
    P->OutputFileName = Path;
    P->Title = "kPlot";
    P->SetOrientation(poLandscape);
    P->BeginDoc();
    EXPECT_TRUE(P->Printing());
    EXPECT_EQ(P->PageNumber(), 1);
    EXPECT_GT(P->PageWidth(), P->PageHeight());
    EXPECT_GT(P->XDpi(), 0);
    P->Canvas()->Brush->Color = clRed;
    P->Canvas()->FillRect(Rect(0, 0, P->PageWidth() / 2, P->PageHeight() / 2));
    P->Canvas()->TextOut(100, 100, "第一页");
    P->NewPage();
    EXPECT_EQ(P->PageNumber(), 2);
    P->Canvas()->Rectangle(10, 10, 200, 200);
    P->EndDoc();
    EXPECT_FALSE(P->Printing());

    const std::string Pdf = ReadFile(Path);
    std::filesystem::remove(Path);
    ASSERT_GT(Pdf.size(), 100u);
    EXPECT_EQ(Pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(CountPages(Pdf), 2);
    EXPECT_EQ(P->GetOrientation(), poLandscape);
}

// A user who picks printing into a file in the print dialog gets the
// document in that file, not an error about a printer.
TEST(Printer, WhatThePrintDialogChoseIsWhereTheDocumentGoes)
{
    TPrinter* P = Printer();
    P->OutputFileName.clear();
    const std::string Path = TempPdf("ui-dialog-print-");
    P->Device()->setOutputFormat(QPrinter::PdfFormat);
    P->Device()->setOutputFileName(QString::fromStdString(Path));
    TPrintDialog Dialog(nullptr);
    QTimer::singleShot(0, [] {
        if (auto* Shown = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            Shown->accept();
    });
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(P->OutputFileName, Path);
    P->BeginDoc();
    P->Canvas()->Rectangle(10, 10, 200, 200);
    P->EndDoc();
    const std::string Pdf = ReadFile(Path);
    std::filesystem::remove(Path);
    P->OutputFileName.clear();
    EXPECT_EQ(Pdf.substr(0, 5), "%PDF-");
}

TEST(Printer, MisuseRaisesEPrinter)
{
    TPrinter* P = Printer();
    EXPECT_THROW(P->NewPage(), EPrinter);
    EXPECT_THROW(P->EndDoc(), EPrinter);
    const std::string Path = TempPdf("ui-print-twice-");
    P->OutputFileName = Path;
    P->BeginDoc();
    EXPECT_THROW(P->BeginDoc(), EPrinter);
    P->Abort();
    EXPECT_TRUE(P->Aborted());
    EXPECT_FALSE(P->Printing());
    std::filesystem::remove(Path);
}
