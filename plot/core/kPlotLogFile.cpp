#include "plot/core/kPlotLogFile.h"

#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"

void TkPlotLogFile::Open(const std::string& FileName, const std::string& Header, bool Append)
{
    FFileName = FileName;
    FKeptBackTold = false;
    FFailure.clear();
    if (!Append || !FileExists(FileName))
        WriteFileAtomic(FileName, Header);
}

bool TkPlotLogFile::Append(const std::string& Rows)
{
    if (const std::error_code error = AppendToFile(FFileName, Rows))
        return Failed(error);
    FFailure.clear();
    return true;
}

bool TkPlotLogFile::Failed(const std::error_code& Error)
{
    FFailure = "Cannot write file \"" + FFileName + "\" (" + Error.message() + ")";
    return false;
}

void TkPlotLogFile::TellKeptBack()
{
    if (FFailure.empty() || FKeptBackTold)
        return;
    FKeptBackTold = true;
    Tell(FFailure +
         "\r\nLogging goes on: the rows not yet written are kept and are written as soon as the file "
         "takes them.");
}

void TkPlotLogFile::TellStopped(int Rows)
{
    if (FFailure.empty())
        return;
    if (Rows > 0)
        FFailure += "; rows not written: " + IntToStr(Rows);
    Tell(FFailure);
}

void TkPlotLogFile::Tell(const std::string& Text) const
{
    if (OnNotice)
        OnNotice(Text);
}
