// The plot editor as a user drives it offscreen, by its controls' names:
// each page shows the selected object, a change goes live into the object,
// adding and removing keep the lists and name combos, and editing while a
// channel logs never touches what the user did not change.
#include "plot/editor/kPlotEditorForm.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/channels/kXYPlotChannel.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotTranslation.h"
#include "plot/core/kPlotXAxis.h"
#include "plot/core/kPlotYAxis.h"
#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorCheckBox.h"
#include "plot/editor/kComponentEditorColorPicker.h"
#include "plot/editor/kComponentEditorComboBox.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorListBox.h"
#include "plot/editor/kComponentEditorOpenPicker.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "plot/editor/kComponentEditorRadioGroup.h"
#include "plot/editor/kComponentEditorSavePicker.h"
#include "plot/editor/kComponentEditorValueConverterPicker.h"
#include "plot/editor/kPlotEditorTable.h"
#include "plot/editor/kPlotLayoutViewer.h"
#include "rtl/PublishedProperties.h"
#include "ui/Application.h"
#include "ui/Font.h"
#include "plot/core/kRadioGroup.h"
#include "plot/core/kCheckBox.h"
#include "ui/TextClipCheck.h"
#include "ui/Label.h"
#include "ui/Canvas.h"
#include "ui/Bitmap.h"
#include "ui/DialogRequest.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/RecordingCanvas.h"

namespace {

// The control of the row can show and set the property.
bool Fits(const TkEditorRow& Row, const TPropInfo* Info)
{
    if (!Info || (Row.Type != TkEditorControlType::Font && !Info->IsWritable()))
        return false;
    switch (Row.Type) {
    case TkEditorControlType::Memo: return Info->Kind == TTypeKind::tkString;
    case TkEditorControlType::Edit:
        return Info->Kind == TTypeKind::tkInteger || Info->Kind == TTypeKind::tkFloat ||
               Info->Kind == TTypeKind::tkString;
    case TkEditorControlType::Check: return Info->TypeName == "Boolean";
    case TkEditorControlType::Choice:
    case TkEditorControlType::Radio:
        return Info->Kind == TTypeKind::tkEnumeration && Info->TypeName != "Boolean" &&
               Row.Items.size() == Info->EnumNames.size();
    case TkEditorControlType::Color: return Info->TypeName == "TColor";
    case TkEditorControlType::Font: return Info->TypeName == "TFont";
    case TkEditorControlType::Name: return Info->Kind == TTypeKind::tkString;
    }
    return false;
}

class PlotEditorFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Previous = SetDialogResponder([this](const TDialogRequest&) { return Answer; });
        // The editor the plot makes, as the editor library registers it,
        // kept where the test can reach it.
        Registered = TkPlotEditorHost::GetEditorFactory();
        ASSERT_TRUE(Registered);
        TkPlotEditorHost::SetEditorFactory([this](TkPlotEditorHost& Host) {
            std::unique_ptr<TkPlotEditorLink> editor = Registered(Host);
            Form = dynamic_cast<TkPlotEditorForm*>(editor.get());
            ++Made;
            return editor;
        });
        Plot = std::make_unique<TkPlot>(nullptr);
        Plot->SetEditorFormStyle(kpfsStayOnTop);
    }
    void TearDown() override
    {
        Plot.reset();
        TkPlotEditorHost::SetEditorFactory(Registered);
        SetDialogResponder(Previous);
        std::error_code ignored;
        std::filesystem::remove_all(Dir, ignored);
    }

    void Open(TkPlotObject* Object = nullptr)
    {
        TkPlotMasterManager& master = Plot->GetMasterManager();
        if (Object)
            master.EditObject(Object);
        else
            Plot->ShowEditor();
        ASSERT_NE(Form, nullptr);
    }
    template <class C> C* Find(const std::string& Name) const
    {
        auto* control = dynamic_cast<C*>(Form->FindComponent(Name));
        EXPECT_NE(control, nullptr) << Name;
        return control;
    }
    void TypeInto(const std::string& EditName, const std::string& Text)
    {
        auto* edit = Find<TkComponentEditorEdit>(EditName);
        Type(edit, Text);
        PressKey(edit, Qt::Key_Return);
    }
    void PickColor(const std::string& PickerName, TColor Color)
    {
        Answer.Result = IDOK;
        Answer.Color = Color;
        Find<TkComponentEditorColorPicker>(PickerName)->Button()->Click();
    }
    // A choice from the drop-down list, as the user makes it.
    void Choose(const std::string& ComboName, int Index)
    {
        auto* box = static_cast<QComboBox*>(Find<TkComponentEditorComboBox>(ComboName)->Widget());
        box->setCurrentIndex(Index);
        emit box->activated(Index);
    }
    std::vector<std::string> ItemsOf(const std::string& ComboName) const
    {
        std::vector<std::string> items;
        auto* combo = Find<TkComponentEditorComboBox>(ComboName);
        for (int i = 0; i < combo->Items->Count(); ++i)
            items.push_back(combo->Items->Strings(i));
        return items;
    }
    bool TabShown(const std::string& PageControl, const std::string& Caption) const
    {
        auto* pages = Find<TPageControl>(PageControl);
        for (int i = 0; i < pages->PageCount(); ++i)
            if (pages->Pages(i)->GetText() == Caption)
                return pages->Pages(i)->GetTabVisible();
        ADD_FAILURE() << "no tab " << Caption;
        return false;
    }
    std::string TempFile(const std::string& Name, const std::string& Text = {})
    {
        std::filesystem::create_directories(Dir);
        const std::string path = (Dir / Name).string();
        if (!Text.empty())
            std::ofstream(path, std::ios::binary) << Text;
        return path;
    }

    std::unique_ptr<TkPlot> Plot;
    TkPlotEditorForm* Form = nullptr;
    int Made = 0;
    int Shown = -1;
    TkPlotEditorFactory Registered;
    TDialogResponder Previous;
    TDialogAnswer Answer;
    std::filesystem::path Dir = std::filesystem::temp_directory_path() /
                                ("ploteditor-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(PlotEditorFormTest, EveryRowOfEveryPageEditsAPublishedPropertyOfItsKind)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    std::string missing;
    for (const TkEditorPageTable& table : KindPageTables()) {
        TkPlotKindManager* manager = master.KindManager(table.Kind);
        ASSERT_NE(manager, nullptr) << table.Kind;
        if (manager->GetCount() == 0)
            master.Add(manager->Kind());
        const TkPlotObject* object = manager->GetObject(0);
        for (const TkEditorSubPage& sub : table.SubPages)
            for (const TkEditorRow& row : sub.Rows)
                if (!Fits(row, GetPropInfo(object, row.PropertyName())))
                    missing += table.Kind + "." + row.PropertyName() + " ";
    }
    for (const TkEditorSubPage& sub : ControlPageTable().SubPages)
        for (const TkEditorRow& row : sub.Rows)
            if (!Fits(row, GetPropInfo(Plot.get(), row.PropertyName())))
                missing += "Plot." + row.PropertyName() + " ";
    EXPECT_EQ(missing, "");
}

