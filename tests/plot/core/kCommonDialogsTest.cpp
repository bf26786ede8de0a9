// The charting components' save, open, font and colour dialogs, answered
// through the dialog seam.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "plot/core/kColorDialog.h"
#include "plot/core/kFontDialog.h"
#include "plot/core/kOpenDialog.h"
#include "plot/core/kSaveDialog.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"
#include "ui/Panel.h"

namespace fs = std::filesystem;

namespace {

class CommonDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetDialogResponder([this](const TDialogRequest& R) {
            Asked.push_back(R);
            if (Answers.empty())
                return TDialogAnswer{};
            TDialogAnswer a = Answers.front();
            Answers.erase(Answers.begin());
            return a;
        });
        fs::create_directories(Dir);
    }
    void TearDown() override
    {
        SetDialogResponder(nullptr);
        fs::remove_all(Dir);
    }

    static TDialogAnswer Ok(std::vector<std::string> Files, int FilterIndex = 0)
    {
        TDialogAnswer a;
        a.Result = IDOK;
        a.FileNames = std::move(Files);
        a.FilterIndex = FilterIndex;
        return a;
    }
    static TDialogAnswer Button(int Result)
    {
        TDialogAnswer a;
        a.Result = Result;
        return a;
    }
    std::string Path(const std::string& Name) const { return (Dir / Name).string(); }

    TPanel Window{nullptr};
    std::vector<TDialogRequest> Asked;
    std::vector<TDialogAnswer> Answers;
    fs::path Dir = fs::temp_directory_path() / ("kdialogs-" + std::to_string(::getpid()));
};

const char* const ConfigFilter = "Config (*.cfg)|*.cfg|All Files (*.*)|*.*";

TEST_F(CommonDialogs, SaveAddsTheChosenPatternsExtensionUnlessTheNameHasIt)
{
    TkSaveDialog dialog(&Window);
    dialog.SetFilter(ConfigFilter);
    const struct {
        const char* Typed;
        int Index;
        const char* Saved;
        const char* ReturnExt;
    } cases[] = {
        {"plot", 1, "plot.cfg", ".cfg"},     {"plot", 2, "plot", ".*"},
        {"plot.cfg", 1, "plot.cfg", ".cfg"}, {"plot.txt", 1, "plot.txt.cfg", ".cfg"},
        {"plot.CFG", 1, "plot.CFG", ".cfg"}, {"plot", 3, "plot", ""},
    };
    for (const auto& c : cases) {
        Answers = {Ok({Path(c.Typed)}, c.Index)};
        ASSERT_TRUE(dialog.Execute()) << c.Typed;
        EXPECT_EQ(dialog.GetFileName(), Path(c.Saved)) << c.Typed << " " << c.Index;
        EXPECT_EQ(dialog.GetFilterIndex(), c.Index);
        EXPECT_EQ(dialog.GetReturnExt(), c.ReturnExt) << c.Index;
    }
    // Each showing proposes the name confirmed last.
    const TDialogRequest& asked = Asked.at(1);
    EXPECT_EQ(asked.Kind, TDialogKind::SaveFile);
    EXPECT_EQ(asked.Filter, ConfigFilter);
    EXPECT_EQ(asked.FilterIndex, 1);
    EXPECT_EQ(asked.FileName, Path("plot.cfg"));
}

TEST_F(CommonDialogs, SaveAsksAboutReplacingTheNameItWillWriteAfterAddingTheExtension)
{
    std::ofstream(Path("plot.cfg")) << "old";
    TkSaveDialog dialog(&Window);
    dialog.SetFilter(ConfigFilter);
    dialog.SetDefaultDir(Dir.string());
    // "plot" itself is free; "plot.cfg", which would be written, is not.
    Answers = {Ok({Path("plot")}, 1), Button(IDNO), Button(IDCANCEL)};
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(Asked.size(), 3u);
    EXPECT_FALSE(Asked[0].OverwritePrompt);
    EXPECT_EQ(Asked[0].InitialDir, Dir.string());
    EXPECT_EQ(Asked[1].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(Asked[1].Text, Path("plot.cfg") + " already exists.\nDo you want to replace it?");
    // Refusing goes back to the dialog, which now proposes that name.
    EXPECT_EQ(Asked[2].Kind, TDialogKind::SaveFile);
    EXPECT_EQ(Asked[2].FileName, Path("plot.cfg"));
    EXPECT_EQ(dialog.GetFileName(), "");

    Asked.clear();
    Answers = {Ok({Path("plot")}, 1), Button(IDYES)};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetFileName(), Path("plot.cfg"));
    EXPECT_EQ(Asked.size(), 2u);

    Asked.clear();
    Answers = {Ok({Path("new")}, 1)};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(Asked.size(), 1u);
}

