#pragma once
// Day numbers worked out with the standard calendar, to check the plot's
// date arithmetic against something it does not share.
#include <chrono>

inline double DayNumber(int Year, unsigned Month, unsigned Day)
{
    using namespace std::chrono;
    const sys_days date{year{Year} / month{Month} / day{Day}};
    const sys_days epoch{year{1899} / December / day{30}};
    return double((date - epoch).count());
}
