#include "plot/core/kPlotMasterManager.h"

#include "plot/core/kPlotAxis.h"

namespace {

TkPlotEditorFactory& EditorFactory()
{
    static TkPlotEditorFactory factory;
    return factory;
}

void Call(const TkPlotCallback& Callback, TObject* Item)
{
    if (Callback)
        Callback(Item);
}

template <class M> void FreeManager(M*& Manager)
{
    // Freeing comes back through ObjectRemove, which clears the field.
    TkPlotObjectManagerCustom::Free(Manager);
    Manager = nullptr;
}

}  // namespace

void TkPlotMasterManager::SetEditorFactory(TkPlotEditorFactory Factory)
{
    EditorFactory() = std::move(Factory);
}

template <class M> M* TkPlotMasterManager::MakeManager()
{
    M* m = new M(FOwner, FCallbacks);
    m->DoInsert();
    return m;
}

TkPlotMasterManager::TkPlotMasterManager(TkPlotObjectOwner* AOwner) : FOwner(AOwner)
{
    FCallbacks.OnChange = [this](TObject* o) { ObjectChange(o); };
    FCallbacks.OnInsert = [this](TObject* o) { InsertObject(o); };
    FCallbacks.OnRemove = [this](TObject* o) { ObjectRemove(o); };
    FCallbacks.OnRename = [this](TObject* o) { ObjectRename(o); };
    // Each manager files itself through InsertObject.
    MakeManager<TkPlotObjectManager>();
    MakeManager<TkPlotToolBarManager>();
    MakeManager<TkPlotLegendManager>();
    MakeManager<TkPlotTableManager>();
    MakeManager<TkPlotChannelManager>();
    MakeManager<TkPlotDataCursorManager>();
    MakeManager<TkPlotDataViewManager>();
    MakeManager<TkPlotXAxisManager>();
    MakeManager<TkPlotYAxisManager>();
    MakeManager<TkPlotLimitManager>();
    MakeManager<TkPlotLabelManager>();
    MakeManager<TkPlotAnnotationManager>();
    TkPlotLayoutManager::Create(FOwner, FCallbacks);
    new TkPlotTranslationManager(FCallbacks.OnInsert, FCallbacks.OnRemove);

    FChannelManager->XAxisManager = FXAxisManager;
    FChannelManager->YAxisManager = FYAxisManager;
    FDataViewManager->XAxisManager = FXAxisManager;
    FDataViewManager->YAxisManager = FYAxisManager;
    FLimitManager->XAxisManager = FXAxisManager;
    FLimitManager->YAxisManager = FYAxisManager;
    FDataCursorManager->ChannelManager = FChannelManager;
    FDataCursorManager->DataViewManager = FDataViewManager;
}

TkPlotMasterManager::~TkPlotMasterManager()
{
    FEditor.reset();
    FreeManager(FToolBarManager);
    FreeManager(FLegendManager);
    FreeManager(FTableManager);
    FreeManager(FChannelManager);
    FreeManager(FXAxisManager);
    FreeManager(FYAxisManager);
    FreeManager(FDataViewManager);
    FreeManager(FDataCursorManager);
    FreeManager(FLimitManager);
    FreeManager(FLabelManager);
    FreeManager(FAnnotationManager);
    delete FTranslationManager;
    FTranslationManager = nullptr;
    FreeManager(FObjectManager);
    FreeManager(FLayoutManager);
}

TkPlotKindManager* TkPlotMasterManager::KindManager(TkPlotObjectKind Kind) const
{
    switch (Kind) {
    case TkPlotObjectKind::ToolBar: return FToolBarManager;
    case TkPlotObjectKind::Legend: return FLegendManager;
    case TkPlotObjectKind::Table: return FTableManager;
    case TkPlotObjectKind::XAxis: return FXAxisManager;
    case TkPlotObjectKind::YAxis: return FYAxisManager;
    case TkPlotObjectKind::Channel: return FChannelManager;
    case TkPlotObjectKind::DataView: return FDataViewManager;
    case TkPlotObjectKind::DataCursor: return FDataCursorManager;
    case TkPlotObjectKind::Limit: return FLimitManager;
    case TkPlotObjectKind::Label: return FLabelManager;
    case TkPlotObjectKind::Annotation: return FAnnotationManager;
    case TkPlotObjectKind::Other: break;
    }
    return nullptr;
}

