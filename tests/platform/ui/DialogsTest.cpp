// The dialog seam: message boxes and common dialogs answered by a test.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <vector>

#include "ui/Application.h"
#include "ui/ColorDialog.h"
#include "ui/DialogRequest.h"
#include "ui/Dialogs.h"
#include "ui/FontDialog.h"
#include "ui/OpenDialog.h"
#include "ui/PrintDialog.h"
#include "ui/Printer.h"
#include "ui/SaveDialog.h"

namespace {

struct TSeam {
    std::vector<TDialogRequest> Asked;
    std::function<TDialogAnswer(const TDialogRequest&)> Answer;

    TSeam()
    {
        Application.Get();
        SetDialogResponder([this](const TDialogRequest& R) {
            Asked.push_back(R);
            return Answer ? Answer(R) : TDialogAnswer{};
        });
    }
    ~TSeam() { SetDialogResponder(nullptr); }
};

TDialogAnswer Ok(std::vector<std::string> Files = {}, int FilterIndex = 0)
{
    TDialogAnswer A;
    A.Result = IDOK;
    A.FileNames = std::move(Files);
    A.FilterIndex = FilterIndex;
    return A;
}

}  // namespace

TEST(DialogSeam, MessageBoxPassesTextCaptionFlagsAndReturnsTheAnswer)
{
    TSeam Seam;
    Seam.Answer = [](const TDialogRequest&) {
        TDialogAnswer A;
        A.Result = IDNO;
        return A;
    };
    const int R = Application->MessageBox("正在记录中, 确认要退出吗？", "警告", MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(R, IDNO);
    ASSERT_EQ(Seam.Asked.size(), 1u);
    EXPECT_EQ(Seam.Asked[0].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(Seam.Asked[0].Text, "正在记录中, 确认要退出吗？");
    EXPECT_EQ(Seam.Asked[0].Caption, "警告");
    EXPECT_EQ(Seam.Asked[0].Flags, MB_YESNO | MB_ICONWARNING);
}

TEST(RealMessageBox, SpeaksChineseAndCarriesTheCaption)
{
    Application.Get();
    SetDialogResponder(nullptr);
    QString Title;
    QStringList Buttons;
    // Reads the box once it is up, then answers No.
    QTimer Probe;
    QObject::connect(&Probe, &QTimer::timeout, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!Box)
            return;
        Probe.stop();
        Title = Box->windowTitle();
        for (QAbstractButton* B : Box->buttons())
            Buttons << B->text();
        Box->button(QMessageBox::No)->click();
    });
    Probe.start(10);
    const int R = Application->MessageBox("正在记录中, 确认要退出吗？", "警告", MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(R, IDNO);
    EXPECT_EQ(Title.toStdString(), "警告");
    Buttons.sort();
    EXPECT_EQ(Buttons.join('|').toStdString(), "否(&N)|是(&Y)");
}

TEST(RealFileDialog, SpeaksChineseAndNamesEachFilterOnce)
{
    Application.Get();
    SetDialogResponder(nullptr);
    QString LookIn, Cancel;
    QStringList Filters;
    QTimer Probe;
    QObject::connect(&Probe, &QTimer::timeout, [&] {
        auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!Dialog)
            return;
        Probe.stop();
        if (auto* Label = Dialog->findChild<QLabel*>("lookInLabel"))
            LookIn = Label->text();
        if (auto* Box = Dialog->findChild<QDialogButtonBox*>())
            Cancel = Box->button(QDialogButtonBox::Cancel)->text();
        Filters = Dialog->nameFilters();
        Dialog->reject();
    });
    Probe.start(10);
    TSaveDialog Save(nullptr);
    Save.Filter = "CSV文件(*.csv)|*.csv|Logs|*.log;*.txt";
    EXPECT_FALSE(Save.Execute());
    EXPECT_EQ(LookIn.toStdString(), "查找范围：");
    EXPECT_EQ(Cancel.toStdString(), "取消");
    // A filter's name that already shows its patterns is not followed by
    // them a second time.
    EXPECT_EQ(Filters.join('|').toStdString(), "CSV文件(*.csv)|Logs (*.log *.txt)");
}

