#include "plot/editor/kComponentEditorCheckBox.h"
#include "plot/editor/kComponentEditorColorPicker.h"
#include "plot/editor/kComponentEditorComboBox.h"
#include "plot/editor/kComponentEditorFontPicker.h"
#include "plot/editor/kComponentEditorOpenPicker.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "plot/editor/kComponentEditorRadioGroup.h"
#include "plot/editor/kComponentEditorSavePicker.h"

#include <gtest/gtest.h>

#include <string>

#include "EditorTestSupport.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorValueConverterPicker.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

class kComponentEditorControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = std::make_unique<TCountingEditorForm>();
        Previous = SetDialogResponder([this](const TDialogRequest& R) {
            Asked.push_back(R);
            return Answer;
        });
    }
    void TearDown() override
    {
        Form.reset();
        SetDialogResponder(Previous);
    }

    std::unique_ptr<TCountingEditorForm> Form;
    TDialogResponder Previous;
    std::vector<TDialogRequest> Asked;
    TDialogAnswer Answer;
    int Events = 0;
};

TEST_F(kComponentEditorControlsTest, CheckBoxSetSilentlyTellsNoOneUserToggleTellsTheForm)
{
    auto* box = new TkComponentEditorCheckBox(Form.get());
    box->OnClick = [this](TObject*) { ++Events; };
    box->OnChange = [this](TObject*) { ++Events; };
    box->SetCheckedSilently(true);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_EQ(Events, 0);
    EXPECT_EQ(Form->Changes, 0);
    PressKey(box, Qt::Key_Space);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(Form->Changes, 1);
    box->SetCheckedSilently(true);
    box->SetEnabled(false);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_EQ(Form->Changes, 1);
}

TEST_F(kComponentEditorControlsTest, RadioGroupSetSilentlyTellsNoOneArrowKeysTellTheForm)
{
    auto* group = new TkComponentEditorRadioGroup(Form.get());
    group->GetItems()->Add("One");
    group->GetItems()->Add("Two");
    group->OnChange = [this](TObject*) { ++Events; };
    group->SetItemIndexSilently(1);
    EXPECT_EQ(group->GetItemIndex(), 1);
    EXPECT_EQ(Events, 0);
    ASSERT_TRUE(group->OnChange);  // given back
    PressKey(group, Qt::Key_Down);
    EXPECT_EQ(group->GetItemIndex(), 0);
    EXPECT_EQ(Events, 1);
    EXPECT_EQ(Form->Changes, 1);
    group->SetEnabled(false);
    EXPECT_EQ(group->GetItemIndex(), -1);
    EXPECT_EQ(Events, 1);
}

TEST_F(kComponentEditorControlsTest, ComboBoxSetSilentlyAndDisabled)
{
    auto* combo = new TkComponentEditorComboBox(Form.get());
    combo->Items->Add("Tab");
    combo->Items->Add("Comma");
    combo->OnChange = [this](TObject*) { ++Events; };
    combo->SetItemIndexSilently(1);
    EXPECT_EQ(combo->GetText(), "Comma");
    combo->SetEnabled(false);
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(combo->GetText(), "");
    EXPECT_EQ(combo->GetColor(), clBtnFace);
    EXPECT_EQ(Events, 0);
    EXPECT_EQ(Form->Changes, 0);
}

TEST_F(kComponentEditorControlsTest, ColorPickerStoresTheChosenColourAndTellsTheForm)
{
    auto* picker = new TkComponentEditorColorPicker(Form.get());
    picker->SetParent(Form.get());
    EXPECT_EQ(picker->GetColorValue(), clRed);
    EXPECT_EQ(picker->Button()->GetLeft(), 47 - 21);
    picker->OnChange = [this](TObject*) { ++Events; };
    picker->Button()->Click();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Color, clRed);
    EXPECT_EQ(Events, 0);  // cancelled
    Answer.Result = IDOK;
    Answer.Color = clBlue;
    picker->Button()->Click();
    EXPECT_EQ(picker->GetColorValue(), clBlue);
    EXPECT_EQ(Events, 1);
    EXPECT_EQ(Form->Changes, 1);
    picker->SetBounds(0, 0, 80, 21);
    EXPECT_EQ(picker->Button()->GetLeft(), 80 - 21);
}

