#pragma once
// The plot as its data file and its log see it: the channels in index
// order and the settings their files are written with. The plot component
// answers; the file and the log need nothing else of it.
#include <string>

#include "plot/core/kPlotDataFormat.h"

class TkPlotObject;

class TkPlotDataHost {
public:
    virtual int GetChannelCount() const = 0;
    virtual TkPlotObject* GetChannel(int Index) const = 0;
    virtual TkPlotDataFileFormat GetDataFileFormat() const = 0;
    virtual char GetDataFileSeparatorChar() const = 0;
    virtual const std::string& GetLogFileName() const = 0;
    // Rows the log holds before it writes them; below 1 writes each.
    virtual int LogBufferSize() const = 0;
    // The log met trouble the user is to hear of; it is adding points,
    // which must go on, so the plot tells them later.
    virtual void DoLogNotice(const std::string& Text) = 0;

protected:
    ~TkPlotDataHost() = default;
};
