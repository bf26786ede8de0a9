#pragma once
// What a form needs of the controls that answer Return and Escape pressed
// anywhere in it (its default and cancel buttons), so that forms need not
// know the button classes.
#include <cstdint>

class TDialogKeyTarget {
public:
    // Whether Key (VK_RETURN or VK_ESCAPE) pressed in the form clicks this
    // control now.
    virtual bool TakesDialogKey(std::uint16_t Key) const = 0;
    virtual void Click() = 0;

protected:
    ~TDialogKeyTarget() = default;
};