TEST_F(kComponentEditorControlsTest, FontPickerCopiesTheChosenFont)
{
    auto* picker = new TkComponentEditorFontPicker(Form.get());
    EXPECT_EQ(picker->GetText(), "Font");
    picker->GetFont()->SetSize(9);
    picker->OnChange = [this](TObject*) { ++Events; };
    int shownSize = 0;
    SetDialogResponder([&](const TDialogRequest& R) {
        shownSize = R.Font ? R.Font->GetSize() : -1;
        return Answer;
    });
    picker->Click();
    EXPECT_EQ(shownSize, 9);
    EXPECT_EQ(Events, 0);
    Answer.Result = IDOK;
    Answer.Font = std::make_shared<TFont>();
    Answer.Font->SetSize(14);
    picker->Click();
    EXPECT_EQ(picker->GetFont()->GetSize(), 14);
    EXPECT_EQ(Events, 1);
    EXPECT_EQ(Form->Changes, 1);
}

TEST_F(kComponentEditorControlsTest, OpenAndSavePickers)
{
    auto* open = new TkComponentEditorOpenPicker(Form.get());
    open->FileName = "/data/";
    open->DefaultDir = "/data";
    open->FileMustExist = true;
    Answer.Result = IDOK;
    Answer.FileNames = {"/data/a.txt", "/data/b.txt"};
    open->Click();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].FileName, "/data/Untitled");
    EXPECT_TRUE(Asked[0].FileMustExist);
    EXPECT_EQ(open->FileName, "/data/a.txt");
    EXPECT_EQ(open->Files.size(), 2u);
    EXPECT_EQ(Form->Changes, 1);

    auto* save = new TkComponentEditorSavePicker(Form.get());
    save->DefaultDir = "/logs";
    save->DefaultExt = "csv";
    Answer.FileNames = {"/logs/run"};
    save->Click();
    EXPECT_EQ(Asked[1].InitialDir, "/logs");
    EXPECT_EQ(save->FileName, "/logs/run.csv");
    save->Click();
    EXPECT_EQ(Asked[2].InitialDir, "");  // later it starts from the file name
    EXPECT_EQ(Asked[2].FileName, "/logs/run.csv");
    EXPECT_EQ(Form->Changes, 3);
}

TEST_F(kComponentEditorControlsTest, ValueConverterPickerCommitsTheConvertedValue)
{
    auto* edit = new TkComponentEditorEdit(Form.get());
    edit->SetFloat(1.5);
    auto* picker = new TkComponentEditorValueConverterPicker(Form.get());
    picker->SetAssociate(edit);
    picker->DefaultPage = kvcptPrice32nd;
    picker->OnChange = [this](TObject*) { ++Events; };
    double shown = 0;
    // The converter form and its pages are gone once Click returns, so the
    // page is read while the form is showing.
    std::string page;
    picker->TranslationMethod = [&](TForm* F) {
        auto* converter = static_cast<TkValueConverterEditForm*>(F);
        F->OnShow = [&, converter](TObject*) {
            shown = converter->GetValue();
            if (TTabSheet* active = converter->PageControl->GetActivePage())
                page = active->GetName();
            converter->SetValue(2.25);
            converter->SetModalResult(mrOk);
        };
    };
    picker->Click();
    EXPECT_DOUBLE_EQ(shown, 1.5);
    EXPECT_EQ(page, "Price32TabSheet");
    EXPECT_DOUBLE_EQ(picker->DateTime, 2.25);
    EXPECT_EQ(edit->GetText(), "2.25");
    EXPECT_EQ(Events, 1);
    EXPECT_EQ(Form->Changes, 1);
}

}  // namespace
