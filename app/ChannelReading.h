#pragma once
// What a channel makes of one decoded register value with its settings:
// the engineering value a chart point takes and the text the panel and the
// CSV record show for it.
#include <string>

struct TChannelReading {
    double Value;      // the no-value marker when there is none
    std::string Text;  // "-------" for none
};
