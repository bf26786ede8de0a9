// Every class that publishes properties declares defaults that a new object
// really has: property files, the form stream and the editor leave out a
// value equal to its declared default, so a wrong default loses a setting.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "plot/channels/kPlot.h"
#include "plot/core/kCheckBox.h"
#include "plot/core/kColorDialog.h"
#include "plot/core/kFontDialog.h"
#include "plot/core/kOpenDialog.h"
#include "plot/core/kPlotKindManager.h"
#include "plot/core/kSaveDialog.h"
#include "plot/core/kCustomComponent.h"
#include "plot/core/kOPCItem.h"
#include "plot/core/kOPCGroupStream.h"
#include "plot/core/kOPCManager.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotTranslation.h"
#include "plot/core/kRadioGroup.h"
#include "plot/editor/kPlotLayoutViewer.h"
#include "rtl/PublishedProperties.h"
#include "serial/ComDataPacket.h"
#include "serial/ComPort.h"
#include "ui/Application.h"
#include "ui/Brush.h"
#include "ui/Font.h"
#include "ui/Pen.h"

namespace {

struct TNoPlot : TkPlotObjectOwner {};

// The chart control is abstract until a plot paints: this adds nothing.
struct TBareComponent : TkCustomComponent {
    TBareComponent() : TkCustomComponent(nullptr) {}
    void PaintToCanvas(TCanvas*) override {}
};

// A fresh object of every kind there is, sub-objects included.
class FreshObjects {
public:
    FreshObjects()
    {
        Application->Initialize();
        Keep(std::make_unique<TComPort>());
        Keep(std::make_unique<TComDataPacket>());
        Keep(std::make_unique<TFont>());
        Keep(std::make_unique<TPen>());
        Keep(std::make_unique<TBrush>());
        Keep(std::make_unique<TBareComponent>());
        Keep(std::make_unique<TkCheckBox>(nullptr));
        Keep(std::make_unique<TkRadioGroup>(nullptr));
        Keep(std::make_unique<TkSaveDialog>(nullptr));
        Keep(std::make_unique<TkOpenDialog>(nullptr));
        Keep(std::make_unique<TkFontDialog>(nullptr));
        Keep(std::make_unique<TkColorDialog>(nullptr));
        Keep(std::make_unique<TkPlotLayoutViewer>(nullptr));
        // A plot as applications get it: with its title label, whose
        // visibility the plot publishes.
        auto chart = std::make_unique<TkPlotComponent>(nullptr);
        chart->AddLabel();
        Keep(std::move(chart));
        Keep(std::make_unique<TkPlot>(nullptr));
        Keep(std::make_unique<TkOPCItem>(nullptr));
        Keep(std::make_unique<TkOPCGroupStream>());
        Keep(std::make_unique<TkOPCManager>(nullptr));
        // Straight from each kind's manager, before a layout manager has
        // given the object a level or an orientation.
        master = std::make_unique<TkPlotMasterManager>(&plot);
        for (TkPlotKindManager* kind : std::initializer_list<TkPlotKindManager*>{
                 master->ToolBarManager(), master->LegendManager(), master->TableManager(), master->XAxisManager(),
                 master->YAxisManager(), master->ChannelManager(), master->DataViewManager(),
                 master->DataCursorManager(), master->LimitManager(), master->LabelManager(),
                 master->AnnotationManager()}) {
            plotObjects.emplace_back(kind->CreateObject());
            Add(plotObjects.back().get());
        }
        plotObjects.emplace_back(master->ChannelManager()->CreateObject(PlotObjectClassOf<TkXYPlotChannel>()));
        Add(plotObjects.back().get());
        Add(master->TranslationManager()->Add());
    }

    std::vector<const TObject*> objects;

private:
    template <class T> void Keep(std::unique_ptr<T> Object)
    {
        Add(Object.get());
        owned.push_back(std::unique_ptr<TObject>(Object.release()));
    }
    void Add(const TObject* Object)
    {
        objects.push_back(Object);
        for (const TPropInfo* info : TPropertyRegistry::Instance().GetPropList(Object))
            if (info->Kind == TTypeKind::tkClass && info->OwnsObject && info->GetObject)
                if (const TObject* sub = info->GetObject(Object))
                    Add(sub);
    }

    struct FreePlotObject {
        void operator()(TkPlotObject* Object) const { TkPlotObject::Free(Object); }
    };

    std::vector<std::unique_ptr<TObject>> owned;
    TNoPlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    std::vector<std::unique_ptr<TkPlotObject, FreePlotObject>> plotObjects;
};

TEST(PublishedDefaults, EveryDeclaredDefaultIsWhatANewObjectHas)
{
    FreshObjects fresh;
    int checked = 0;
    for (const TObject* object : fresh.objects) {
        const std::string className = TPropertyRegistry::Instance().GetClassName(object);
        for (const TPropInfo* info : TPropertyRegistry::Instance().GetPropList(object)) {
            if (!info->Default || !info->GetOrd)
                continue;
            EXPECT_EQ(info->GetOrd(object), *info->Default) << className << "." << info->Name;
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);
}

// A class registered later is caught here until a fresh object of it (or
// of a class derived from it) is made above.
TEST(PublishedDefaults, EveryRegisteredClassIsCoveredByAFreshObject)
{
    FreshObjects fresh;
    const auto classes = TPropertyRegistry::Instance().Classes();
    std::map<std::string, std::string> baseOf;
    for (const auto& c : classes)
        baseOf[c.Name] = c.BaseName;
    std::set<std::string> covered;
    for (const TObject* object : fresh.objects)
        for (std::string name = TPropertyRegistry::Instance().GetClassName(object);
             !name.empty() && covered.insert(name).second; name = baseOf[name]) {
        }
    for (const auto& c : classes)
        EXPECT_TRUE(covered.count(c.Name)) << c.Name << " has no fresh object in this test";
}

}  // namespace
