#pragma once
// One per plot: creates and owns every manager, creates objects on the
// plot's behalf and is the single receiver of all object and manager
// callbacks. It registers new objects everywhere they belong, unregisters
// them when they die, relays renames and focus changes, and forwards
// changes to the plot and to the editor host.
#include <cstdint>
#include <string_view>
#include <vector>

#include "plot/core/kPlotLayoutManager.h"
#include "plot/core/kPlotObjectManager.h"
#include "plot/core/kPlotTranslation.h"
#include "plot/core/kPlotTypedKindManager.h"

class TkPlotMasterManager;
class TkPlotXAxis;
class TkPlotYAxis;
class TkPlotDataView;
// Kinds of the library above (plot/channels), named here only for the
// typed look-ups of the plot's published operations.
class TkPlotToolBar;
class TkPlotLegend;
class TkPlotTable;
class TkPlotChannelCustom;
class TkPlotDataCursor;
class TkPlotLimit;
class TkPlotLabel;
class TkPlotAnnotation;

class TkPlotEditorListener;
class TForm;

class TkPlotMasterManager : public TObject {
public:
    // Makes the all-objects manager, one manager per registered kind, the
    // layout manager and the translation manager.
    explicit TkPlotMasterManager(TkPlotObjectOwner* AOwner);
    ~TkPlotMasterManager() override;

    // Callbacks of every object and manager.
    void InsertObject(TObject* Item);
    void ObjectRemove(TObject* Item);
    void ObjectRename(TObject* Item);
    void ObjectChange(TObject* Item);
    void ObjectFocus(TObject* Item);
    void EditObject(TObject* Item);
    const TkPlotObjectCallbacks& GetCallbacks() const { return FCallbacks; }
    // Grows with every change, insertion, removal, rename and focus change
    // of any object: what was computed from the objects at one count holds
    // while the count stays.
    std::uint64_t GetChangeCount() const { return FChangeCount; }
    // The same without the changes of what objects show (points added,
    // ranges moved), which leave every property as it was.
    std::uint64_t GetSetupChangeCount() const { return FChangeCount - FContentChangeCount; }

    // Create one object of the kind, of its manager's class or of Class,
    // and register it; answer its index within the kind. Raises when the
    // plot has no such kind.
    int Add(const TkPlotKind& Kind);
    int Add(const TkPlotKind& Kind, const TkPlotObjectClass& Class);
    // The managers of the kinds, in the kinds' Order.
    const std::vector<TkPlotKindManager*>& KindManagers() const { return FKindManagers; }
    // The manager of a kind, or none.
    TkPlotKindManager* KindManager(const TkPlotKind& Kind) const;
    // The manager of the kind of that Name, or none.
    TkPlotKindManager* KindManager(std::string_view Name) const;
    // Object 0 of the kind, or none.
    TkPlotObject* FirstOf(const TkPlotKind& Kind) const;
    // Call(Kind, Object) for every object of every kind: kinds in Order,
    // objects in their list order.
    template <class F> void ForEachObjectByKind(F Call) const
    {
        for (const TkPlotKindManager* m : FKindManagers)
            for (int i = 0; i < m->GetCount(); ++i)
                Call(m->Kind(), *m->GetObject(i));
    }

    // The kinds by name, for the plot's published operations and the code
    // that knows the kinds; each raises when the plot lacks the kind.
    int AddChannel() { return AddNamed("Channel"); }
    int AddDataView() { return AddNamed("DataView"); }
    int AddDataCursor() { return AddNamed("DataCursor"); }
    int AddLimit() { return AddNamed("Limit"); }
    int AddLabel() { return AddNamed("Label"); }
    int AddAnnotation() { return AddNamed("Annotation"); }
    int AddLegend() { return AddNamed("Legend"); }
    int AddTable() { return AddNamed("Table"); }
    int AddToolBar() { return AddNamed("ToolBar"); }
    int AddXAxis() { return AddNamed("XAxis"); }
    int AddYAxis() { return AddNamed("YAxis"); }

