#include "plot/core/kPlotTranslation.h"

#include <algorithm>

#include "rtl/Exception.h"
#include "rtl/PublishedList.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotTranslationObject>("TkPlotTranslationObject");
    return true;
}();

}  // namespace

TkPlotTranslationObject::TkPlotTranslationObject(TkPlotObjectCallback OnInsert, TkPlotObjectCallback OnRemove)
    : FOnInsert(std::move(OnInsert)),
      FOnRemove(std::move(OnRemove))
{
    if (FOnInsert)
        FOnInsert(this);
}

TkPlotTranslationObject::~TkPlotTranslationObject()
{
    if (FOnRemove)
        FOnRemove(this);
}

TkPlotTranslationManager::TkPlotTranslationManager(TkPlotObjectCallback OnInsert, TkPlotObjectCallback OnRemove)
    : FOnInsert(std::move(OnInsert)),
      FOnRemove(std::move(OnRemove))
{
    (void)Registered;
    if (!FOnInsert)
        throw Exception("OnInsert event handler can not be null");
    if (!FOnRemove)
        throw Exception("OnRemove event handler can not be null");
    FOnInsert(this);
}

TkPlotTranslationManager::~TkPlotTranslationManager()
{
    Clear();
    FOnRemove(this);
}

TkPlotTranslationObject* TkPlotTranslationManager::Add()
{
    return new TkPlotTranslationObject(FOnInsert, FOnRemove);
}

void TkPlotTranslationManager::AddObject(TObject* Item)
{
    auto* pair = dynamic_cast<TkPlotTranslationObject*>(Item);
    if (!pair || std::find(FItems.begin(), FItems.end(), pair) != FItems.end())
        return;
    const std::size_t at = FItems.empty() ? 0 : (FItems.size() - 1) / 2;
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), pair);
}

void TkPlotTranslationManager::RemoveItem(TObject* Item)
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end())
        FItems.erase(it);
}

void TkPlotTranslationManager::Delete(int Index)
{
    TkPlotTranslationObject* pair = GetItem(Index);
    // The destructor takes the entry out through OnRemove as well; taking it
    // out first means a handler that does not can leave no dangling entry
    // (and Clear cannot loop for ever).
    FItems.erase(FItems.begin() + Index);
    delete pair;
}

void TkPlotTranslationManager::WriteItems(TWriter& Writer) const
{
    Writer.WriteCollection(GetCount(), [this](int Index) { return GetItem(Index); });
}

void TkPlotTranslationManager::ReadItems(TReader& Reader)
{
    Clear();
    std::vector<TkPlotTranslationObject*> read;
    try {
        Reader.ReadCollection([&]() -> TPersistent* {
            read.push_back(Add());
            return read.back();
        });
    } catch (...) {
        Clear();
        throw;
    }
    // New pairs enter the list in the middle; the stream's order wins.
    if (read.size() == FItems.size())
        FItems = read;
}

void TkPlotTranslationManager::Clear()
{
    while (!FItems.empty())
        Delete(0);
}

TkPlotTranslationObject* TkPlotTranslationManager::GetItem(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<std::size_t>(Index)];
}

std::string TkPlotTranslationManager::Translate(const std::string& Text) const
{
    for (const TkPlotTranslationObject* pair : FItems)
        if (pair->GetOriginalString() == Text)
            return pair->GetReplacementString();
    return Text;
}
