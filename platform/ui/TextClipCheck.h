#pragma once
// Finds the texts a shown form does not show whole, for screenshot tests:
// a caption, item or edit text that does not fit the part of its control
// that shows it (or that its parents clip away), captions of sibling
// controls that overlap, and Chinese text without a font that has its
// characters. Text that our own code paints (custom controls) is not seen
// here: check those pictures by their pixels.
#include <string>
#include <vector>

class TControl;

class TTextClipCheck {
public:
    // One line per fault, naming the control and its text; empty when every
    // visible text under Root shows whole.
    static std::vector<std::string> Problems(TControl* Root);
};