TEST_F(CommonDialogs, CancelOrNoOwnerWindowChangesNothing)
{
    TkSaveDialog save(&Window);
    save.SetFileName("keep");
    save.SetFilterIndex(2);
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.GetFileName(), "keep");
    EXPECT_EQ(save.GetFilterIndex(), 2);

    Answers = {Ok({"/x/a"}), Ok({"/x/a"})};
    TkSaveDialog orphan(nullptr);
    TkOpenDialog orphanOpen(nullptr);
    EXPECT_FALSE(orphan.Execute());
    EXPECT_FALSE(orphanOpen.Execute());
    TkColorDialog colour(nullptr);
    colour.SetColor(clRed);
    EXPECT_FALSE(colour.Execute());
    EXPECT_EQ(colour.GetColor(), clRed);
    EXPECT_EQ(Asked.size(), 1u);  // only the first, cancelled, dialog showed
}

TEST_F(CommonDialogs, OpenWithMultiSelectGivesFullPathsAndTheFirstAsFileName)
{
    TkOpenDialog dialog(&Window);
    dialog.AllowMultiSelect = true;
    dialog.SetFileMustExist(true);
    dialog.SetDefaultDir("/data/runs");
    Answers = {Ok({"a.cfg", "/elsewhere/b.cfg"})};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"/data/runs/a.cfg", "/elsewhere/b.cfg"}));
    EXPECT_EQ(dialog.GetFileName(), "/data/runs/a.cfg");
    EXPECT_TRUE(Asked[0].MultiSelect);
    EXPECT_TRUE(Asked[0].FileMustExist);
    EXPECT_EQ(Asked[0].Kind, TDialogKind::OpenFile);

    dialog.AllowMultiSelect = false;
    Answers = {Ok({"/d/one.cfg"})};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"/d/one.cfg"}));
}

TEST_F(CommonDialogs, FontTakesColourFaceHeightAndStyleAndTheCharsetOnlyWithANewFace)
{
    TkFontDialog dialog(&Window);
    TFont start;
    start.SetName("Arial");
    start.SetCharset(GB2312_CHARSET);
    start.SetColor(clRed);
    dialog.SetFont(&start);
    EXPECT_NE(dialog.GetFont(), &start);

    TDialogAnswer same = Button(IDOK);
    same.Font = std::make_shared<TFont>();
    same.Font->SetName("ARIAL");
    same.Font->SetCharset(ANSI_CHARSET);
    same.Font->SetHeight(-20);
    same.Font->SetColor(clBlue);
    same.Font->SetStyle(TFontStyles() << fsBold << fsUnderline);
    Answers = {same};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(Asked[0].Color, clRed);
    EXPECT_EQ(dialog.GetFont()->GetCharset(), GB2312_CHARSET);
    EXPECT_EQ(dialog.GetFont()->GetHeight(), -20);
    EXPECT_EQ(dialog.GetFont()->GetColor(), clBlue);
    EXPECT_EQ(dialog.GetFont()->GetStyle(), TFontStyles() << fsBold << fsUnderline);

    TDialogAnswer other = same;
    other.Font = std::make_shared<TFont>();
    other.Font->SetName("Courier New");
    other.Font->SetCharset(SYMBOL_CHARSET);
    Answers = {other};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetFont()->GetName(), "Courier New");
    EXPECT_EQ(dialog.GetFont()->GetCharset(), SYMBOL_CHARSET);
}

TEST_F(CommonDialogs, ColourStartsFromTheRgbValueWithWhiteCustomSlots)
{
    TkColorDialog dialog(&Window);
    dialog.SetColor(clBtnFace);
    TDialogAnswer chosen = Button(IDOK);
    chosen.Color = TColor(0x123456);
    Answers = {chosen};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(Asked[0].Color, ColorToRGB(clBtnFace));
    EXPECT_EQ(Asked[0].CustomColors, std::vector<TColor>(16, clWhite));
    EXPECT_EQ(dialog.GetColor(), TColor(0x123456));
}

}  // namespace
