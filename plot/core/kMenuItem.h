#pragma once
#include <string>

#include "ui/MenuItem.h"

// A menu item that stands for a plot object, by name.
class TkMenuItem : public TMenuItem {
public:
    using TMenuItem::TMenuItem;
    std::string ObjectName;
};
