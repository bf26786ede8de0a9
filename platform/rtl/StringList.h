#pragma once
// The stand-alone list of strings with associated objects.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/Strings.h"

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Comparison for CustomSort: < 0, 0 or > 0 for the items at Index1 and Index2.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // On a sorted list Add places the string in order and follows
    // Duplicates; Insert and Put are refused (EListError "Operation not
    // allowed on sorted list"). Bad indexes raise EListError
    // "List index out of bounds (n)".
    int AddObject(const std::string& S, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(std::string_view S) const override;

    // Binary search on a sorted list (case rules of CaseSensitive). Returns
    // true when found; Index is the position found or where S would go.
    bool Find(std::string_view S, int& Index) const;
    // Both do nothing on a Sorted list (it is in order already). The sort
    // is stable and safe with any comparison.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);
    void Exchange(int Index1, int Index2) override;

    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // Applies to Add on a sorted list. dupError raises EListError
    // "String list does not allow duplicates".
    TDuplicates Duplicates = TDuplicates::dupIgnore;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    int CompareStrings(std::string_view S1, std::string_view S2) const;

private:
    struct TItem {
        std::string S;
        TObject* Obj = nullptr;
    };
    void Changing();
    void Changed();
    void CheckIndex(int Index) const;
    void CheckUnsorted() const;
    void InsertItem(int Index, const std::string& S, TObject* AObject);
    void SortItems(const TStringListSortCompare& Compare);

    std::vector<TItem> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
};
