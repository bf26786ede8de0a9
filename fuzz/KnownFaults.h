#pragma once
// Faults the fuzzers found in code that is being reworked elsewhere. The
// targets step around exactly these inputs until they are mended, so every
// run keeps checking everything else; remove an entry with its fix.
#include <cmath>
#include <string_view>

// FloatToStr writes the doubles above 1.79769313486231E308 in magnitude as
// "1.79769313486232E308", which overflows when it is read back, so a value
// written to a file comes back as a default or a conversion error.
inline bool WrittenAsOverflow(double X)
{
    return std::fabs(X) > 1.79769313486231e308;
}

// Format pads to any width and precision a directive asks for, from the
// format or from a '*' argument, so "%2000000000d" tries to build a string
// of two thousand million blanks and exhausts memory.
inline bool AsksForHugeWidth(std::string_view Format)
{
    size_t digits = 0;
    for (char c : Format) {
        if (c == '*')
            return true;
        digits = (c >= '0' && c <= '9') ? digits + 1 : 0;
        if (digits >= 5)
            return true;
    }
    return false;
}
