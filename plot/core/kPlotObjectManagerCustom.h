#pragma once
// The base of the plot's object lists: the objects in order, their names,
// and their stream. Every manager is one; the master manager files them.
#include <cstdint>
#include <string>
#include <vector>

#include "plot/core/kPlotObject.h"

class TReader;
class TWriter;

class TkPlotObjectManagerCustom : public TObject {
public:
    // Raises when the owner or a callback is missing. The creator then
    // calls DoInsert, which files the manager with the master manager.
    TkPlotObjectManagerCustom(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // Frees a manager in two phases: Clear and OnRemove while it is whole,
    // then delete. The only way to free one: the destructors of the
    // managers are protected.
    static void Free(TkPlotObjectManagerCustom* Manager);
    void DoInsert();

    virtual TkPlotObject* CreateObject() = 0;
    virtual std::string GetDefaultName() const = 0;
    virtual void ObjectRemoved(TkPlotObject*) {}
    virtual void RemoveObject(TkPlotObject* Object);
    virtual void AddObject(TkPlotObject* Object) = 0;
    void NotifyObjectRenamed(TkPlotObject* Object);
    void NotifyObjectFocused(TkPlotObject* Object);
    virtual void Clear() {}
    // Takes entry Index out of the list only, without notices.
    void Delete(int Index);

    int GetCount() const { return static_cast<int>(FItems.size()); }
    TkPlotObject* GetObject(int Index) const;
    bool HasObjects() const { return !FItems.empty(); }
    int IndexOf(const TkPlotObject* Object) const;
    int IndexOfName(const std::string& Name) const;
    TkPlotObject* FindByName(const std::string& Name) const;
    // Changes whenever an object comes, goes or is renamed, and differs
    // between managers, so that an answer of FindByName can be kept until
    // it does.
    std::uint64_t GetNamesVersion() const { return FNamesVersion; }
    void AddUnique(TkPlotObject* Object);
    // Stem, a blank, and one more than the highest number used after it.
    std::string MakeDefaultName() const;

    TkPlotObjectOwner* GetOwner() const { return FOwner; }
    const TkPlotObjectCallbacks& GetCallbacks() const { return FCallbacks; }

    // The objects as a collection of the component stream, each with its
    // published properties (and its class, where StreamedClassName names
    // one). Reading clears the manager first, then makes and registers one
    // object per item; read objects keep their stored names. An object
    // whose properties fail to read is freed again.
    void WriteObjects(TWriter& Writer) const;
    void ReadObjects(TReader& Reader);
    // The name of Object's class in the stream; empty: none is written.
    virtual std::string StreamedClassName(const TkPlotObject*) const { return {}; }
    // An object of the class a stream names, or of the manager's own class
    // for an empty name; raises EReadError for a class it does not make.
    virtual TkPlotObject* CreateStreamedObject(const std::string& ClassName);

protected:
    ~TkPlotObjectManagerCustom() override = default;

    const std::vector<TkPlotObject*>& Items() const { return FItems; }
    // Adds an object of the manager's kind and names it when unnamed;
    // answers whether it was taken.
    bool AddAndName(TkPlotObject* Object, const TkPlotKind& Kind);

private:
    void NamesChanged();

    std::vector<TkPlotObject*> FItems;
    std::uint64_t FNamesVersion = 0;
    TkPlotObjectOwner* FOwner;
    TkPlotObjectCallbacks FCallbacks;
};
