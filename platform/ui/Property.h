#pragma once
// A member that reads and writes like a field but goes through its owner's
// getter and setter, so that `Canvas->Pen->Color = clRed` runs the setter.
//   TProperty<TPen, TColor, &TPen::GetColor, &TPen::SetColor> Color{this};
#include <type_traits>

template <class Owner, class T, auto Getter, auto Setter> class TProperty {
public:
    explicit TProperty(Owner* AOwner) : FOwner(AOwner) {}
    TProperty(const TProperty&) = delete;

    operator T() const { return (FOwner->*Getter)(); }
    T operator()() const { return (FOwner->*Getter)(); }
    T operator->() const requires std::is_pointer_v<T> { return (FOwner->*Getter)(); }

    TProperty& operator=(const T& Value)
    {
        (FOwner->*Setter)(Value);
        return *this;
    }
    TProperty& operator=(const TProperty& Other) { return *this = Other(); }

private:
    Owner* FOwner;
};

// The same for a property that can only be read.
template <class Owner, class T, auto Getter> class TReadOnlyProperty {
public:
    explicit TReadOnlyProperty(const Owner* AOwner) : FOwner(AOwner) {}
    TReadOnlyProperty(const TReadOnlyProperty&) = delete;
    TReadOnlyProperty& operator=(const TReadOnlyProperty&) = delete;

    operator T() const { return (FOwner->*Getter)(); }
    T operator()() const { return (FOwner->*Getter)(); }
    T operator->() const requires std::is_pointer_v<T> { return (FOwner->*Getter)(); }

private:
    const Owner* FOwner;
};
