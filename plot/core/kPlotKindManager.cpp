#include "plot/core/kPlotKindManager.h"

#include <typeinfo>

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"

TkPlotKindManager::TkPlotKindManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                                     TkPlotMasterManager& Master, const TkPlotKind& Kind)
    : TkPlotObjectOwnedManager(AOwner, Callbacks),
      FMaster(Master),
      FKind(Kind),
      FObjectClass(Kind.NewObject ? TkPlotObjectClass(Kind.NewObject) : TkPlotObjectClass())
{
}

TkPlotObject* TkPlotKindManager::CreateObject()
{
    if (!FObjectClass)
        throw Exception(std::string("No class is registered for ") + FKind.DefaultName + " objects");
    return CreateObject(FObjectClass);
}

TkPlotObject* TkPlotKindManager::CreateObject(const TkPlotObjectClass& Class)
{
    TkPlotObject* object = Class(GetOwner(), GetCallbacks());
    try {
        // An object of another kind would be filed by no manager of the
        // plot and never freed.
        if (object->Kind() != FKind)
            throw Exception(std::string("The class makes no ") + FKind.DefaultName + " objects");
        if (FKind.Link)
            FKind.Link(*object, FMaster);
    } catch (...) {
        TkPlotObject::Free(object);
        throw;
    }
    return object;
}

void TkPlotKindManager::AddObject(TkPlotObject* Object)
{
    if (!AddAndName(Object, FKind) || !FKind.NamesObjects)
        return;
    if (Object->GetName().empty()) {
        Object->SetName(MakeDefaultName());
        if (FKind.FirstLinks)
            FKind.FirstLinks(*Object, FMaster);
        return;
    }
    // Look-ups go by name: a name another object of the kind already has
    // (ignoring case) is replaced by a fresh one.
    if (IndexOfName(Object->GetName()) != IndexOf(Object))
        Object->ReplaceNameUnannounced(MakeDefaultName());
}

std::string TkPlotKindManager::StreamedClassName(const TkPlotObject* Object) const
{
    for (const TkPlotNamedClass& c : FKind.Classes)
        if (typeid(*Object) == *c.Type)
            return c.Name;
    return {};
}

TkPlotObject* TkPlotKindManager::CreateStreamedObject(const std::string& ClassName)
{
    if (ClassName.empty())
        return CreateObject();
    for (const TkPlotNamedClass& c : FKind.Classes)
        if (SameText(ClassName, c.Name))
            return CreateObject(c.Make);
    throw EReadError(std::string("Invalid stream format: ") + FKind.DefaultName + " objects are of no class " +
                     ClassName);
}
