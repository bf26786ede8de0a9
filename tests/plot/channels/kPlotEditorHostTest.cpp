// The plot's run-time editor as its host keeps it for a whole plot: made
// once by the registered factory, opened on its last page and on an
// object, and gone before the objects it lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/channels/kPlot.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotEditorHost.h"
#include "plot/core/kPlotEditorLink.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"

namespace {

// Logs what it is asked, and when it dies how many channels its plot
// still holds.
struct LoggingEditor : TkPlotEditorLink {
    TkPlotMasterManager* master = nullptr;
    std::vector<std::string>* log = nullptr;
    ~LoggingEditor() override
    {
        log->push_back("freed with " + std::to_string(master->ChannelManager()->GetCount()) + " channels");
    }
    bool IsLoading() const override { return false; }
    void ObjectAdded(TkPlotObject* o) override { log->push_back("added " + o->GetName()); }
    void ObjectRemoved(TkPlotObject* o) override { log->push_back("removed " + o->GetName()); }
    void ObjectRenamed(TkPlotObject* o) override { log->push_back("renamed " + o->GetName()); }
    void Edit(TkPlotObject* o) override { log->push_back("edit " + (o ? o->GetName() : std::string("-"))); }
};

class EditorHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        TkPlotEditorHost::SetEditorFactory([this](TkPlotEditorHost& Host) {
            ++made;
            auto e = std::make_unique<LoggingEditor>();
            e->master = &Host.Master();
            e->log = &log;
            return e;
        });
    }
    void TearDown() override { TkPlotEditorHost::SetEditorFactory(nullptr); }

    std::vector<std::string> log;
    int made = 0;
};

TEST_F(EditorHostTest, ThePlotOpensOneEditorOnItsLastPageAndOnAnObjectAndTellsItOfChanges)
{
    TkPlot plot(nullptr);
    plot.ShowEditor();  // the toolbar's Edit button
    TkPlotObject* axis = plot.GetYAxis(0);
    axis->OnEdit(axis);
    plot.DeleteChannel(0);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"edit -", "edit Y-Axis 1", "removed Channel 1"}));
}

TEST_F(EditorHostTest, TheEditorDiesWithItsPlotBeforeTheObjectsItLists)
{
    {
        TkPlot plot(nullptr);
        plot.ShowEditor();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"edit -", "freed with 1 channels"}));
}

}  // namespace