TEST_F(PlotEditorFormTest, TheRegisteredEditorOpensFromThePlotAndSaysWhenItCloses)
{
    TkPlotEditorHost::SetEditorFactory(Registered);
    std::vector<std::string> events;
    {
        TkPlot plot(nullptr);
        plot.SetEditorFormStyle(kpfsStayOnTop);
        plot.OnAfterOpenEditor = [&](TObject* Sender) {
            events.push_back(dynamic_cast<TkPlotEditorForm*>(Sender) ? "open" : "open?");
        };
        plot.OnAfterCloseEditor = [&](TObject* Sender) {
            events.push_back(dynamic_cast<TkPlotEditorForm*>(Sender) ? "closed" : "closed?");
        };
        plot.ShowEditor();
        events.push_back("shown");
    }
    EXPECT_EQ(events, (std::vector<std::string>{"open", "shown", "closed"}));
}

TEST_F(PlotEditorFormTest, EachPageLoadsTheSelectedObject)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    auto* channel = master.ChannelManager()->GetItem(0);
    channel->SetColor(clBlue);
    channel->SetMarkersPenColor(clGreen);
    TkPlotAxis* x = master.XAxisManager()->GetItem(0);
    x->SetMin(0.1 + 0.2);
    x->SetTrackingStyle(TkPlotTrackingStyle(2));
    master.AddLimit();
    master.AddDataCursor();
    master.AddTable();
    Plot->SetTitleText("Pressure");
    Plot->SetBorderStyle(kbsRaised);
    Open();
    EXPECT_EQ(Find<TkComponentEditorColorPicker>("ChannelColorPicker")->GetColorValue(), clBlue);
    EXPECT_EQ(Find<TkComponentEditorColorPicker>("ChannelMarkersPenColorPicker")->GetColorValue(), clGreen);
    EXPECT_EQ(Find<TkComponentEditorEdit>("ChannelNameEdit")->GetText(), "Channel 1");
    EXPECT_EQ(Find<TkComponentEditorComboBox>("ChannelXAxisNameComboBox")->GetText(), x->GetName());
    EXPECT_EQ(Find<TkComponentEditorEdit>("XAxisMinEdit")->GetFloat(), 0.1 + 0.2);
    EXPECT_EQ(Find<TkComponentEditorComboBox>("XAxisTrackingStyleComboBox")->GetItemIndex(), 2);
    EXPECT_EQ(Find<TkComponentEditorEdit>("LimitNameEdit")->GetText(), "Limit 1");
    EXPECT_EQ(Find<TkComponentEditorComboBox>("DataCursorChannelNameComboBox")->Items->Strings(0), "<All>");
    EXPECT_EQ(Find<TControl>("LabelCaptionMemo")->GetText(), "Pressure");
    EXPECT_EQ(Find<TkComponentEditorEdit>("TitleTextEdit")->GetText(), "Pressure");
    EXPECT_EQ(Find<TkComponentEditorRadioGroup>("BorderStyleRadioGroup")->GetItemIndex(), int(kbsRaised));
    EXPECT_TRUE(Find<TkComponentEditorCheckBox>("ToolBarShowEditButtonCheckBox")->GetChecked());
    EXPECT_TRUE(Find<TkComponentEditorEdit>("TableNameEdit")->GetEnabled());
    EXPECT_TRUE(Find<TkComponentEditorCheckBox>("LegendVisibleCheckBox")->GetEnabled());
    EXPECT_TRUE(Find<TkComponentEditorCheckBox>("DataViewGridShowCheckBox")->GetEnabled());
    // The X-axis list shows the axis by its name and in its labels' colour.
    auto* list = Find<TkComponentEditorListBox>("XAxisListBox");
    ASSERT_EQ(list->GetItems()->Count(), 1);
    bool showColor = false;
    std::string text;
    TColor color = clNone;
    list->OnGetData(list, 0, showColor, text, color);
    EXPECT_EQ(text, x->GetName());
    EXPECT_TRUE(showColor);
}

TEST_F(PlotEditorFormTest, AnEditChangesTheObjectLive)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    auto* channel = master.ChannelManager()->GetItem(0);
    TkPlotAxis* x = master.XAxisManager()->GetItem(0);
    master.AddYAxis();
    Open();
    PickColor("ChannelMarkersPenColorPicker", clLime);
    EXPECT_EQ(channel->GetMarkersPenColor(), clLime);
    TypeInto("XAxisMinEdit", "12.5");
    EXPECT_EQ(x->GetMin(), 12.5);
    Choose("XAxisTrackingStyleComboBox", 1);
    EXPECT_EQ(int(x->GetTrackingStyle()), 1);
    ASSERT_EQ(ItemsOf("ChannelYAxisNameComboBox"), (std::vector<std::string>{"<None>", "Y-Axis 1", "Y-Axis 2"}));
    Choose("ChannelYAxisNameComboBox", 2);
    EXPECT_EQ(channel->GetYAxisName(), "Y-Axis 2");
    auto* showEdit = Find<TkComponentEditorCheckBox>("ToolBarShowEditButtonCheckBox");
    PressKey(showEdit, Qt::Key_Space);
    EXPECT_FALSE(master.ToolBarManager()->GetItem(0)->GetShowEditButton());
    PressKey(Find<TkComponentEditorRadioGroup>("BorderStyleRadioGroup"), Qt::Key_Up);
    EXPECT_EQ(Plot->GetBorderStyle(), kbsRaised);
    // The title on the Control page is label 0, shown on the label page too.
    TypeInto("TitleTextEdit", "Flow");
    EXPECT_EQ(master.LabelManager()->GetItem(0)->GetCaption(), "Flow");
    EXPECT_EQ(Find<TControl>("LabelCaptionMemo")->GetText(), "Flow");
}

