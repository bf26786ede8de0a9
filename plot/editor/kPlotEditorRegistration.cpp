// The plot core knows no editor class: the editor offers itself to every
// plot from here, when the program links the editor library.
#include <memory>

#include "plot/core/kPlotEditorHost.h"
#include "plot/core/kPlotEditorLink.h"
#include "plot/editor/kPlotEditorForm.h"

namespace {

const bool Registered = [] {
    TkPlotEditorHost::SetEditorFactory([](TkPlotEditorHost& Host) -> std::unique_ptr<TkPlotEditorLink> {
        return std::make_unique<TkPlotEditorForm>(Host);
    });
    return true;
}();

}  // namespace
