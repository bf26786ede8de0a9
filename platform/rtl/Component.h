#pragma once
// Components: ownership, names, free notification and the component state.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rtl/Persistent.h"

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csUpdating = 1u << 5,
};
using TComponentState = unsigned;

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    // Frees every owned component, newest first, after telling them and
    // everyone registered for free notification.
    ~TComponent() override;

    TComponent* GetOwner() const { return FOwner; }
    const std::string& GetName() const { return FName; }
    virtual void SetName(const std::string& Value);
    std::intptr_t Tag = 0;

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    TComponent* FindComponent(const std::string& Name) const;

    TComponentState ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDestroying() const { return FComponentState & csDestroying; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    // AComponent's Notification(this, opRemove) is called when this one is
    // freed, even when it is not the owner.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Brackets a load of stored settings: Loaded runs when it ends.
    void BeginLoading();
    void EndLoading();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    // Sets csDestroying; derived destructors may call it early so that
    // notifications sent while they tear down see the state.
    void Destroying();

private:
    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState = 0;
};