TEST_F(PlotEditorFormTest, ALongNumberShowsFromItsStart)
{
    // One minute in days has more digits than the edit is wide.
    const double minute = 1.0 / 1440;
    TkPlotAxis* x = Plot->GetMasterManager().XAxisManager()->GetItem(0);
    x->SetSpan(minute);
    Open();
    auto* span = Find<TkComponentEditorEdit>("XAxisSpanEdit");
    ASSERT_EQ(span->GetFloat(), minute);
    EXPECT_EQ(span->GetText().rfind("0.000694", 0), 0u) << span->GetText();
    EXPECT_EQ(span->GetSelStart(), 0);
    // A change elsewhere reloads the page: the number still shows its start.
    TypeInto("XAxisMinEdit", "2");
    EXPECT_EQ(span->GetSelStart(), 0);
}

TEST_F(PlotEditorFormTest, ChoiceListsShowWordsAndStoreTheEnumeration)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    master.AddLimit();
    master.AddDataCursor();
    master.AddTable();
    Open();
    EXPECT_EQ(ItemsOf("BackGroundGradientDirectionComboBox"),
              (std::vector<std::string>{"Top/Bottom", "Bottom/Top", "Left/Right", "Right/Left", "Top Left/Bottom Right",
                                        "Bottom Right/Top Left", "Bottom Left/Top Right", "Top Right/Bottom Left",
                                        "Rectangle Out", "Rectangle In", "Circle Out", "Circle In"}));
    EXPECT_EQ(ItemsOf("AnnotationDefaultPenStlyeComboBox"),
              (std::vector<std::string>{"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear", "Inside Frame"}));
    EXPECT_EQ(ItemsOf("ChannelFillStyleComboBox"),
              (std::vector<std::string>{"Solid", "Clear", "Horizontal", "Vertical", "Forward Diagonal",
                                        "Backward Diagonal", "Cross", "Diagonal Cross"}));
    // No list anywhere offers the names the program stores.
    auto check = [this](const TkEditorPageTable& Table, const TObject* Object) {
        for (const TkEditorSubPage& sub : Table.SubPages)
            for (const TkEditorRow& row : sub.Rows) {
                if (row.Type != TkEditorControlType::Choice)
                    continue;
                const std::string name = Table.Prefix + row.Item + "ComboBox";
                const TPropInfo* info = GetPropInfo(Object, row.PropertyName());
                ASSERT_NE(info, nullptr) << name;
                const std::vector<std::string> items = ItemsOf(name);
                EXPECT_EQ(items.size(), info->EnumNames.size()) << name;
                for (const std::string& item : items)
                    EXPECT_EQ(std::count(info->EnumNames.begin(), info->EnumNames.end(), item), 0)
                        << name << " offers " << item;
            }
    };
    check(ControlPageTable(), Plot.get());
    for (const TkEditorPageTable& table : KindPageTables())
        check(table, master.KindManager(table.Kind)->GetObject(0));
    // What is stored is still the enumeration the item stands for.
    Choose("BackGroundGradientDirectionComboBox", 11);
    EXPECT_EQ(Plot->GetBackGroundGradientDirection(), kfdCircleIn);
    Choose("AnnotationDefaultPenStlyeComboBox", 3);
    EXPECT_EQ(Plot->GetAnnotationDefaultPenStlye(), psDashDot);
    Choose("ChannelFillStyleComboBox", 5);
    EXPECT_EQ(static_cast<TkPlotChannel*>(master.ChannelManager()->GetItem(0))->GetFillStyle(), bsBDiagonal);
    EXPECT_EQ(Find<TkComponentEditorComboBox>("ChannelFillStyleComboBox")->GetText(), "Backward Diagonal");
}

TEST_F(PlotEditorFormTest, ALabelsCaptionIsEditedOverSeveralLines)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    master.AddLabel();
    auto* label = static_cast<TkPlotLabel*>(master.LabelManager()->GetItem(1));
    label->SetCaption("Flow\r\nPressure");
    Open(label);
    auto* memo = dynamic_cast<TControl*>(Form->FindComponent("LabelCaptionMemo"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->GetText(), "Flow\r\nPressure");
    Type(memo, "Inlet");
    PressKey(memo, Qt::Key_Return, "\r");
    for (char c : std::string("Outlet"))
        PressKey(memo, Qt::Key(QChar(c).toUpper().unicode()), QString(QChar(c)));
    // Enter starts a line; the caption changes when the user leaves the memo.
    EXPECT_EQ(label->GetCaption(), "Flow\r\nPressure");
    LeaveControl(memo);
    EXPECT_EQ(label->GetCaption(), "Inlet\r\nOutlet");
    EXPECT_EQ(memo->GetText(), "Inlet\r\nOutlet");
    // Escape brings back what the label holds, and writes nothing.
    Type(memo, "Drain");
    PressKey(memo, Qt::Key_Escape);
    EXPECT_EQ(memo->GetText(), "Inlet\r\nOutlet");
    LeaveControl(memo);
    EXPECT_EQ(label->GetCaption(), "Inlet\r\nOutlet");
}