void TkPlotMasterManager::InsertObject(TObject* Item)
{
    if (auto* object = dynamic_cast<TkPlotObject*>(Item)) {
        if (FObjectManager)
            FObjectManager->AddObject(object);
        if (object->IsLayoutObject() && FLayoutManager)
            FLayoutManager->AddObject(object);
        if (TkPlotKindManager* m = KindManager(object->Kind()))
            m->AddObject(object);
        object->OnFocus = [this](TObject* o) { ObjectFocus(o); };
        object->OnInvalidate = OnInvalidate;
        object->SetUserCanEdit(FUserCanEditObjects);
        object->OnEdit = [this](TObject* o) { EditObject(o); };
        object->SetXYAxesReverse(FXYAxesReverse);
        if (EditorListens())
            FEditor->ObjectAdded(object);
    } else if (auto* pair = dynamic_cast<TkPlotTranslationObject*>(Item)) {
        if (FTranslationManager)
            FTranslationManager->AddObject(pair);
    } else if (auto* m = dynamic_cast<TkPlotTranslationManager*>(Item)) {
        FTranslationManager = m;
    } else if (auto* m = dynamic_cast<TkPlotLayoutManager*>(Item)) {
        FLayoutManager = m;
    } else if (auto* m = dynamic_cast<TkPlotObjectManager*>(Item)) {
        FObjectManager = m;
    } else if (auto* km = dynamic_cast<TkPlotKindManager*>(Item)) {
        switch (km->Kind()) {
        case TkPlotObjectKind::ToolBar: FToolBarManager = static_cast<TkPlotToolBarManager*>(km); break;
        case TkPlotObjectKind::Legend: FLegendManager = static_cast<TkPlotLegendManager*>(km); break;
        case TkPlotObjectKind::Table: FTableManager = static_cast<TkPlotTableManager*>(km); break;
        case TkPlotObjectKind::XAxis: FXAxisManager = static_cast<TkPlotXAxisManager*>(km); break;
        case TkPlotObjectKind::YAxis: FYAxisManager = static_cast<TkPlotYAxisManager*>(km); break;
        case TkPlotObjectKind::Channel: FChannelManager = static_cast<TkPlotChannelManager*>(km); break;
        case TkPlotObjectKind::DataView: FDataViewManager = static_cast<TkPlotDataViewManager*>(km); break;
        case TkPlotObjectKind::DataCursor: FDataCursorManager = static_cast<TkPlotDataCursorManager*>(km); break;
        case TkPlotObjectKind::Limit: FLimitManager = static_cast<TkPlotLimitManager*>(km); break;
        case TkPlotObjectKind::Label: FLabelManager = static_cast<TkPlotLabelManager*>(km); break;
        case TkPlotObjectKind::Annotation: FAnnotationManager = static_cast<TkPlotAnnotationManager*>(km); break;
        case TkPlotObjectKind::Other: break;
        }
    }
    Call(OnObjectAdd, Item);
}

void TkPlotMasterManager::ObjectRemove(TObject* Item)
{
    Call(OnObjectRemove, Item);
    if (auto* pair = dynamic_cast<TkPlotTranslationObject*>(Item)) {
        if (FTranslationManager)
            FTranslationManager->RemoveItem(pair);
        return;
    }
    if (auto* object = dynamic_cast<TkPlotObject*>(Item)) {
        if (EditorListens())
            FEditor->ObjectRemoved(object);
        for (TkPlotObjectManagerCustom* m : std::initializer_list<TkPlotObjectManagerCustom*>{
                 FObjectManager, FLayoutManager, FToolBarManager, FLegendManager, FTableManager, FXAxisManager,
                 FYAxisManager, FChannelManager, FDataViewManager, FDataCursorManager, FLimitManager, FLabelManager,
                 FAnnotationManager})
            if (m)
                m->RemoveObject(object);
        return;
    }
    for (auto* field : std::initializer_list<TObject**>{
             reinterpret_cast<TObject**>(&FObjectManager), reinterpret_cast<TObject**>(&FToolBarManager),
             reinterpret_cast<TObject**>(&FLegendManager), reinterpret_cast<TObject**>(&FTableManager),
             reinterpret_cast<TObject**>(&FXAxisManager), reinterpret_cast<TObject**>(&FYAxisManager),
             reinterpret_cast<TObject**>(&FChannelManager), reinterpret_cast<TObject**>(&FDataViewManager),
             reinterpret_cast<TObject**>(&FDataCursorManager), reinterpret_cast<TObject**>(&FLimitManager),
             reinterpret_cast<TObject**>(&FLabelManager), reinterpret_cast<TObject**>(&FAnnotationManager),
             reinterpret_cast<TObject**>(&FLayoutManager), reinterpret_cast<TObject**>(&FTranslationManager)}) {
        if (*field == Item) {
            *field = nullptr;
            return;
        }
    }
}