TEST(DialogSeam, ShowMessageUsesTheApplicationTitle)
{
    TSeam Seam;
    Application->SetTitle("title");
    ShowMessage("hello");
    ASSERT_EQ(Seam.Asked.size(), 1u);
    EXPECT_EQ(Seam.Asked[0].Caption, "title");
    EXPECT_EQ(Seam.Asked[0].Flags, MB_OK);
}

TEST(DialogSeam, InstallingReturnsThePreviousResponder)
{
    Application.Get();
    int First = 0;
    SetDialogResponder([&](const TDialogRequest&) {
        ++First;
        return TDialogAnswer{};
    });
    TDialogResponder Previous = SetDialogResponder([](const TDialogRequest&) { return TDialogAnswer{}; });
    ASSERT_TRUE(Previous);
    Previous(TDialogRequest{});
    EXPECT_EQ(First, 1);
    SetDialogResponder(nullptr);
}

TEST(FileDialogs, SaveDialogAsksWithItsSettingsAndAppendsTheDefaultExtension)
{
    TSeam Seam;
    Seam.Answer = [](const TDialogRequest&) { return Ok({"/data/run1"}, 1); };
    TSaveDialog Dialog(nullptr);
    Dialog.Filter = "CSV文件(*.csv)|*.csv";
    Dialog.DefaultExt = ".csv";
    Dialog.FileName = "proposal";
    Dialog.InitialDir = "/data";
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName, "/data/run1.csv");
    ASSERT_EQ(Seam.Asked.size(), 1u);
    EXPECT_EQ(Seam.Asked[0].Kind, TDialogKind::SaveFile);
    EXPECT_EQ(Seam.Asked[0].Filter, "CSV文件(*.csv)|*.csv");
    EXPECT_EQ(Seam.Asked[0].FileName, "proposal");
    EXPECT_EQ(Seam.Asked[0].InitialDir, "/data");
    EXPECT_EQ(Seam.Asked[0].FilterIndex, 1);
}

TEST(FileDialogs, DefaultExtensionWithoutDotAndNamesThatHaveOne)
{
    TSeam Seam;
    TSaveDialog Dialog(nullptr);
    Dialog.DefaultExt = "txt";
    Seam.Answer = [](const TDialogRequest&) { return Ok({"/a.b/name"}); };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName, "/a.b/name.txt");
    Seam.Answer = [](const TDialogRequest&) { return Ok({"/a/name.csv"}); };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName, "/a/name.csv");
}

TEST(FileDialogs, CancelLeavesEverythingUnchanged)
{
    TSeam Seam;
    TOpenDialog Dialog(nullptr);
    Dialog.FileName = "keep";
    Dialog.FilterIndex = 2;
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName, "keep");
    EXPECT_EQ(Dialog.FilterIndex, 2);
    EXPECT_TRUE(Dialog.Files.empty());
    EXPECT_EQ(Seam.Asked.at(0).Kind, TDialogKind::OpenFile);
}

TEST(FileDialogs, OpenWithMultiSelectKeepsEveryFileAndTheChosenFilter)
{
    TSeam Seam;
    Seam.Answer = [](const TDialogRequest&) { return Ok({"/d/a.cfg", "/d/b.cfg"}, 2); };
    TOpenDialog Dialog(nullptr);
    Dialog.Options |= ofAllowMultiSelect | ofFileMustExist;
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_TRUE(Seam.Asked[0].MultiSelect);
    EXPECT_TRUE(Seam.Asked[0].FileMustExist);
    EXPECT_EQ(Dialog.Files, (std::vector<std::string>{"/d/a.cfg", "/d/b.cfg"}));
    EXPECT_EQ(Dialog.FileName, "/d/a.cfg");
    EXPECT_EQ(Dialog.FilterIndex, 2);
}