    // The class AddChannel makes (a trace channel for the published plot).
    void SetChannelClass(TkPlotObjectClass Value);
    bool GetUserCanEditObjects() const { return FUserCanEditObjects; }
    void SetUserCanEditObjects(bool Value);
    bool GetXYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool Value);
    void SetToolBarsVisible(bool Value);
    // Clears the points of every object that holds data, then restarts the
    // tracking of every X axis, then of every Y axis.
    void ClearAllData();
    // Narrows Minimum and Maximum to the values every object that holds
    // data draws against the axis.
    void AxisDataExtent(const TkPlotObject& Axis, bool Running, double& Minimum, double& Maximum) const;
    void ClearFocus();

    // The run-time editor's host, which hears of objects added, removed
    // and renamed and opens the editor for EditObject; none: no editor.
    void SetEditorHost(TkPlotEditorListener* Host) { FEditorHost = Host; }
    // Passes the texts of Form and of its controls, menus and item lists
    // through the translation pairs; nothing without pairs, or while Form
    // is the editor filling its controls.
    void TranslateControl(TForm* Form) const;

    TkPlotObjectOwner* GetOwner() const { return FOwner; }
    TkPlotObjectManager* ObjectManager() const { return FObjectManager; }
    TkPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    TkPlotTranslationManager* TranslationManager() const { return FTranslationManager; }
    // The managers of the kinds by name, typed; each raises when the plot
    // lacks the kind.
    TkPlotTypedKindManager<TkPlotToolBar>* ToolBarManager() const { return Typed<TkPlotToolBar>("ToolBar"); }
    TkPlotTypedKindManager<TkPlotLegend>* LegendManager() const { return Typed<TkPlotLegend>("Legend"); }
    TkPlotTypedKindManager<TkPlotTable>* TableManager() const { return Typed<TkPlotTable>("Table"); }
    TkPlotTypedKindManager<TkPlotXAxis>* XAxisManager() const { return Typed<TkPlotXAxis>("XAxis"); }
    TkPlotTypedKindManager<TkPlotYAxis>* YAxisManager() const { return Typed<TkPlotYAxis>("YAxis"); }
    TkPlotTypedKindManager<TkPlotChannelCustom>* ChannelManager() const
    {
        return Typed<TkPlotChannelCustom>("Channel");
    }
    TkPlotTypedKindManager<TkPlotDataView>* DataViewManager() const { return Typed<TkPlotDataView>("DataView"); }
    TkPlotTypedKindManager<TkPlotDataCursor>* DataCursorManager() const
    {
        return Typed<TkPlotDataCursor>("DataCursor");
    }
    TkPlotTypedKindManager<TkPlotLimit>* LimitManager() const { return Typed<TkPlotLimit>("Limit"); }
    TkPlotTypedKindManager<TkPlotLabel>* LabelManager() const { return Typed<TkPlotLabel>("Label"); }
    TkPlotTypedKindManager<TkPlotAnnotation>* AnnotationManager() const
    {
        return Typed<TkPlotAnnotation>("Annotation");
    }

    // The plot's handlers.
    TkPlotCallback OnInvalidate;
    TkPlotCallback OnObjectChange;
    TkPlotCallback OnObjectAdd;
    TkPlotCallback OnObjectRemove;

private:
    // Every kind's manager is made by its kind's NewManager, which makes
    // the typed manager of the kind's item class.
    template <class TItem> TkPlotTypedKindManager<TItem>* Typed(std::string_view Name) const
    {
        return static_cast<TkPlotTypedKindManager<TItem>*>(&KindManagerNamed(Name));
    }
    TkPlotKindManager& KindManagerNamed(std::string_view Name) const;
    int AddNamed(std::string_view Name);
    template <class F> void ForEachAxisData(F Call) const;
    // The managers that hear renames and focus changes, in order.
    std::vector<TkPlotObjectManagerCustom*> NotifiedManagers() const;

    TkPlotObjectOwner* FOwner;
    TkPlotObjectCallbacks FCallbacks;
    bool FUserCanEditObjects = true;
    bool FXYAxesReverse = false;
    TkPlotObjectManager* FObjectManager = nullptr;
    std::vector<TkPlotKindManager*> FKindManagers;
    TkPlotLayoutManager* FLayoutManager = nullptr;
    TkPlotTranslationManager* FTranslationManager = nullptr;
    TkPlotEditorListener* FEditorHost = nullptr;
    std::uint64_t FChangeCount = 0;
    std::uint64_t FContentChangeCount = 0;
};
