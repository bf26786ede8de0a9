#include "ui/ApplicationEvents.h"

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner)
{
    Application->Hook(this);
}

TApplicationEvents::~TApplicationEvents()
{
    TApplication::Unhook(this);
}