TEST_F(PlotEditorFormTest, EveryCaptionShowsWholeInWordsAUserReads)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    master.AddLimit();
    master.AddDataCursor();
    master.AddTable();
    Open();
    Form->Show();
    std::vector<TTabSheet*> sheets;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* sheet = dynamic_cast<TTabSheet*>(Form->Components(i)); sheet && sheet->GetTabVisible())
            sheets.push_back(sheet);
    ASSERT_GT(sheets.size(), 40u);
    for (TTabSheet* sheet : sheets) {
        // The sheet on show, and every sheet that holds it.
        for (TControl* c = sheet; c; c = c->GetParent())
            if (auto* shown = dynamic_cast<TTabSheet*>(c))
                shown->GetPageControl()->SetActivePage(shown);
        Application->ProcessMessages();
        SCOPED_TRACE(sheet->GetText());
        for (const std::string& problem : TTextClipCheck::Problems(sheet))
            ADD_FAILURE() << problem;
        // The check boxes and the radio group draw their captions themselves:
        // measured with their own fonts as they draw them.
        TBitmap measure(1, 1);
        std::vector<std::string> captions;
        for (int i = 0; i < Form->ComponentCount(); ++i) {
            auto* control = dynamic_cast<TControl*>(Form->Components(i));
            if (!control || control->GetParent() != sheet || !control->GetVisible())
                continue;
            measure.Canvas->Font->Assign(control->Font);
            if (auto* box = dynamic_cast<TkCheckBox*>(control)) {
                captions.push_back(box->GetCaption());
                EXPECT_LE(18 + measure.Canvas->TextWidth(box->GetCaption()), box->GetWidth()) << box->GetName();
            } else if (auto* group = dynamic_cast<TkRadioGroup*>(control)) {
                captions.push_back(group->GetCaption());
                EXPECT_LE(2 * measure.Canvas->TextWidth("A") + measure.Canvas->TextWidth(group->GetCaption()),
                          group->GetWidth())
                    << group->GetName();
            } else if (auto* label = dynamic_cast<TLabel*>(control); label && label->GetName().empty()) {
                captions.push_back(label->GetText());
            }
        }
        for (const std::string& caption : captions) {
            // A name made of several words run together is the program's, not the user's.
            const bool runTogether = caption.find(' ') == std::string::npos &&
                                     std::adjacent_find(caption.begin(), caption.end(), [](char a, char b) {
                                         return std::islower(static_cast<unsigned char>(a)) &&
                                                std::isupper(static_cast<unsigned char>(b));
                                     }) != caption.end();
            EXPECT_FALSE(runTogether) << caption;
            EXPECT_EQ(std::count(captions.begin(), captions.end(), caption), 1) << caption;
        }
    }
    Form->Hide();
}

TEST_F(PlotEditorFormTest, AddAndRemoveKeepTheListsAndNameCombos)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    Plot->SetUserCanAddRemoveChannels(true);
    Open();
    auto* axes = Find<TkComponentEditorListBox>("XAxisListBox");
    Find<TkComponentEditorButton>("XAxesAddButton")->Click();
    ASSERT_EQ(master.XAxisManager()->GetCount(), 2);
    EXPECT_EQ(axes->GetItems()->Count(), 2);
    EXPECT_EQ(axes->GetItemIndex(), 1);
    EXPECT_EQ(Find<TkComponentEditorEdit>("XAxisNameEdit")->GetText(), "X-Axis 2");
    EXPECT_EQ(ItemsOf("ChannelXAxisNameComboBox"), (std::vector<std::string>{"<None>", "X-Axis 1", "X-Axis 2"}));
    // Renaming re-labels the list and the combos, and the channel follows.
    axes->SetItemIndex(0);
    axes->OnClick(axes);
    TypeInto("XAxisNameEdit", "Time");
    EXPECT_EQ(master.ChannelManager()->GetItem(0)->GetXAxisName(), "Time");
    EXPECT_EQ(ItemsOf("ChannelXAxisNameComboBox"), (std::vector<std::string>{"<None>", "Time", "X-Axis 2"}));
    EXPECT_EQ(Find<TkComponentEditorComboBox>("ChannelXAxisNameComboBox")->GetText(), "Time");
    EXPECT_EQ(ItemsOf("DataViewGridXAxisNameComboBox"),
              (std::vector<std::string>{"<None>", "Time", "X-Axis 2", "<All>"}));
    // Removing the last entry selects the new last one.
    axes->SetItemIndex(1);
    Find<TkComponentEditorButton>("XAxisRemoveButton")->Click();
    EXPECT_EQ(master.XAxisManager()->GetCount(), 1);
    EXPECT_EQ(axes->GetItems()->Count(), 1);
    EXPECT_EQ(axes->GetItemIndex(), 0);
    EXPECT_EQ(ItemsOf("ChannelXAxisNameComboBox"), (std::vector<std::string>{"<None>", "Time"}));
    // Removing the only entry disables the page.
    Find<TkComponentEditorButton>("kChannelAddButton")->Click();
    EXPECT_EQ(Find<TkComponentEditorListBox>("ChannelListBox")->GetItems()->Count(), 2);
    EXPECT_EQ(ItemsOf("DataCursorChannelNameComboBox"), (std::vector<std::string>{"<All>", "Channel 1", "Channel 2"}));
    Find<TkComponentEditorButton>("kLimitAddButton")->Click();
    EXPECT_TRUE(Find<TkComponentEditorEdit>("LimitNameEdit")->GetEnabled());
    Find<TkComponentEditorButton>("LimitRemoveButton")->Click();
    EXPECT_EQ(master.LimitManager()->GetCount(), 0);
    EXPECT_FALSE(Find<TkComponentEditorEdit>("LimitNameEdit")->GetEnabled());
    EXPECT_FALSE(Find<TkComponentEditorListBox>("LimitListBox")->GetEnabled());
    EXPECT_FALSE(Find<TkComponentEditorButton>("LimitRemoveButton")->GetEnabled());
    EXPECT_TRUE(Find<TkComponentEditorButton>("kLimitAddButton")->GetEnabled());
    // The title label cannot be removed.
    EXPECT_FALSE(Find<TkComponentEditorButton>("LabelRemoveButton")->GetEnabled());
    Find<TkComponentEditorButton>("kLabelAddButton")->Click();
    EXPECT_TRUE(Find<TkComponentEditorButton>("LabelRemoveButton")->GetEnabled());
}

TEST_F(PlotEditorFormTest, ChannelAddAndRemoveShowOnlyWhenThePlotAllowsIt)
{
    Open();
    EXPECT_FALSE(Find<TkComponentEditorButton>("kChannelAddButton")->GetVisible());
    EXPECT_FALSE(Find<TkComponentEditorButton>("ChannelRemoveButton")->GetVisible());
    // An open stay-on-top editor is shown again as the plot now says.
    Plot->SetUserCanAddRemoveChannels(true);
    Open();
    EXPECT_EQ(Made, 1);
    EXPECT_TRUE(Find<TkComponentEditorButton>("kChannelAddButton")->GetVisible());
    EXPECT_TRUE(Find<TkComponentEditorButton>("ChannelRemoveButton")->GetVisible());
}

