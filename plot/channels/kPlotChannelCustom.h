#pragma once
// The channel core: a named trace with its colour, tied to one X and one
// Y axis by name.
#include <string>

#include "plot/core/kPlotObjects.h"

class TkPlotChannelCustom : public TkPlotManagerObject {
public:
    TkPlotChannelCustom(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::Channel)
    {
    }

    const std::string& GetTitleText() const { return FTitleText; }
    void SetTitleText(const std::string& Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    const std::string& GetXAxisName() const { return FXAxisName; }
    void SetXAxisName(const std::string& Value);
    const std::string& GetYAxisName() const { return FYAxisName; }
    void SetYAxisName(const std::string& Value);

    // Follows the rename of its axes.
    void ObjectRenamed(TkPlotObject* Object) override;

protected:
    ~TkPlotChannelCustom() override = default;

private:
    std::string FTitleText;
    TColor FColor = clRed;
    std::string FXAxisName;
    std::string FYAxisName;
};
