#pragma once
// Translation of the plot's fixed texts: pairs of source text and
// replacement, looked up in list order.
#include <functional>
#include <string>
#include <vector>

#include "rtl/Persistent.h"
#include "rtl/PublishedList.h"

// The master manager's insert and remove handlers; an empty one is unassigned.
using TkPlotObjectCallback = std::function<void(TObject* Item)>;

class TkPlotTranslationObject final : public TPersistent {
    PUBLISHED_CLASS(TkPlotTranslationObject);

public:
    // Files itself through OnInsert (the master manager adds it to the list).
    TkPlotTranslationObject(TkPlotObjectCallback OnInsert, TkPlotObjectCallback OnRemove);
    // Takes itself out through OnRemove.
    ~TkPlotTranslationObject() override;

    PUBLISHED(std::string, OriginalString, "Unknown", );
    PUBLISHED(std::string, ReplacementString, "Unknown", );

private:
    TkPlotObjectCallback FOnInsert;
    TkPlotObjectCallback FOnRemove;
};

class TReader;
class TWriter;

class TkPlotTranslationManager final : public TObject {
public:
    // Raises "OnInsert event handler can not be null" or "OnRemove event
    // handler can not be null"; then files itself through OnInsert.
    TkPlotTranslationManager(TkPlotObjectCallback OnInsert, TkPlotObjectCallback OnRemove);
    ~TkPlotTranslationManager() override;

    // A new pair with this manager's callbacks; it enters the list through
    // its own OnInsert.
    TkPlotTranslationObject* Add();
    // Used by the master manager: files a pair unless already present, at
    // index (Count - 1) div 2 of the list as it was.
    void AddObject(TObject* Item);
    // Used by the master manager: drops the entry of a pair.
    void RemoveItem(TObject* Item);
    // Frees the pair at Index; an index out of range raises EListError.
    void Delete(int Index);
    void Clear();

    int GetCount() const { return static_cast<int>(FItems.size()); }
    TkPlotTranslationObject* GetItem(int Index) const;
    bool HasItems() const { return !FItems.empty(); }

    // The pairs as a collection of the component stream. Reading replaces
    // every pair and keeps the order the pairs were written in, so the
    // first match of a loaded plot is the one it had when it was saved.
    void WriteItems(TWriter& Writer) const;
    void ReadItems(TReader& Reader);

    // The replacement of the first pair whose original equals Text exactly,
    // else Text.
    std::string Translate(const std::string& Text) const;

private:
    std::vector<TkPlotTranslationObject*> FItems;
    TkPlotObjectCallback FOnInsert;
    TkPlotObjectCallback FOnRemove;
};
