#pragma once
// What an OPC item asks of the list that holds it: whether it may connect,
// what kind its property is, and where a received value goes. The item
// manager answers; the item knows nothing else of it.
#include <string>

#include "rtl/PublishedProperties.h"

class TComponent;
class TkOPCItem;

class TkOPCItemHost {
public:
    virtual bool IsDesignMode() const = 0;
    virtual void ValueReceived(TkOPCItem* Item) const = 0;
    virtual TTypeKind PropertyKind(const std::string& PropertyName) const = 0;
    virtual TComponent* GetOwner() const = 0;
    // True while items are read from a stream: like a loading owner, it
    // keeps them from connecting before all their settings are in.
    virtual bool IsReading() const = 0;

protected:
    ~TkOPCItemHost() = default;
};