TEST_F(PlotEditorFormTest, AnXYPlotHidesTheTabsItsChannelsHaveNoUseFor)
{
    Open();
    for (const char* tab : {"Fill", "Digital", "High/Low", "Bar"})
        EXPECT_TRUE(TabShown("ChannelPageControl", tab)) << tab;
    TkPlotMasterManager& master = Plot->GetMasterManager();
    Plot->DeleteChannel(0);
    master.SetChannelClass(PlotObjectClassOf<TkXYPlotChannel>());
    master.AddChannel();
    Open();
    for (const char* tab : {"Fill", "Digital", "High/Low", "Bar"})
        EXPECT_FALSE(TabShown("ChannelPageControl", tab)) << tab;
    EXPECT_TRUE(TabShown("ChannelPageControl", "Marker"));
    EXPECT_FALSE(Find<TkComponentEditorCheckBox>("ChannelFastDrawEnabledCheckBox")->GetVisible());
    EXPECT_FALSE(Find<TkComponentEditorComboBox>("ChannelInterpolationStyleComboBox")->GetVisible());
    // What an X-Y channel has still goes live.
    PickColor("ChannelColorPicker", clYellow);
    EXPECT_EQ(master.ChannelManager()->GetItem(0)->GetColor(), clYellow);
}

TEST_F(PlotEditorFormTest, EditingWhileAChannelLogsLeavesItsLogFileAlone)
{
    auto* channel = Plot->GetMasterManager().ChannelManager()->GetItem(0);
    const std::string log = TempFile("run.log");
    channel->SetLogFileName(log);
    channel->LogActivate(false);
    Open();
    EXPECT_FALSE(Find<TkComponentEditorEdit>("ChannelLogFileNameEdit")->GetEnabled());
    EXPECT_FALSE(Find<TkComponentEditorButton>("ChannelLogActivateButton")->GetEnabled());
    EXPECT_TRUE(Find<TkComponentEditorButton>("ChannelLogDeactivateButton")->GetEnabled());
    PickColor("ChannelColorPicker", clFuchsia);
    TypeInto("ChannelTraceLineWidthEdit", "3");
    EXPECT_EQ(channel->GetColor(), clFuchsia);
    EXPECT_EQ(channel->GetTraceLineWidth(), 3);
    EXPECT_TRUE(channel->GetLoggingActive());
    EXPECT_EQ(channel->GetLogFileName(), log);
    Find<TkComponentEditorButton>("ChannelLogDeactivateButton")->Click();
    EXPECT_FALSE(channel->GetLoggingActive());
    EXPECT_EQ(Find<TkComponentEditorEdit>("ChannelLogFileNameEdit")->GetText(), log);
    EXPECT_TRUE(Find<TkComponentEditorButton>("ChannelLogActivateButton")->GetEnabled());
}

TEST_F(PlotEditorFormTest, AChannelLogFileNameStaysShownWhileItsLogIsWritten)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    Plot->SetUserCanAddRemoveChannels(true);
    Open();
    Find<TkComponentEditorButton>("kChannelAddButton")->Click();
    auto* list = Find<TkComponentEditorListBox>("ChannelListBox");
    list->SetItemIndex(0);
    list->OnClick(list);
    auto* channel = master.ChannelManager()->GetItem(0);
    auto* edit = Find<TkComponentEditorEdit>("ChannelLogFileNameEdit");
    // Typed, then the button pressed: the edit loses the focus first.
    const std::string log = (Dir / "chartlog2" / "c.txt").string();
    std::filesystem::create_directories(Dir / "chartlog2");
    Type(edit, log);
    LeaveControl(edit);
    Find<TkComponentEditorButton>("ChannelLogActivateButton")->Click();
    ASSERT_TRUE(channel->GetLoggingActive());
    EXPECT_EQ(channel->GetLogFileName(), log);
    EXPECT_EQ(edit->GetText(), log);
    EXPECT_FALSE(edit->GetEnabled());
    channel->AddXY(1, 10);
    std::ifstream written(log, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "1\t10\r\n");
    // Another channel and back, and the editor opened anew.
    list->SetItemIndex(1);
    list->OnClick(list);
    EXPECT_EQ(edit->GetText(), "");
    list->SetItemIndex(0);
    list->OnClick(list);
    EXPECT_EQ(edit->GetText(), log);
    Form->Close();
    Open();
    EXPECT_EQ(Find<TkComponentEditorEdit>("ChannelLogFileNameEdit")->GetText(), log);
    Find<TkComponentEditorButton>("ChannelLogDeactivateButton")->Click();
    EXPECT_FALSE(channel->GetLoggingActive());
    EXPECT_EQ(channel->GetLogFileName(), log);
    EXPECT_EQ(Find<TkComponentEditorEdit>("ChannelLogFileNameEdit")->GetText(), log);
}

TEST_F(PlotEditorFormTest, AnEditWritesOnlyWhatTheUserChanged)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    auto* channel = master.ChannelManager()->GetItem(0);
    // A name that no axis has (yet): its combo shows nothing.
    channel->SetYAxisName("Pressure");
    Plot->SetPrintMarginLeft(0.1 + 0.2);
    Open();
    EXPECT_EQ(Find<TkComponentEditorComboBox>("ChannelYAxisNameComboBox")->GetItemIndex(), -1);
    EXPECT_EQ(Find<TkComponentEditorComboBox>("ChannelYAxisNameComboBox")->GetText(), "Pressure");
    PickColor("ChannelColorPicker", clNavy);
    PressKey(Find<TkComponentEditorCheckBox>("HintsShowCheckBox"), Qt::Key_Space);
    EXPECT_EQ(channel->GetColor(), clNavy);
    EXPECT_EQ(channel->GetYAxisName(), "Pressure");
    EXPECT_FALSE(Plot->GetHintsShow());
    EXPECT_EQ(Plot->GetPrintMarginLeft(), 0.1 + 0.2);
    // A name typed into a name combo goes in as it is typed.
    Type(Find<TkComponentEditorComboBox>("ChannelYAxisNameComboBox"), "Flow");
    EXPECT_EQ(channel->GetYAxisName(), "Flow");
    EXPECT_EQ(Find<TkComponentEditorComboBox>("ChannelYAxisNameComboBox")->GetText(), "Flow");
}