TEST(OtherDialogs, ColourDialogShowsTheColourAndTakesTheAnswer)
{
    TSeam Seam;
    Seam.Answer = [](const TDialogRequest&) {
        TDialogAnswer A;
        A.Result = IDOK;
        A.Color = RGB(1, 2, 3);
        return A;
    };
    TColorDialog Dialog(nullptr);
    Dialog.Color = clRed;
    Dialog.CustomColors.assign(16, clWhite);
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Seam.Asked[0].Color, clRed);
    EXPECT_EQ(Seam.Asked[0].CustomColors, std::vector<TColor>(16, clWhite));
    EXPECT_EQ(Dialog.Color, RGB(1, 2, 3));

    Seam.Answer = nullptr;  // cancel
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Dialog.Color, RGB(1, 2, 3));
}

TEST(OtherDialogs, FontDialogShowsTheFontAndCopiesTheChosenOne)
{
    TSeam Seam;
    TFontDialog Dialog(nullptr);
    Dialog.GetFont()->Name = "Arial";
    Seam.Answer = [](const TDialogRequest& R) {
        EXPECT_EQ(R.Font->GetName(), "Arial");
        TDialogAnswer A;
        A.Result = IDOK;
        A.Font = std::make_shared<TFont>();
        A.Font->Name = "SimSun";
        A.Font->Size = 14;
        A.Font->Style = TFontStyles{fsBold};
        return A;
    };
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.GetFont()->GetName(), "SimSun");
    EXPECT_EQ(Dialog.GetFont()->GetSize(), 14);
    EXPECT_TRUE(Dialog.GetFont()->GetStyle().Contains(fsBold));
}

TEST(OtherDialogs, PrintDialogAnswer)
{
    TSeam Seam;
    TPrintDialog Dialog(nullptr);
    EXPECT_FALSE(Dialog.Execute());
    Seam.Answer = [](const TDialogRequest&) { return Ok(); };
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(Seam.Asked.back().Kind, TDialogKind::Print);
}

// The printer changes only where an answer says the user chose to print:
// a test's plain OK leaves the document going where it went.
TEST(OtherDialogs, APrintAnswerMovesTheDocumentOnlyWhenItNamesAPlace)
{
    TSeam Seam;
    Printer()->OutputFileName = "kept.pdf";
    Seam.Answer = [](const TDialogRequest&) { return Ok(); };
    TPrintDialog Dialog(nullptr);
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(Seam.Asked.back().PrintDevice, Printer()->Device());
    EXPECT_EQ(Printer()->OutputFileName, "kept.pdf");

    Seam.Answer = [](const TDialogRequest&) {
        TDialogAnswer A;
        A.PrintFileName = "cancelled.pdf";
        return A;
    };
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Printer()->OutputFileName, "kept.pdf");

    Seam.Answer = [](const TDialogRequest&) {
        TDialogAnswer A = Ok();
        A.PrintFileName = "";
        return A;
    };
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(Printer()->OutputFileName, "");
}

TEST(RealFileDialog, LeavesTheOverwriteQuestionToACallerThatAsksItself)
{
    Application.Get();
    SetDialogResponder(nullptr);
    std::vector<bool> Confirms;
    QTimer Probe;
    QObject::connect(&Probe, &QTimer::timeout, [&] {
        auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!Dialog)
            return;
        Confirms.push_back(!Dialog->testOption(QFileDialog::DontConfirmOverwrite));
        Dialog->reject();
    });
    Probe.start(10);
    TDialogRequest Request;
    Request.Kind = TDialogKind::SaveFile;
    EXPECT_EQ(RunDialog(Request).Result, IDCANCEL);
    Request.OverwritePrompt = false;
    EXPECT_EQ(RunDialog(Request).Result, IDCANCEL);
    EXPECT_EQ(Confirms, (std::vector<bool>{true, false}));
}
