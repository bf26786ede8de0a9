#pragma once
// Lists of strings with associated objects: the abstract TStrings (also the
// base of controls' item lists) and the stand-alone TStringList.
#include "rtl/Component.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TStrings : public TPersistent {
public:
    TStrings() = default;

    virtual int Count() const = 0;
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int Index) const { return Get(Index); }
    std::string Strings(int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }

    // Return the index of the new (or, on a sorted list that ignores
    // duplicates, the existing) string.
    int Add(const std::string& S) { return AddObject(S, nullptr); }
    virtual int AddObject(const std::string& S, TObject* AObject);
    virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
    void AddStrings(const TStrings& Strings);
    void Move(int CurIndex, int NewIndex);
    virtual void Exchange(int Index1, int Index2);
    // Case-insensitive search; -1 when absent.
    virtual int IndexOf(std::string_view S) const;
    int IndexOfName(std::string_view Name) const;
    int IndexOfObject(const TObject* AObject) const;

    // "Name=Value" entries. Values(Name) is empty for an absent name;
    // SetValue with an empty value deletes the entry.
    std::string Names(int Index) const;
    std::string Values(std::string_view Name) const;
    void SetValue(std::string_view Name, const std::string& Value);
    std::string ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const std::string& Value);

    // Lines joined with CRLF (each followed by one); setting splits on
    // CRLF, LF or CR.
    std::string Text() const;
    void SetText(std::string_view Value);
    // Items separated by Delimiter; items holding blanks, the quote
    // character or the delimiter are quoted, inner quotes doubled.
    char Delimiter = ',';
    char QuoteChar = '"';
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view Value);
    // Like DelimitedText with ',' and '"'.
    std::string CommaText() const;
    void SetCommaText(std::string_view Value);

    // GBK on disk; LF or CRLF accepted on load, CRLF written. Raise
    // EInOutError naming the file on failure. Save is atomic.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

    // Suppresses change notification until the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* Source) override;
    bool Equals(const TStrings& Strings) const;

protected:
    // Called around a batch of changes; the list classes fire their events.
    virtual void SetUpdateState(bool Updating);

private:
    int FUpdateCount = 0;
};

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