TEST_F(PlotEditorFormTest, AChannelDataFileThatDoesNotParseLeavesThePointsAlone)
{
    auto* channel = Plot->GetMasterManager().ChannelManager()->GetItem(0);
    channel->AddXY(1, 10);
    channel->AddXY(2, 20);
    Open();
    Answer.Result = IDOK;
    Answer.FileNames = {TempFile("bad.dat", "1\t5\r\nseven\t8\r\n")};
    EXPECT_ANY_THROW(Find<TkComponentEditorOpenPicker>("ChannelDataOpenPicker")->Click());
    EXPECT_EQ(channel->GetCount(), 2);
    Answer.FileNames = {TempFile("good.dat", "1\t5\r\n2\t8\r\n3\t9\r\n")};
    Find<TkComponentEditorOpenPicker>("ChannelDataOpenPicker")->Click();
    EXPECT_EQ(channel->GetCount(), 3);
}

TEST_F(PlotEditorFormTest, TheLayoutMenuActsOnTheObjectPressedInTheViewer)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    master.AddYAxis();
    auto* axis = static_cast<TkPlotLayoutObject*>(master.YAxisManager()->GetItem(1));
    auto* title = static_cast<TkPlotLayoutObject*>(master.LabelManager()->GetItem(0));
    Open();
    auto* viewer = Find<TkPlotLayoutViewer>("LayoutViewer");
    TRecordingCanvas canvas;
    viewer->PaintToCanvas(&canvas);
    auto press = [&](const TkPlotLayoutObject* Object) {
        const TRect r = Object->GetViewerRect();
        MousePress(viewer, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        MouseRelease(viewer, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        Form->GetLayoutMenu()->OnPopup(Form->GetLayoutMenu());
    };
    TMenuItem* items = Form->GetLayoutMenu()->Items;
    press(title);
    ASSERT_EQ(Form->GetLayoutSelection(), title);
    EXPECT_FALSE(items->Find("Delete")->GetEnabled());
    EXPECT_TRUE(items->Find("Visible")->GetChecked());
    press(axis);
    ASSERT_EQ(Form->GetLayoutSelection(), axis);
    EXPECT_TRUE(items->Find("Delete")->GetEnabled());
    items->Find("Visible")->Click();
    EXPECT_FALSE(axis->GetVisible());
    items->Find("Edit")->Click();
    EXPECT_FALSE(Find<TkComponentEditorCheckBox>("YAxisVisibleCheckBox")->GetChecked());
    EXPECT_EQ(Form->GetPageControl()->GetActivePage()->GetName(), "YAxisTabSheet");
    EXPECT_EQ(Find<TkComponentEditorListBox>("YAxisListBox")->GetItemIndex(), 1);
    EXPECT_EQ(Find<TkComponentEditorEdit>("YAxisNameEdit")->GetText(), "Y-Axis 2");
    items->Find("Delete")->Click();
    EXPECT_EQ(master.YAxisManager()->GetCount(), 1);
    EXPECT_EQ(Find<TkComponentEditorListBox>("YAxisListBox")->GetItems()->Count(), 1);
    EXPECT_EQ(Form->GetLayoutSelection(), nullptr);
    items->Find("Add Label")->Click();
    EXPECT_EQ(Find<TkComponentEditorListBox>("LabelListBox")->GetItems()->Count(), 2);
    items->Find("XY-Axes Reverse")->Click();
    EXPECT_TRUE(Plot->GetXYAxesReverse());
}

TEST_F(PlotEditorFormTest, ReopeningShowsThePagesOfTheLastOpeningAndAPlotChangedMeanwhile)
{
    Open();
    Form->GetPageControl()->SetActivePageIndex(4);
    Find<TPageControl>("ChannelPageControl")->SetActivePageIndex(2);
    Find<TPageControl>("XAxisLabelsPageControl")->SetActivePageIndex(2);
    Find<TPageControl>("DataViewGridLinesCustomPageControl")->SetActivePageIndex(3);
    Form->Close();
    ASSERT_TRUE(Form->GetClosed());
    Plot->GetMasterManager().ChannelManager()->GetItem(0)->SetColor(clOlive);
    Open();
    EXPECT_EQ(Made, 2);
    EXPECT_EQ(Form->GetPageControl()->GetActivePageIndex(), 4);
    EXPECT_EQ(Find<TPageControl>("ChannelPageControl")->GetActivePageIndex(), 2);
    EXPECT_EQ(Find<TPageControl>("XAxisLabelsPageControl")->GetActivePage()->GetText(), "Legend");
    EXPECT_EQ(Find<TPageControl>("DataViewGridLinesCustomPageControl")->GetActivePage()->GetText(), "Y-Minors");
    EXPECT_EQ(Find<TkComponentEditorColorPicker>("ChannelColorPicker")->GetColorValue(), clOlive);
}

TEST_F(PlotEditorFormTest, TheStatsPageShowsTheChannelsFiguresOnRefresh)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    Plot->SetUserCanAddRemoveChannels(true);
    auto* channel = master.ChannelManager()->GetItem(0);
    channel->AddXY(1, 10);
    channel->AddXY(3, 30);
    Open();
    auto display = [this](const std::string& Stat) {
        return Find<TControl>("ChannelStats" + Stat + "Display")->GetText();
    };
    EXPECT_TRUE(TabShown("ChannelPageControl", "Stats"));
    EXPECT_EQ(display("PointCount"), "Click Refresh");
    Find<TkComponentEditorButton>("ChannelStatsRefreshButton")->Click();
    EXPECT_EQ(display("PointCount"), "2");
    EXPECT_EQ(display("DataPointSize"), std::to_string(channel->GetDataPointSize()) + " Bytes");
    EXPECT_EQ(display("YMax"), channel->GetYAxis()->GetLabelText(30));
    EXPECT_EQ(display("XMean"), channel->GetXAxis()->GetLabelText(2));
    // An edit leaves the figures; choosing another channel asks for a refresh.
    PickColor("ChannelColorPicker", clTeal);
    EXPECT_EQ(display("PointCount"), "2");
    Find<TkComponentEditorButton>("kChannelAddButton")->Click();
    EXPECT_EQ(display("PointCount"), "Click Refresh");
    Find<TkComponentEditorButton>("ChannelRemoveButton")->Click();
    Find<TkComponentEditorButton>("ChannelRemoveButton")->Click();
    EXPECT_EQ(display("PointCount"), "");
}

