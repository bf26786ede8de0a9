#pragma once
// A text, line or shape placed on the plot by the user or the program.
#include "plot/core/kPlotObjects.h"

namespace TkPlotObjectKind {
extern const TkPlotKind Annotation;
}  // namespace TkPlotObjectKind

class TkPlotAnnotation : public TkPlotManagerObject {
public:
    TkPlotAnnotation(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
        : TkPlotManagerObject(AOwner, Callbacks, TkPlotObjectKind::Annotation)
    {
    }

protected:
    ~TkPlotAnnotation() override = default;
};
