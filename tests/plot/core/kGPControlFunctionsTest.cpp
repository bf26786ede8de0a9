#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "plot/core/kGPFunctions.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/Printer.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "kGPControlFunctionsTest";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

class kGPControlFunctionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }
};

TEST_F(kGPControlFunctionsTest, ParentFormIsTheFirstFormUpwards)
{
    TForm form(nullptr);
    TPanel* outer = new TPanel(&form);
    outer->SetParent(&form);
    TPanel* inner = new TPanel(&form);
    inner->SetParent(outer);
    EXPECT_EQ(GetParentForm(inner), &form);
    EXPECT_EQ(GetParentForm(&form), &form);

    TPanel loose(nullptr);
    TPanel child(nullptr);
    child.SetParent(&loose);
    EXPECT_EQ(GetParentForm(&child), &loose);  // no form: the outermost parent
    EXPECT_EQ(GetParentForm(&loose), nullptr);
    EXPECT_EQ(GetParentForm(static_cast<TControl*>(nullptr)), nullptr);
    child.SetParent(nullptr);
}

TEST_F(kGPControlFunctionsTest, ActivePageByIndexWithinTheCount)
{
    TForm form(nullptr);
    TPageControl* pages = new TPageControl(&form);
    pages->SetParent(&form);
    for (int i = 0; i < 3; ++i)
        (new TTabSheet(&form))->SetPageControl(pages);
    SetActivePageIndex(pages, 2);
    EXPECT_EQ(GetActivePageIndex(pages), 2);
    SetActivePageIndex(pages, 3);  // beyond the pages: unchanged
    EXPECT_EQ(GetActivePageIndex(pages), 2);
    SetActivePageIndex(pages, -1);
    EXPECT_EQ(GetActivePageIndex(pages), 2);
    SetActivePageIndex(pages, 0);
    EXPECT_EQ(GetActivePageIndex(pages), 0);
    EXPECT_EQ(GetActivePageIndex(nullptr), -1);
}

TEST_F(kGPControlFunctionsTest, NoModifierKeysHeldInTests)
{
    EXPECT_FALSE(ShiftKeyDown());
    EXPECT_FALSE(ControlKeyDown());
}

TEST_F(kGPControlFunctionsTest, PrinterPaperFollowsOrientation)
{
    TPrinter printer;
    printer.OutputFileName = (std::filesystem::temp_directory_path() / "kgp_paper.pdf").string();
    double w = 0, h = 0;
    GetPrinterPaperSize(printer, w, h);
    EXPECT_GT(w, 7.0);
    EXPECT_LT(w, h);
    printer.SetOrientation(poLandscape);
    double lw = 0, lh = 0;
    GetPrinterPaperSize(printer, lw, lh);
    EXPECT_NEAR(lw, h, 0.05);
    EXPECT_NEAR(lh, w, 0.05);
}

}  // namespace
