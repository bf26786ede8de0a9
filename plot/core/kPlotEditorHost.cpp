#include "plot/core/kPlotEditorHost.h"

#include <utility>

#include "plot/core/kPlotMasterManager.h"

namespace {

TkPlotEditorFactory& EditorFactory()
{
    static TkPlotEditorFactory factory;
    return factory;
}

}  // namespace

void TkPlotEditorHost::SetEditorFactory(TkPlotEditorFactory Factory)
{
    EditorFactory() = std::move(Factory);
}

TkPlotEditorFactory TkPlotEditorHost::GetEditorFactory()
{
    return EditorFactory();
}

TkPlotEditorHost::TkPlotEditorHost(TkPlotMasterManager& Master) : FMaster(Master)
{
    FMaster.SetEditorHost(this);
}

TkPlotEditorHost::~TkPlotEditorHost()
{
    // The editor goes first, while the objects it lists are still whole.
    FEditor.reset();
    FMaster.SetEditorHost(nullptr);
}

void TkPlotEditorHost::Edit(TkPlotObject* Object)
{
    if (FEditorClosed) {
        FEditor.reset();
        FEditorClosed = false;
    }
    if (!FEditor && EditorFactory())
        FEditor = EditorFactory()(*this);
    if (FEditor)
        FEditor->Edit(Object);
}

void TkPlotEditorHost::EditorClosed()
{
    FEditorClosed = true;
}

bool TkPlotEditorHost::IsLoadingEditor(const TObject* Form) const
{
    return FEditor && Form && FEditor->Form() == Form && FEditor->IsLoading();
}

TkPlotEditorLink* TkPlotEditorHost::Listener() const
{
    return FEditor && !FEditorClosed && !FEditor->IsLoading() ? FEditor.get() : nullptr;
}

void TkPlotEditorHost::ObjectAdded(TkPlotObject* Object)
{
    if (TkPlotEditorLink* editor = Listener())
        editor->ObjectAdded(Object);
}

void TkPlotEditorHost::ObjectRemoved(TkPlotObject* Object)
{
    if (TkPlotEditorLink* editor = Listener())
        editor->ObjectRemoved(Object);
}

void TkPlotEditorHost::ObjectRenamed(TkPlotObject* Object)
{
    if (TkPlotEditorLink* editor = Listener())
        editor->ObjectRenamed(Object);
}
