#pragma once
// A caption placed by the layout manager like an axis; label 0 is the title.
#include <string>

#include "plot/core/kPlotObjects.h"

class TkPlotLabel : public TkPlotLayoutObject {
public:
    TkPlotLabel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value) { SetProperty(Value, FCaption, &TkPlotObject::DoLayoutChange); }

protected:
    ~TkPlotLabel() override = default;

private:
    std::string FCaption;
};
