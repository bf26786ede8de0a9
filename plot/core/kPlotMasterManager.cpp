#include "plot/core/kPlotMasterManager.h"

#include <algorithm>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotAxisData.h"
#include "plot/core/kPlotEditorListener.h"
#include "rtl/Exception.h"

namespace {

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

TkPlotMasterManager::TkPlotMasterManager(TkPlotObjectOwner* AOwner) : FOwner(AOwner)
{
    FCallbacks.OnChange = [this](TObject* o) { ObjectChange(o); };
    FCallbacks.OnInsert = [this](TObject* o) { InsertObject(o); };
    FCallbacks.OnRemove = [this](TObject* o) { ObjectRemove(o); };
    FCallbacks.OnRename = [this](TObject* o) { ObjectRename(o); };
    // Each manager files itself through InsertObject.
    (new TkPlotObjectManager(FOwner, FCallbacks))->DoInsert();
    for (const TkPlotKind* kind : RegisteredPlotKinds()) {
        TkPlotKindManager* m = kind->NewManager ? kind->NewManager(FOwner, FCallbacks, *this, *kind)
                                                : new TkPlotKindManager(FOwner, FCallbacks, *this, *kind);
        m->DoInsert();
    }
    TkPlotLayoutManager::Create(FOwner, FCallbacks);
    new TkPlotTranslationManager(FCallbacks.OnInsert, FCallbacks.OnRemove);
}

TkPlotMasterManager::~TkPlotMasterManager()
{
    std::vector<TkPlotKindManager*> managers = FKindManagers;
    std::stable_sort(managers.begin(), managers.end(), [](const TkPlotKindManager* a, const TkPlotKindManager* b) {
        return a->Kind().FreeRank() < b->Kind().FreeRank();
    });
    for (TkPlotKindManager* m : managers)
        FreeManager(m);
    delete FTranslationManager;
    FTranslationManager = nullptr;
    FreeManager(FObjectManager);
    FreeManager(FLayoutManager);
}

TkPlotKindManager* TkPlotMasterManager::KindManager(const TkPlotKind& Kind) const
{
    for (TkPlotKindManager* m : FKindManagers)
        if (m->Kind() == Kind)
            return m;
    return nullptr;
}

TkPlotKindManager* TkPlotMasterManager::KindManager(std::string_view Name) const
{
    for (TkPlotKindManager* m : FKindManagers)
        if (Name == m->Kind().Name)
            return m;
    return nullptr;
}

TkPlotObject* TkPlotMasterManager::FirstOf(const TkPlotKind& Kind) const
{
    const TkPlotKindManager* m = KindManager(Kind);
    return m && m->HasObjects() ? m->GetObject(0) : nullptr;
}

void TkPlotMasterManager::InsertObject(TObject* Item)
{
    ++FChangeCount;
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
        if (FEditorHost)
            FEditorHost->ObjectAdded(object);
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
        if (!KindManager(km->Kind())) {
            auto at = std::upper_bound(FKindManagers.begin(), FKindManagers.end(), km->Kind().Order,
                                       [](int Order, const TkPlotKindManager* m) { return Order < m->Kind().Order; });
            FKindManagers.insert(at, km);
        }
    }
    Call(OnObjectAdd, Item);
}

void TkPlotMasterManager::ObjectRemove(TObject* Item)
{
    ++FChangeCount;
    Call(OnObjectRemove, Item);
    if (auto* pair = dynamic_cast<TkPlotTranslationObject*>(Item)) {
        if (FTranslationManager)
            FTranslationManager->RemoveItem(pair);
        return;
    }
    if (auto* object = dynamic_cast<TkPlotObject*>(Item)) {
        if (FEditorHost)
            FEditorHost->ObjectRemoved(object);
        for (TkPlotObjectManagerCustom* m :
             std::initializer_list<TkPlotObjectManagerCustom*>{FObjectManager, FLayoutManager})
            if (m)
                m->RemoveObject(object);
        for (TkPlotKindManager* m : std::vector<TkPlotKindManager*>(FKindManagers))
            m->RemoveObject(object);
        return;
    }
    if (Item == FObjectManager)
        FObjectManager = nullptr;
    else if (Item == FLayoutManager)
        FLayoutManager = nullptr;
    else if (Item == FTranslationManager)
        FTranslationManager = nullptr;
    else
        std::erase(FKindManagers, Item);
}

