#pragma once
// Lists of strings with associated objects: the abstract base of the
// stand-alone string list and of controls' item lists.
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
