#pragma once
#include "rtl/Exception.h"

// Failure of the PNG codec (bad argument, encoder or file error).
class EPNGError : public Exception {
public:
    using Exception::Exception;
};