TEST_F(PlotEditorFormTest, AxisPagesConvertValuesAndCopyTheDefaultLabelFormat)
{
    TkPlotAxis* x = Plot->GetMasterManager().XAxisManager()->GetItem(0);
    x->SetLabelsPrecision(4);
    x->SetDateTimeFormat("hh:nn");
    Open();
    auto* picker = Find<TkComponentEditorValueConverterPicker>("XAxisMinValueConverterPicker");
    EXPECT_EQ(picker->DefaultPage, kvcptDateTime);
    EXPECT_EQ(Find<TkComponentEditorValueConverterPicker>("XAxisSpanValueConverterPicker")->DefaultPage, kvcptInterval);
    picker->TranslationMethod = [](TForm* F) {
        auto* converter = static_cast<TkValueConverterEditForm*>(F);
        F->OnShow = [converter](TObject*) {
            converter->SetValue(45000.5);
            converter->SetModalResult(mrOk);
        };
    };
    picker->Click();
    EXPECT_EQ(x->GetMin(), 45000.5);
    Find<TkComponentEditorButton>("XAxisCursorCopyDefaultButton")->Click();
    EXPECT_EQ(x->GetCursorPrecision(), 4);
    EXPECT_EQ(x->GetCursorDateTimeFormat(), "hh:nn");
    EXPECT_EQ(Find<TkComponentEditorEdit>("XAxisCursorPrecisionEdit")->GetText(), "4");
    EXPECT_NE(x->GetLegendDateTimeFormat(), "hh:nn");
}

TEST_F(PlotEditorFormTest, AModalEditorEditsLiveAndIsMadeAnewNextTime)
{
    Plot->SetEditorFormStyle(kpfsModal);
    auto* channel = Plot->GetMasterManager().ChannelManager()->GetItem(0);
    Plot->OnAfterOpenEditor = [this](TObject*) {
        Form->OnShow = [this](TObject*) {
            if (Made == 1) {
                PickColor("ChannelColorPicker", clMaroon);
                Find<TPageControl>("ChannelPageControl")->SetActivePageIndex(1);
            } else {
                Shown = Find<TPageControl>("ChannelPageControl")->GetActivePageIndex();
            }
            Form->SetModalResult(mrOk);
        };
    };
    Open();
    EXPECT_EQ(channel->GetColor(), clMaroon);
    Open();
    EXPECT_EQ(Made, 2);
    EXPECT_EQ(Shown, 1);
}

TEST_F(PlotEditorFormTest, PropertyFilesSaveAndLoadThePlotAndTheFormFollows)
{
    const std::string file = TempFile("plot.cfg");
    Plot->DefaultPropertyDirectory = Dir.string();
    Plot->SetBorderStyle(kbsNone);
    Open();
    std::vector<TDialogRequest> asked;
    SetDialogResponder([&](const TDialogRequest& R) {
        asked.push_back(R);
        TDialogAnswer answer;
        answer.Result = IDOK;
        answer.FileNames = {file};
        return answer;
    });
    Find<TkComponentEditorSavePicker>("ControlPropertiesSavePicker")->Click();
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(asked.at(0).InitialDir, Dir.string());
    PressKey(Find<TkComponentEditorRadioGroup>("BorderStyleRadioGroup"), Qt::Key_Down);
    ASSERT_EQ(Plot->GetBorderStyle(), kbsRaised);
    Find<TkComponentEditorOpenPicker>("ControlPropertiesOpenPicker")->Click();
    EXPECT_EQ(Plot->GetBorderStyle(), kbsNone);
    EXPECT_EQ(Find<TkComponentEditorRadioGroup>("BorderStyleRadioGroup")->GetItemIndex(), int(kbsNone));
    EXPECT_TRUE(asked.at(1).FileMustExist);
}

TEST_F(PlotEditorFormTest, TheFormSpeaksThroughThePlotsTranslations)
{
    auto* pair = Plot->GetMasterManager().TranslationManager()->Add();
    pair->SetOriginalString("Channels");
    pair->SetReplacementString("通道");
    // A translated caption longer than any other keeps clear of its control.
    const std::string longer = "Farbe am Anfang des Hintergrundverlaufs";
    pair = Plot->GetMasterManager().TranslationManager()->Add();
    pair->SetOriginalString("Gradient Start Color");
    pair->SetReplacementString(longer);
    Open();
    EXPECT_EQ(Find<TTabSheet>("ChannelTabSheet")->GetText(), "通道");
    TLabel* caption = nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(Form->Components(i)); label && label->GetText() == longer)
            caption = label;
    ASSERT_NE(caption, nullptr);
    EXPECT_GE(caption->GetWidth(), caption->GetTextWidth(longer));
    EXPECT_LE(caption->GetLeft() + caption->GetWidth(),
              Find<TControl>("BackGroundGradientStartColorPicker")->GetLeft());
}

TEST_F(PlotEditorFormTest, AStayOnTopEditorShowsWhatChangedOnThePlotWhenActivatedAgain)
{
    auto* channel = Plot->GetMasterManager().ChannelManager()->GetItem(0);
    Open();
    channel->SetColor(clPurple);
    ASSERT_NE(Find<TkComponentEditorColorPicker>("ChannelColorPicker")->GetColorValue(), clPurple);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(Form->Widget(), &activate);
    EXPECT_EQ(Find<TkComponentEditorColorPicker>("ChannelColorPicker")->GetColorValue(), clPurple);
}

}  // namespace

TEST_F(PlotEditorFormTest, AControlDataFileThatDoesNotLoadLeavesEveryChannelAndTheLogAlone)
{
    TkPlotMasterManager& master = Plot->GetMasterManager();
    master.AddChannel();
    auto* first = master.ChannelManager()->GetItem(0);
    auto* second = master.ChannelManager()->GetItem(1);
    first->AddXY(1, 10);
    first->AddXY(2, 20);
    second->AddXY(1, 30);
    Plot->SetLogFileName(TempFile("plot.log"));
    Plot->LogActivate(false);
    Open();
    Answer.Result = IDOK;
    // The first row reads; the second does not.
    const std::string bad = TempFile("bad.dat", "A(X)\tA(Y)\tB(X)\tB(Y)\r\n5\t6\t5\t7\r\nseven\t8\t9\t9\r\n");
    for (const std::string& name : {bad, (Dir / "missing.dat").string()}) {
        Answer.FileNames = {name};
        try {
            Find<TkComponentEditorOpenPicker>("ControlDataOpenPicker")->Click();
            ADD_FAILURE() << name << " loaded";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Error Loading Data - ", 0), 0u) << e.what();
        }
        EXPECT_EQ(first->GetCount(), 2) << name;
        EXPECT_EQ(second->GetCount(), 1) << name;
        EXPECT_TRUE(Plot->GetLoggingActive()) << name;
    }
    // A good file replaces the points and, clearing, stops the log.
    Answer.FileNames = {TempFile("good.dat", "A(X)\tA(Y)\tB(X)\tB(Y)\r\n5\t6\t5\t7\r\n6\t8\t\t\r\n")};
    Find<TkComponentEditorOpenPicker>("ControlDataOpenPicker")->Click();
    EXPECT_EQ(first->GetCount(), 2);
    EXPECT_EQ(first->GetDataY(1), 8);
    EXPECT_EQ(second->GetCount(), 1);
    EXPECT_EQ(second->GetDataY(0), 7);
    EXPECT_FALSE(Plot->GetLoggingActive());
    EXPECT_TRUE(Find<TkComponentEditorButton>("ControlLogActivateButton")->GetEnabled());
}

