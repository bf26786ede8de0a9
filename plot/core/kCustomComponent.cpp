#include "plot/core/kCustomComponent.h"

#include "rtl/PublishedProperties.h"

namespace {

// Publishes nothing new; registered so that it reports its own class name.
const bool Registered = [] {
    RegisterPublishedClass<TkCustomComponent, TkWinComponent>("TkCustomComponent", {});
    return true;
}();

}  // namespace

TkCustomComponent::TkCustomComponent(TComponent* AOwner) : TkWinComponent(AOwner)
{
    (void)Registered;
}
