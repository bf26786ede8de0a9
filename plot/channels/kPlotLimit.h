#pragma once
// Limit lines and bands, drawn against one X and one Y axis named.
#include <string>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kPlotObjects.h"

namespace TkPlotObjectKind {
extern const TkPlotKind Limit;
}  // namespace TkPlotObjectKind

class TkPlotLimit : public TkPlotManagerObject {
public:
    TkPlotLimit(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::Limit)
    {
    }

    const std::string& GetXAxisName() const { return FXAxisName; }
    void SetXAxisName(const std::string& Value) { SetProperty(Value, FXAxisName, &TkPlotObject::DoChange); }
    const std::string& GetYAxisName() const { return FYAxisName; }
    void SetYAxisName(const std::string& Value) { SetProperty(Value, FYAxisName, &TkPlotObject::DoChange); }

    void ObjectRenamed(TkPlotObject* Object) override
    {
        FollowRename(Object, TkPlotObjectKind::XAxis, FXAxisName);
        FollowRename(Object, TkPlotObjectKind::YAxis, FYAxisName);
    }

protected:
    ~TkPlotLimit() override = default;

private:
    std::string FXAxisName;
    std::string FYAxisName;
};
