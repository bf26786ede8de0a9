#include <gtest/gtest.h>

#include "PlotObjectSupport.h"
#include "plot/core/kCheckBox.h"
#include "plot/core/kPlotEditorHost.h"
#include "plot/core/kPlotEditorLink.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kRadioGroup.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

namespace {

// An editor that is filling its controls, with its form.
class TLoadingEditor : public TkPlotEditorLink {
public:
    explicit TLoadingEditor(const TObject* AForm) : FForm(AForm) {}
    bool IsLoading() const override { return true; }
    void ObjectAdded(TkPlotObject*) override {}
    void ObjectRemoved(TkPlotObject*) override {}
    void ObjectRenamed(TkPlotObject*) override {}
    void Edit(TkPlotObject*) override {}
    const TObject* Form() const override { return FForm; }

private:
    const TObject* FForm;
};

class kPlotTranslateControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        form = std::make_unique<TForm>(nullptr);
        form->SetText("Value Converter");
        label = new TLabel(form.get());
        label->SetText("Days");
        box = new TkCheckBox(form.get());
        box->SetCaption("Visible");
        group = new TkRadioGroup(form.get());
        group->SetCaption("Style");
        group->GetItems()->Add("Line");
        group->GetItems()->Add("Bar");
        combo = new TComboBox(form.get());
        combo->SetStyle(csDropDownList);
        combo->Items->Add("Tab");
        combo->Items->Add("Comma");
        combo->SetItemIndex(1);
        menu = new TPopupMenu(form.get());
        menu->Items->Add(NewMenuItem(form.get(), "Copy", nullptr));
    }
    void Pair(const std::string& From, const std::string& To)
    {
        TkPlotTranslationObject* pair = master->TranslationManager()->Add();
        pair->SetOriginalString(From);
        pair->SetReplacementString(To);
    }

    FakePlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    std::unique_ptr<TForm> form;
    TLabel* label = nullptr;
    TkCheckBox* box = nullptr;
    TkRadioGroup* group = nullptr;
    TComboBox* combo = nullptr;
    TPopupMenu* menu = nullptr;
};

TEST_F(kPlotTranslateControlTest, TranslatesCaptionsTextsItemsAndMenus)
{
    for (const char* text : {"Value Converter", "Days", "Visible", "Style", "Line", "Comma", "Copy"})
        Pair(text, std::string("<") + text + ">");
    Pair("<Days>", "twice");  // each text goes through once
    master->TranslateControl(form.get());
    EXPECT_EQ(form->GetText(), "<Value Converter>");
    EXPECT_EQ(label->GetText(), "<Days>");
    EXPECT_EQ(box->GetCaption(), "<Visible>");
    EXPECT_EQ(group->GetCaption(), "<Style>");
    EXPECT_EQ(group->GetItems()->Get(0), "<Line>");
    EXPECT_EQ(group->GetItems()->Get(1), "Bar");
    EXPECT_EQ(combo->Items->Get(1), "<Comma>");
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), "<Comma>");
    EXPECT_EQ(menu->Items->Items(0)->GetCaption(), "<Copy>");
}

TEST_F(kPlotTranslateControlTest, NothingWithoutPairsOrWhileTheEditorLoads)
{
    master->TranslateControl(form.get());
    master->TranslateControl(nullptr);
    EXPECT_EQ(form->GetText(), "Value Converter");

    Pair("Days", "Tage");
    TkPlotEditorHost host(*master);
    const TObject* editorForm = form.get();
    TkPlotEditorHost::SetEditorFactory(
        [editorForm](TkPlotEditorHost&) { return std::make_unique<TLoadingEditor>(editorForm); });
    host.Edit(nullptr);
    master->TranslateControl(form.get());
    EXPECT_EQ(label->GetText(), "Days");
    TkPlotEditorHost::SetEditorFactory(nullptr);

    TForm other(nullptr);
    auto* otherLabel = new TLabel(&other);
    otherLabel->SetText("Days");
    master->TranslateControl(&other);
    EXPECT_EQ(otherLabel->GetText(), "Tage");
}

}  // namespace
