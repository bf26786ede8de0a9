#pragma once
// One per plot: creates and owns every manager, creates objects on the
// plot's behalf and is the single receiver of all object and manager
// callbacks. It registers new objects everywhere they belong, unregisters
// them when they die, relays renames and focus changes, and forwards
// changes to the plot.
#include <array>
#include <functional>
#include <memory>

#include "plot/core/kPlotLayoutManager.h"
#include "plot/core/kPlotObjectManager.h"
#include "plot/core/kPlotTranslation.h"

class TkPlotMasterManager;

// What the master manager needs of the plot's run-time editor; the editor
// registers a factory, so the plot works without it.
class TkPlotEditorLink {
public:
    virtual ~TkPlotEditorLink() = default;
    // The editor is filling its controls: changes are not echoed back.
    virtual bool IsLoading() const = 0;
    virtual void ObjectAdded(TkPlotObject* Object) = 0;
    virtual void ObjectRemoved(TkPlotObject* Object) = 0;
    virtual void ObjectRenamed(TkPlotObject* Object) = 0;
    // Selects the object's page and the object (none: the current page),
    // then shows the editor.
    virtual void Edit(TkPlotObject* Object) = 0;
};

using TkPlotEditorFactory = std::function<std::unique_ptr<TkPlotEditorLink>(TkPlotMasterManager& Master)>;

class TkPlotMasterManager : public TObject {
public:
    explicit TkPlotMasterManager(TkPlotObjectOwner* AOwner);
    ~TkPlotMasterManager() override;

    static void SetEditorFactory(TkPlotEditorFactory Factory);

    // Callbacks of every object and manager.
    void InsertObject(TObject* Item);
    void ObjectRemove(TObject* Item);
    void ObjectRename(TObject* Item);
    void ObjectChange(TObject* Item);
    void ObjectFocus(TObject* Item);
    void EditObject(TObject* Item);

    // Create one object of the kind and register it; answer its index.
    int AddChannel();
    int AddDataView();
    int AddDataCursor();
    int AddLimit();
    int AddLabel();
    int AddAnnotation();
    int AddLegend();
    int AddTable();
    int AddToolBar();
    int AddXAxis();
    int AddYAxis();

    void SetChannelClass(TkPlotObjectClass Value);
    bool GetUserCanEditObjects() const { return FUserCanEditObjects; }
    void SetUserCanEditObjects(bool Value);
    bool GetXYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool Value);
    void SetToolBarsVisible(bool Value);
    // Clears the points of every channel, then restarts the tracking of
    // every X axis, then of every Y axis.
    void ClearAllData();
    void ClearFocus();

    // The editor: the active page of each of its page controls is kept
    // between openings. EditorClosed frees a modeless editor later, never
    // inside its own close handler.
    std::array<int, 14> EditorPages{};
    TkPlotEditorLink* GetEditor() const { return FEditor.get(); }
    void EditorClosed();

    TkPlotObjectOwner* GetOwner() const { return FOwner; }
    TkPlotObjectManager* ObjectManager() const { return FObjectManager; }
    TkPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    TkPlotTranslationManager* TranslationManager() const { return FTranslationManager; }
    TkPlotToolBarManager* ToolBarManager() const { return FToolBarManager; }
    TkPlotLegendManager* LegendManager() const { return FLegendManager; }
    TkPlotTableManager* TableManager() const { return FTableManager; }
    TkPlotXAxisManager* XAxisManager() const { return FXAxisManager; }
    TkPlotYAxisManager* YAxisManager() const { return FYAxisManager; }
    TkPlotChannelManager* ChannelManager() const { return FChannelManager; }
    TkPlotDataViewManager* DataViewManager() const { return FDataViewManager; }
    TkPlotDataCursorManager* DataCursorManager() const { return FDataCursorManager; }
    TkPlotLimitManager* LimitManager() const { return FLimitManager; }
    TkPlotLabelManager* LabelManager() const { return FLabelManager; }
    TkPlotAnnotationManager* AnnotationManager() const { return FAnnotationManager; }
    // The manager of a kind, or none.
    TkPlotKindManager* KindManager(TkPlotObjectKind Kind) const;

    // The plot's handlers.
    TkPlotCallback OnInvalidate;
    TkPlotCallback OnObjectChange;
    TkPlotCallback OnObjectAdd;
    TkPlotCallback OnObjectRemove;

private:
    template <class M> M* MakeManager();
    int AddOf(TkPlotKindManager* Manager);
    // The managers that hear renames and focus changes, in order.
    std::vector<TkPlotObjectManagerCustom*> NotifiedManagers() const;
    bool EditorListens() const { return FEditor && !FEditorClosed && !FEditor->IsLoading(); }

    TkPlotObjectOwner* FOwner;
    TkPlotObjectCallbacks FCallbacks;
    bool FUserCanEditObjects = true;
    bool FXYAxesReverse = false;
    TkPlotObjectManager* FObjectManager = nullptr;
    TkPlotToolBarManager* FToolBarManager = nullptr;
    TkPlotLegendManager* FLegendManager = nullptr;
    TkPlotTableManager* FTableManager = nullptr;
    TkPlotXAxisManager* FXAxisManager = nullptr;
    TkPlotYAxisManager* FYAxisManager = nullptr;
    TkPlotChannelManager* FChannelManager = nullptr;
    TkPlotDataViewManager* FDataViewManager = nullptr;
    TkPlotDataCursorManager* FDataCursorManager = nullptr;
    TkPlotLimitManager* FLimitManager = nullptr;
    TkPlotLabelManager* FLabelManager = nullptr;
    TkPlotAnnotationManager* FAnnotationManager = nullptr;
    TkPlotLayoutManager* FLayoutManager = nullptr;
    TkPlotTranslationManager* FTranslationManager = nullptr;
    std::unique_ptr<TkPlotEditorLink> FEditor;
    bool FEditorClosed = false;
};
