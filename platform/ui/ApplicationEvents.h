#pragma once
#include "rtl/Component.h"
#include "ui/Application.h"

// Application-level hooks a form can place: sees every posted message
// before it is dispatched, also inside modal loops and message boxes.
class TApplicationEvents : public TComponent, public TApplicationHooks {
public:
    explicit TApplicationEvents(TComponent* AOwner);
    ~TApplicationEvents() override;
};
