// The editor opened from an object of the plot, as a user opens it: a right
// click on the object and "Edit..." from its menu, the Edit button of the
// toolbar, or the menu key on a selected object. While the modal editor is
// open the user may free that very object (a property file loaded, the
// Remove button of its page, Delete on the layout page); the press or key
// that opened the editor then ends without the object, and the plot goes
// on working.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotAnnotation.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotLimit.h"
#include "plot/channels/kPlotTable.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/editor/kComponentEditorListBox.h"
#include "plot/editor/kComponentEditorOpenPicker.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "plot/editor/kPlotEditorForm.h"
#include "plot/editor/kPlotLayoutViewer.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Button.h"
#include "ui/DialogRequest.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"
#include "ui/RecordingCanvas.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;

class ObjectEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Previous = SetDialogResponder([this](const TDialogRequest& Request) {
            TDialogAnswer answer;
            answer.Result = IDOK;
            answer.FileNames = {Request.DefaultExt == "ano" ? Notes : File};
            return answer;
        });
        std::filesystem::create_directories(Dir);
        Plot = std::make_unique<TkPlot>(nullptr);
        Plot->SetUserCanAddRemoveChannels(true);
        // What the editor shows when it opens, then what the user does in it.
        Plot->OnAfterOpenEditor = [this](TObject* Sender) {
            auto* form = dynamic_cast<TkPlotEditorForm*>(Sender);
            ASSERT_NE(form, nullptr);
            form->OnShow = [this, form](TObject*) {
                Opened.push_back(form->GetPageControl()->GetActivePage()->GetName());
                if (InEditor)
                    InEditor(*form);
                form->Close();
            };
        };
        Plot->OnMouseUpChannel = [this](int Index, TMouseButton, TShiftState, int, int) {
            Ups.push_back("channel " + std::to_string(Index));
        };
    }
    void TearDown() override
    {
        Plot.reset();
        SetDialogResponder(Previous);
        std::error_code ignored;
        std::filesystem::remove_all(Dir, ignored);
    }

    // Lays the plot out as a paint on the screen does.
    void Paint()
    {
        Plot->SetBounds(0, 0, kWidth, kHeight);
        TBitmap picture;
        picture.SetSize(kWidth, kHeight);
        Plot->PaintToCanvas(picture.Canvas);
    }
    // A point where the mouse meets Object first.
    TPoint PointOn(const TkPlotObject* Object)
    {
        Paint();
        for (int y = 0; y < kHeight; y += 2)
            for (int x = 0; x < kWidth; x += 2)
                if (Plot->ObjectAt(TPoint(x, y)) == Object)
                    return TPoint(x, y);
        ADD_FAILURE() << "nothing of " << Object->GetName() << " under the mouse";
        return TPoint(-1, -1);
    }
    void Mouse(QEvent::Type Type, Qt::MouseButton Button, TPoint P)
    {
        const Qt::MouseButtons held = Type == QEvent::MouseButtonPress ? Qt::MouseButtons(Button) : Qt::NoButton;
        QMouseEvent e(Type, QPointF(P.X, P.Y), QPointF(P.X, P.Y), Button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(Plot->Widget(), &e);
    }
    // Chooses Caption from the menu that pops up next, once it shows.
    void ChooseFromMenu(const std::string& Caption)
    {
        QTimer::singleShot(0, [this, Caption] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions())
                if (action->text().toStdString() == Caption) {
                    Chosen.push_back(Caption);
                    action->trigger();
                }
            menu->close();
        });
    }
    // A right click on the object and Caption from its menu.
    void RightClick(const TkPlotObject* Object, const std::string& Caption)
    {
        const TPoint p = PointOn(Object);
        if (p.X < 0)
            return;
        Mouse(QEvent::MouseButtonPress, Qt::RightButton, p);
        ChooseFromMenu(Caption);
        Mouse(QEvent::MouseButtonRelease, Qt::RightButton, p);
    }
    void LeftClick(const TkPlotObject* Object)
    {
        const TPoint p = PointOn(Object);
        if (p.X < 0)
            return;
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, p);
        Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, p);
    }
    // The user's Delete on the layout page, for Object.
    static void DeleteOnLayoutPage(TkPlotEditorForm& Form, const TkPlotLayoutObject* Object)
    {
        auto* viewer = static_cast<TkPlotLayoutViewer*>(Form.FindComponent("LayoutViewer"));
        TRecordingCanvas canvas;
        viewer->PaintToCanvas(&canvas);
        const TRect r = Object->GetViewerRect();
        MousePress(viewer, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        MouseRelease(viewer, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        ASSERT_EQ(Form.GetLayoutSelection(), Object);
        Form.GetLayoutMenu()->Items->Find("Delete")->Click();
    }
    static void Press(TkPlotEditorForm& Form, const std::string& Button)
    {
        static_cast<TButton*>(Form.FindComponent(Button))->Click();
    }
    // What the editor's list of the kind shows as selected.
    static std::string SelectedIn(TkPlotEditorForm& Form, const std::string& List)
    {
        auto* list = static_cast<TkComponentEditorListBox*>(Form.FindComponent(List));
        const int i = list->GetItemIndex();
        return i < 0 ? std::string() : list->GetItems()->Strings(i);
    }

    std::unique_ptr<TkPlot> Plot;
    std::function<void(TkPlotEditorForm&)> InEditor;
    std::vector<std::string> Opened;
    std::vector<std::string> Chosen;
    std::vector<std::string> Ups;
    TDialogResponder Previous;
    std::filesystem::path Dir = std::filesystem::temp_directory_path() /
                                ("objectedit-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string File = (Dir / "plot.cfg").string();
    std::string Notes = (Dir / "notes.ano").string();
};

TEST_F(ObjectEdit, AChannelsEditorThatLoadsAPropertyFileFreesTheChannelItWasOpenedFrom)
{
    Plot->AddChannel();
    Plot->SavePropertiesToFile(File);
    Plot->DeleteChannel(1);
    TkPlotChannel* channel = Plot->Channel(0);
    for (int x = 0; x <= 100; x += 10)
        channel->AddXY(x, 50);
    std::string selected;
    InEditor = [&](TkPlotEditorForm& Form) {
        selected = SelectedIn(Form, "ChannelListBox");
        static_cast<TkComponentEditorOpenPicker*>(Form.FindComponent("ControlPropertiesOpenPicker"))->Click();
    };
    RightClick(channel, "Edit...");
    EXPECT_EQ(Chosen, std::vector<std::string>{"Edit..."});
    EXPECT_EQ(Opened, std::vector<std::string>{"ChannelTabSheet"});
    EXPECT_EQ(selected, "Channel 1");
    // The loaded plot, and no release reported for a channel now gone.
    EXPECT_EQ(Plot->GetChannelCount(), 2);
    EXPECT_EQ(Ups, std::vector<std::string>{});

    // The plot still answers the mouse: the new channel opens the editor.
    InEditor = nullptr;
    Plot->Channel(0)->AddXY(0, 50);
    Plot->Channel(0)->AddXY(100, 50);
    RightClick(Plot->GetChannel(0), "Edit...");
    EXPECT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Ups, std::vector<std::string>{"channel 0"});
}

// Each kind's own removal in the editor, on the object whose menu opened it.
TEST_F(ObjectEdit, EveryKindsEditorMayFreeTheObjectItWasOpenedFrom)
{
    struct Case {
        std::string Kind;
        std::function<TkPlotObject*()> Make;
        std::function<int()> Count;
        std::function<void(TkPlotEditorForm&, TkPlotObject*)> Free;
        // A loaded file puts another object of the kind in its place.
        bool Replaced = false;
    };
    auto remove = [](const std::string& Button) {
        return [Button](TkPlotEditorForm& Form, TkPlotObject*) { Press(Form, Button); };
    };
    auto load = [](TkPlotEditorForm& Form, TkPlotObject*) {
        static_cast<TkComponentEditorOpenPicker*>(Form.FindComponent("ControlPropertiesOpenPicker"))->Click();
    };
    auto layoutDelete = [](TkPlotEditorForm& Form, TkPlotObject* Object) {
        DeleteOnLayoutPage(Form, static_cast<TkPlotLayoutObject*>(Object));
    };
    const std::vector<Case> cases = {
        {"channel", [&] { return Plot->GetChannel(0); }, [&] { return Plot->GetChannelCount(); },
         remove("ChannelRemoveButton")},
        {"Y axis", [&] { return Plot->GetYAxis(0); }, [&] { return Plot->GetYAxisCount(); },
         remove("YAxisRemoveButton")},
        {"X axis", [&] { return Plot->GetXAxis(0); }, [&] { return Plot->GetXAxisCount(); }, layoutDelete},
        {"limit",
         [&] {
             auto* limit = static_cast<TkPlotLimit*>(Plot->GetLimit(Plot->AddLimit()));
             const TkPlotAxis* y = Plot->GetYAxis(0);
             // Away from the trace, which is hit first.
             limit->SetLine1Position(y->GetMin() + y->GetSpan() / 4);
             limit->SetSelectModeOnlyInteraction(false);
             return limit;
         },
         [&] { return Plot->GetLimitCount(); }, remove("LimitRemoveButton")},
        {"data cursor",
         [&] {
             Plot->GetDataCursor(0)->SetVisible(true);
             return Plot->GetDataCursor(0);
         },
         [&] { return Plot->GetDataCursorCount(); }, remove("DataCursorRemoveButton")},
        {"annotation",
         [&] {
             // The annotation file the user loads holds none.
             Plot->SaveAnnotationsToFile(Notes);
             auto* note = static_cast<TkPlotAnnotation*>(Plot->GetAnnotation(Plot->AddAnnotation()));
             note->SetStyle(kpasRectangle);
             note->SetX(50);
             note->SetY(50);
             note->SetWidth(20);
             note->SetHeight(20);
             note->SetSelectModeOnlyInteraction(false);
             return note;
         },
         [&] { return Plot->GetAnnotationCount(); },
         [](TkPlotEditorForm& Form, TkPlotObject*) {
             static_cast<TkComponentEditorOpenPicker*>(Form.FindComponent("ControlAnnotationOpenPicker"))->Click();
         }},
        {"table",
         [&] {
             auto* table = static_cast<TkPlotTable*>(Plot->GetTable(Plot->AddTable()));
             table->AddColumn("Column");
             table->AddRow("Row");
             return table;
         },
         [&] { return Plot->GetTableCount(); }, remove("TableRemoveButton")},
        {"legend", [&] { return Plot->GetLegend(0); }, [&] { return Plot->GetLegendCount(); }, load, true},
        {"data view", [&] { return Plot->GetDataView(0); }, [&] { return Plot->GetDataViewCount(); }, load, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Kind);
        Plot = std::make_unique<TkPlot>(nullptr);
        Plot->SetUserCanAddRemoveChannels(true);
        Plot->OnAfterOpenEditor = [this](TObject* Sender) {
            auto* form = static_cast<TkPlotEditorForm*>(Sender);
            form->OnShow = [this, form](TObject*) {
                InEditor(*form);
                form->Close();
            };
        };
        for (int x = 0; x <= 100; x += 10)
            Plot->Channel(0)->AddXY(x, 50);
        TkPlotObject* object = c.Make();
        Plot->SavePropertiesToFile(File);
        const int before = c.Count();
        InEditor = [&](TkPlotEditorForm& Form) { c.Free(Form, object); };
        Chosen.clear();
        RightClick(object, "Edit...");
        EXPECT_EQ(Chosen, std::vector<std::string>{"Edit..."});
        EXPECT_EQ(c.Count(), c.Replaced ? before : before - 1);
    }
}

// The editor and the save dialog keep the toolbars, but an application may
// drop them while either is open.
TEST_F(ObjectEdit, AToolbarButtonsClickEndsWhenItsToolbarWentWhileItsWindowWasOpen)
{
    std::vector<int> clicks;
    Plot->OnToolBarButtonClick = [&](int, int Type) { clicks.push_back(Type); };
    InEditor = [&](TkPlotEditorForm&) { Plot->RemoveAllToolBars(); };
    LeftClick(static_cast<TkPlotToolBar*>(Plot->GetToolBar(0))->GetButton(kptbbtEdit));
    EXPECT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Plot->GetToolBarCount(), 0);

    auto* bar = static_cast<TkPlotToolBar*>(Plot->GetToolBar(Plot->AddToolBar()));
    int asked = 0;
    SetDialogResponder([&](const TDialogRequest&) {
        ++asked;
        Plot->RemoveAllToolBars();
        return TDialogAnswer();
    });
    LeftClick(bar->GetButton(kptbbtSave));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Plot->GetToolBarCount(), 0);
    EXPECT_EQ(clicks, std::vector<int>{});
}

TEST_F(ObjectEdit, TheMenuKeyOnASelectedAxisMayOpenAnEditorThatRemovesIt)
{
    Plot->AddYAxis();
    TkPlotAxis* axis = Plot->GetYAxis(1);
    LeftClick(axis);
    ASSERT_TRUE(axis->GetFocused());
    InEditor = [&](TkPlotEditorForm& Form) { Press(Form, "YAxisRemoveButton"); };
    ChooseFromMenu("Edit...");
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QCoreApplication::sendEvent(Plot->Widget(), &key);
    EXPECT_EQ(Chosen, std::vector<std::string>{"Edit..."});
    EXPECT_EQ(Opened, std::vector<std::string>{"YAxisTabSheet"});
    ASSERT_EQ(Plot->GetYAxisCount(), 1);
    EXPECT_NE(Plot->GetYAxis(0), axis);
}

}  // namespace