std::vector<TkPlotObjectManagerCustom*> TkPlotMasterManager::NotifiedManagers() const
{
    std::vector<TkPlotObjectManagerCustom*> result;
    for (TkPlotObjectManagerCustom* m : std::initializer_list<TkPlotObjectManagerCustom*>{
             FToolBarManager, FLegendManager, FTableManager, FXAxisManager, FYAxisManager, FChannelManager,
             FDataViewManager, FDataCursorManager, FLimitManager, FLabelManager, FAnnotationManager, FLayoutManager})
        if (m)
            result.push_back(m);
    return result;
}

void TkPlotMasterManager::ObjectRename(TObject* Item)
{
    auto* object = dynamic_cast<TkPlotObject*>(Item);
    if (!object)
        return;
    for (TkPlotObjectManagerCustom* m : NotifiedManagers())
        m->NotifyObjectRenamed(object);
    if (EditorListens())
        FEditor->ObjectRenamed(object);
}

void TkPlotMasterManager::ObjectChange(TObject* Item)
{
    Call(OnObjectChange, Item);
}

void TkPlotMasterManager::ObjectFocus(TObject* Item)
{
    auto* object = dynamic_cast<TkPlotObject*>(Item);
    if (!object)
        return;
    for (TkPlotObjectManagerCustom* m : NotifiedManagers())
        m->NotifyObjectFocused(object);
}

void TkPlotMasterManager::EditObject(TObject* Item)
{
    if (FEditorClosed) {
        FEditor.reset();
        FEditorClosed = false;
    }
    if (!FEditor && EditorFactory())
        FEditor = EditorFactory()(*this);
    if (FEditor)
        FEditor->Edit(dynamic_cast<TkPlotObject*>(Item));
}

void TkPlotMasterManager::EditorClosed()
{
    FEditorClosed = true;
}

int TkPlotMasterManager::AddOf(TkPlotKindManager* Manager)
{
    TkPlotObject* object = Manager->CreateObject();
    object->DoInsert();
    return Manager->GetCount() - 1;
}

int TkPlotMasterManager::AddChannel()
{
    return AddOf(FChannelManager);
}
int TkPlotMasterManager::AddDataView()
{
    return AddOf(FDataViewManager);
}
int TkPlotMasterManager::AddDataCursor()
{
    return AddOf(FDataCursorManager);
}
int TkPlotMasterManager::AddLimit()
{
    return AddOf(FLimitManager);
}
int TkPlotMasterManager::AddLabel()
{
    return AddOf(FLabelManager);
}
int TkPlotMasterManager::AddAnnotation()
{
    return AddOf(FAnnotationManager);
}
int TkPlotMasterManager::AddLegend()
{
    return AddOf(FLegendManager);
}
int TkPlotMasterManager::AddTable()
{
    return AddOf(FTableManager);
}
int TkPlotMasterManager::AddToolBar()
{
    return AddOf(FToolBarManager);
}
int TkPlotMasterManager::AddXAxis()
{
    return AddOf(FXAxisManager);
}
int TkPlotMasterManager::AddYAxis()
{
    return AddOf(FYAxisManager);
}

void TkPlotMasterManager::SetChannelClass(TkPlotObjectClass Value)
{
    FChannelManager->SetObjectClass(std::move(Value));
}

void TkPlotMasterManager::SetUserCanEditObjects(bool Value)
{
    FUserCanEditObjects = Value;
    for (int i = 0; i < FObjectManager->GetCount(); ++i)
        FObjectManager->GetObject(i)->SetUserCanEdit(Value);
}

void TkPlotMasterManager::SetXYAxesReverse(bool Value)
{
    FXYAxesReverse = Value;
    FLayoutManager->SetXYAxesReverse(Value);
    for (int i = 0; i < FObjectManager->GetCount(); ++i)
        FObjectManager->GetObject(i)->SetXYAxesReverse(Value);
    Call(OnInvalidate, nullptr);
}

void TkPlotMasterManager::SetToolBarsVisible(bool Value)
{
    for (int i = 0; i < FToolBarManager->GetCount(); ++i)
        FToolBarManager->GetObject(i)->SetVisible(Value);
}

void TkPlotMasterManager::ClearAllData()
{
    FChannelManager->ClearAllData();
    // The next value each axis tracks counts as its first again.
    for (int i = 0; i < FXAxisManager->GetCount(); ++i)
        FXAxisManager->GetItem(i)->ResetTracking();
    for (int i = 0; i < FYAxisManager->GetCount(); ++i)
        FYAxisManager->GetItem(i)->ResetTracking();
}

void TkPlotMasterManager::ClearFocus()
{
    FObjectManager->ClearFocus();
}
