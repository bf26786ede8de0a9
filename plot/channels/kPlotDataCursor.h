#pragma once
// A data cursor: readouts of one channel (named) inside one data view.
#include <string>

#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotObjectNames.h"
#include "plot/core/kPlotObjects.h"

class TkPlotDataCursor : public TkPlotManagerObject {
public:
    TkPlotDataCursor(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::DataCursor)
    {
    }

    TkPlotDataView* GetDataView() const { return FDataView; }
    void SetDataView(TkPlotDataView* Value) { FDataView = Value; }
    const std::string& GetChannelName() const { return FChannelName; }
    void SetChannelName(const std::string& Value) { SetProperty(Value, FChannelName, &TkPlotObject::DoChange); }

    // Drops its data view when that goes away.
    void ObjectRemoved(TkPlotObject* Object) override
    {
        if (Object == FDataView)
            FDataView = nullptr;
    }
    void ObjectRenamed(TkPlotObject* Object) override
    {
        FollowRename(Object, TkPlotObjectKind::Channel, FChannelName);
    }

protected:
    ~TkPlotDataCursor() override = default;

private:
    TkPlotDataView* FDataView = nullptr;
    std::string FChannelName;
};
