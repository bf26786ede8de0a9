#include "ui/ItemStringsQt.h"

#include "ui/ControlQt.h"

std::string TItemStrings::Get(int Index) const
{
    Check(Index, Count());
    return StdStr(FAccess.Get(Index));
}

void TItemStrings::Put(int Index, const std::string& S)
{
    Check(Index, Count());
    FAccess.Put(Index, QStr(S));
}

TObject* TItemStrings::GetObject(int Index) const
{
    Check(Index, Count());
    return static_cast<TObject*>(FAccess.GetData(Index).value<void*>());
}

void TItemStrings::PutObject(int Index, TObject* AObject)
{
    Check(Index, Count());
    FAccess.PutData(Index, QVariant::fromValue<void*>(AObject));
}

void TItemStrings::Insert(int Index, const std::string& S)
{
    Check(Index, Count() + 1);
    FAccess.Insert(Index, QStr(S));
}

void TItemStrings::Delete(int Index)
{
    Check(Index, Count());
    FAccess.Delete(Index);
}
