#pragma once
// The plotting area. Its grid follows one X and one Y axis, named.
#include <string>

#include "plot/core/kPlotObjects.h"

class TkPlotDataView : public TkPlotLayoutObject {
public:
    TkPlotDataView(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::DataView)
    {
    }

    const std::string& GetGridXAxisName() const { return FGridXAxisName; }
    void SetGridXAxisName(const std::string& Value);
    const std::string& GetGridYAxisName() const { return FGridYAxisName; }
    void SetGridYAxisName(const std::string& Value);

    // Follows the rename of the axes its grid names.
    void ObjectRenamed(TkPlotObject* Object) override;

protected:
    ~TkPlotDataView() override = default;

private:
    std::string FGridXAxisName;
    std::string FGridYAxisName;
};
