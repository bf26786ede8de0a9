#pragma once
// The toolbar of a plot whose master manager knows this library's kinds.
#include <gtest/gtest.h>

#include <memory>

#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"

template <class Plot> class ToolBarTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        master->AddToolBar();
        bar = master->ToolBarManager()->GetItem(0);
    }
    TkPlotToolBarButton* B(TkPlotToolBarButtonType Type) { return bar->GetButton(Type); }

    Plot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotToolBar* bar = nullptr;
};