std::vector<TkPlotObjectManagerCustom*> TkPlotMasterManager::NotifiedManagers() const
{
    std::vector<TkPlotObjectManagerCustom*> result(FKindManagers.begin(), FKindManagers.end());
    if (FLayoutManager)
        result.push_back(FLayoutManager);
    return result;
}

void TkPlotMasterManager::ObjectRename(TObject* Item)
{
    ++FChangeCount;
    auto* object = dynamic_cast<TkPlotObject*>(Item);
    if (!object)
        return;
    for (TkPlotObjectManagerCustom* m : NotifiedManagers())
        m->NotifyObjectRenamed(object);
    if (FEditorHost)
        FEditorHost->ObjectRenamed(object);
}

void TkPlotMasterManager::ObjectChange(TObject* Item)
{
    ++FChangeCount;
    if (TkPlotObject::InContentChange(Item))
        ++FContentChangeCount;
    Call(OnObjectChange, Item);
}

void TkPlotMasterManager::ObjectFocus(TObject* Item)
{
    ++FChangeCount;
    auto* object = dynamic_cast<TkPlotObject*>(Item);
    if (!object)
        return;
    for (TkPlotObjectManagerCustom* m : NotifiedManagers())
        m->NotifyObjectFocused(object);
}

void TkPlotMasterManager::EditObject(TObject* Item)
{
    if (FEditorHost)
        FEditorHost->Edit(dynamic_cast<TkPlotObject*>(Item));
}

int TkPlotMasterManager::Add(const TkPlotKind& Kind)
{
    TkPlotKindManager* m = KindManager(Kind);
    if (!m)
        throw Exception(std::string("The plot knows no kind named ") + Kind.Name);
    m->CreateObject()->DoInsert();
    return m->GetCount() - 1;
}

int TkPlotMasterManager::Add(const TkPlotKind& Kind, const TkPlotObjectClass& Class)
{
    TkPlotKindManager* m = KindManager(Kind);
    if (!m)
        throw Exception(std::string("The plot knows no kind named ") + Kind.Name);
    m->CreateObject(Class)->DoInsert();
    return m->GetCount() - 1;
}

TkPlotKindManager& TkPlotMasterManager::KindManagerNamed(std::string_view Name) const
{
    TkPlotKindManager* m = KindManager(Name);
    if (!m)
        throw Exception("The plot knows no kind named " + std::string(Name));
    return *m;
}

int TkPlotMasterManager::AddNamed(std::string_view Name)
{
    return Add(KindManagerNamed(Name).Kind());
}

void TkPlotMasterManager::SetChannelClass(TkPlotObjectClass Value)
{
    if (TkPlotKindManager* channels = KindManager("Channel"))
        channels->SetObjectClass(std::move(Value));
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
    if (TkPlotKindManager* toolbars = KindManager("ToolBar"))
        for (int i = 0; i < toolbars->GetCount(); ++i)
            toolbars->GetObject(i)->SetVisible(Value);
}

template <class F> void TkPlotMasterManager::ForEachAxisData(F Call) const
{
    ForEachObjectByKind([&](const TkPlotKind&, TkPlotObject& Object) {
        if (auto* data = dynamic_cast<TkPlotAxisData*>(&Object))
            Call(*data);
    });
}

void TkPlotMasterManager::AxisDataExtent(const TkPlotObject& Axis, bool Running, double& Minimum, double& Maximum) const
{
    ForEachAxisData([&](TkPlotAxisData& Data) { Data.NarrowToAxisExtent(Axis, Running, Minimum, Maximum); });
}

void TkPlotMasterManager::ClearAllData()
{
    ForEachAxisData([](TkPlotAxisData& Data) { Data.ClearData(); });
    // The next value each axis tracks counts as its first again.
    for (const TkPlotKind* kind : {&TkPlotObjectKind::XAxis, &TkPlotObjectKind::YAxis})
        if (TkPlotKindManager* axes = KindManager(*kind))
            for (int i = 0; i < axes->GetCount(); ++i)
                static_cast<TkPlotAxis*>(axes->GetObject(i))->ResetTracking();
}

void TkPlotMasterManager::ClearFocus()
{
    FObjectManager->ClearFocus();
}
