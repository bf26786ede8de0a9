#pragma once
// Tells when watched components are freed, while they are being freed.
#include "rtl/Component.h"

#include <functional>
#include <utility>

class TFreeWatch : public TComponent {
public:
    explicit TFreeWatch(std::function<void(TComponent*)> OnFree) : TComponent(nullptr), FOnFree(std::move(OnFree)) {}

    void Watch(TComponent* Component) { Component->FreeNotification(this); }

protected:
    void Notification(TComponent* Component, TOperation Operation) override
    {
        TComponent::Notification(Component, Operation);
        if (Operation == TOperation::opRemove)
            FOnFree(Component);
    }

private:
    std::function<void(TComponent*)> FOnFree;
};
