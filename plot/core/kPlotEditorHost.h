#pragma once
// Hosts the plot's run-time editor beside the plot component: makes the
// editor through the factory that the editor library registers (a plot
// works without one), opens it on an object's page, tells an open editor
// of the objects added, removed and renamed, keeps the pages it showed
// between openings, and frees an editor that closed itself once it is
// safe to. The plot component owns it; the master manager reports to it.
#include <array>
#include <functional>
#include <memory>

#include "plot/core/kPlotEditorLink.h"
#include "plot/core/kPlotEditorListener.h"
#include "rtl/PublishedEnum.h"

class TObject;

class TkPlotEditorHost;
class TkPlotMasterManager;
class TkPlotObject;

// How the editor form opens.
PUBLISHED_ENUM(TkPlotFormStyle, kpfsModal, kpfsStayOnTop);

using TkPlotEditorFactory = std::function<std::unique_ptr<TkPlotEditorLink>(TkPlotEditorHost& Host)>;

class TkPlotEditorHost final : public TkPlotEditorListener {
public:
    // Reports to Master's objects from now until it dies.
    explicit TkPlotEditorHost(TkPlotMasterManager& Master);
    ~TkPlotEditorHost();
    TkPlotEditorHost(const TkPlotEditorHost&) = delete;
    TkPlotEditorHost& operator=(const TkPlotEditorHost&) = delete;

    static void SetEditorFactory(TkPlotEditorFactory Factory);
    static TkPlotEditorFactory GetEditorFactory();

    TkPlotMasterManager& Master() const { return FMaster; }
    // Makes the editor when there is none, then opens it on the object
    // (none: on the page it showed last).
    void Edit(TkPlotObject* Object) override;
    // The editor closed itself: it is freed on the next opening or with
    // the host, never inside its own close handler.
    void EditorClosed();
    // Form is the open editor's, and it is filling its controls.
    bool IsLoadingEditor(const TObject* Form) const override;

    // What an open editor hears; nothing while it fills its controls.
    void ObjectAdded(TkPlotObject* Object) override;
    void ObjectRemoved(TkPlotObject* Object) override;
    void ObjectRenamed(TkPlotObject* Object) override;

    // The active page of each of the editor's page controls.
    std::array<int, 14> EditorPages{};
    TkPlotFormStyle FormStyle = kpfsModal;

private:
    TkPlotEditorLink* Listener() const;

    TkPlotMasterManager& FMaster;
    std::unique_ptr<TkPlotEditorLink> FEditor;
    bool FEditorClosed = false;
};