TEST_F(PlotEditorFormTest, ControlFileButtonsSaveAndLoadTheDataAndAnnotations)
{
    auto* channel = Plot->GetMasterManager().ChannelManager()->GetItem(0);
    channel->AddXY(1, 10);
    channel->AddXY(2, 20);
    Plot->AddAnnotation();
    Plot->DefaultDataDirectory = (Dir / "data").string();
    Plot->DefaultAnnotationDirectory = (Dir / "notes").string();
    Open();
    std::vector<TDialogRequest> asked;
    std::string file;
    SetDialogResponder([&](const TDialogRequest& R) {
        asked.push_back(R);
        TDialogAnswer answer;
        answer.Result = IDOK;
        answer.FileNames = {file};
        return answer;
    });
    file = TempFile("points.dat");
    Find<TkComponentEditorSavePicker>("ControlDataSavePicker")->Click();
    channel->AddXY(3, 30);
    Find<TkComponentEditorOpenPicker>("ControlDataOpenPicker")->Click();
    EXPECT_EQ(channel->GetCount(), 2);
    EXPECT_EQ(channel->GetDataY(1), 20);
    file = TempFile("notes.ano");
    Find<TkComponentEditorSavePicker>("ControlAnnotationSavePicker")->Click();
    ASSERT_TRUE(std::filesystem::exists(file));
    Plot->RemoveAllAnnotations();
    Find<TkComponentEditorOpenPicker>("ControlAnnotationOpenPicker")->Click();
    EXPECT_EQ(Plot->GetAnnotationCount(), 1);
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].InitialDir, (Dir / "data").string());
    EXPECT_EQ(asked[1].InitialDir, (Dir / "data").string());
    EXPECT_EQ(asked[1].Filter, "Data (*.dat)|*.dat|Log (*.log)|*.log");
    EXPECT_FALSE(asked[1].FileMustExist);
    EXPECT_EQ(asked[2].InitialDir, (Dir / "notes").string());
    EXPECT_EQ(asked[3].InitialDir, (Dir / "notes").string());
    EXPECT_FALSE(asked[3].FileMustExist);
}

TEST_F(PlotEditorFormTest, TheLogButtonsFollowThePlotsLogging)
{
    Open();
    const std::string log = TempFile("run.log");
    Answer.Result = IDOK;
    Answer.FileNames = {log};
    Find<TkComponentEditorOpenPicker>("ControlLogFileNamePicker")->Click();
    EXPECT_EQ(Plot->GetLogFileName(), log);
    EXPECT_EQ(Find<TkComponentEditorEdit>("ControlLogFileNameEdit")->GetText(), log);
    EXPECT_FALSE(Find<TkComponentEditorButton>("ControlLogDeactivateButton")->GetEnabled());
    Find<TkComponentEditorButton>("ControlLogActivateButton")->Click();
    EXPECT_TRUE(Plot->GetLoggingActive());
    EXPECT_TRUE(std::filesystem::exists(log));
    for (const char* name : {"ControlLogFileNameEdit", "ControlLogFileNamePicker", "ControlLogActivateButton"})
        EXPECT_FALSE(Find<TControl>(name)->GetEnabled()) << name;
    EXPECT_EQ(Find<TkComponentEditorEdit>("ControlLogFileNameEdit")->GetText(), log);
    EXPECT_TRUE(Find<TkComponentEditorButton>("ControlLogDeactivateButton")->GetEnabled());
    Find<TkComponentEditorButton>("ControlLogDeactivateButton")->Click();
    EXPECT_FALSE(Plot->GetLoggingActive());
    for (const char* name : {"ControlLogFileNameEdit", "ControlLogFileNamePicker", "ControlLogActivateButton"})
        EXPECT_TRUE(Find<TControl>(name)->GetEnabled()) << name;
    EXPECT_FALSE(Find<TkComponentEditorButton>("ControlLogDeactivateButton")->GetEnabled());
    // A name typed into the edit is the one the picker proposes next.
    const std::string typed = (Dir / "typed.log").string();
    TypeInto("ControlLogFileNameEdit", typed);
    EXPECT_EQ(Plot->GetLogFileName(), typed);
    std::string proposed;
    SetDialogResponder([&](const TDialogRequest& R) {
        proposed = R.FileName;
        return TDialogAnswer();
    });
    Find<TkComponentEditorOpenPicker>("ControlLogFileNamePicker")->Click();
    EXPECT_EQ(proposed, typed);
}

TEST_F(PlotEditorFormTest, ChannelPropertyFilesSaveAndLoadTheSelectedChannel)
{
    auto* channel = Plot->GetMasterManager().ChannelManager()->GetItem(0);
    channel->SetColor(clTeal);
    Open();
    Answer.Result = IDOK;
    Answer.FileNames = {TempFile("channel.cfg")};
    Find<TkComponentEditorSavePicker>("ChannelPropertiesSavePicker")->Click();
    PickColor("ChannelColorPicker", clMaroon);
    ASSERT_EQ(channel->GetColor(), clMaroon);
    std::vector<TDialogRequest> asked;
    SetDialogResponder([&](const TDialogRequest& R) {
        asked.push_back(R);
        return Answer;
    });
    Find<TkComponentEditorOpenPicker>("ChannelPropertiesOpenPicker")->Click();
    EXPECT_EQ(channel->GetColor(), clTeal);
    EXPECT_EQ(Find<TkComponentEditorColorPicker>("ChannelColorPicker")->GetColorValue(), clTeal);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].FileMustExist);
}
