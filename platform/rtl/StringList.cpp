#include "rtl/StringList.h"

#include <algorithm>

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TStringList::CheckUnsorted() const
{
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const
{
    return FCaseSensitive ? CompareStr(S1, S2) : CompareText(S1, S2);
}

std::string TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FItems[Index].S;
}

void TStringList::Put(int Index, const std::string& S)
{
    CheckUnsorted();
    CheckIndex(Index);
    Changing();
    FItems[Index].S = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FItems[Index].Obj;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    FItems[Index].Obj = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject)
{
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{S, AObject});
    Changed();
}

int TStringList::AddObject(const std::string& S, TObject* AObject)
{
    int Index = Count();
    if (FSorted && Find(S, Index)) {
        if (Duplicates == TDuplicates::dupIgnore)
            return Index;
        if (Duplicates == TDuplicates::dupError)
            throw EListError("String list does not allow duplicates");
    }
    InsertItem(Index, S, AObject);
    return Index;
}

void TStringList::Insert(int Index, const std::string& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    CheckUnsorted();
    if (Index < 0 || Index > Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    InsertItem(Index, S, AObject);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FItems[Index1], FItems[Index2]);
    Changed();
}

int TStringList::IndexOf(std::string_view S) const
{
    if (FSorted) {
        int Index;
        return Find(S, Index) ? Index : -1;
    }
    for (int I = 0; I < Count(); ++I)
        if (CompareStrings(FItems[I].S, S) == 0)
            return I;
    return -1;
}

bool TStringList::Find(std::string_view S, int& Index) const
{
    bool Found = false;
    int L = 0, H = Count() - 1;
    while (L <= H) {
        const int I = (L + H) / 2;
        const int C = CompareStrings(FItems[I].S, S);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                if (Duplicates != TDuplicates::dupAccept)
                    L = I;
            }
        }
    }
    Index = L;
    return Found;
}

void TStringList::SortItems(const TStringListSortCompare& Compare)
{
    // Merge sort over positions of the unchanged list, so that Compare sees
    // the indexes it expects and a careless comparison cannot run off the end.
    const int N = Count();
    std::vector<int> Order(N), Buffer(N);
    for (int I = 0; I < N; ++I)
        Order[I] = I;
    for (int Width = 1; Width < N; Width *= 2) {
        for (int Lo = 0; Lo < N; Lo += 2 * Width) {
            const int Mid = std::min(Lo + Width, N), Hi = std::min(Lo + 2 * Width, N);
            int A = Lo, B = Mid, Out = Lo;
            while (A < Mid && B < Hi)
                Buffer[Out++] = Compare(this, Order[B], Order[A]) < 0 ? Order[B++] : Order[A++];
            while (A < Mid)
                Buffer[Out++] = Order[A++];
            while (B < Hi)
                Buffer[Out++] = Order[B++];
        }
        Order.swap(Buffer);
    }
    std::vector<TItem> Sorted;
    Sorted.reserve(N);
    for (int I : Order)
        Sorted.push_back(std::move(FItems[I]));
    Changing();
    FItems.swap(Sorted);
    Changed();
}

void TStringList::Sort()
{
    CustomSort(
        [](TStringList* List, int A, int B) { return List->CompareStrings(List->FItems[A].S, List->FItems[B].S); });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (!FSorted && Count() > 1)
        SortItems(Compare);
}

void TStringList::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive)
        return;
    FCaseSensitive = Value;
    if (FSorted && Count() > 1)
        SortItems(
            [](TStringList* List, int A, int B) { return List->CompareStrings(List->FItems[A].S, List->FItems[B].S); });
}
