#include "plot/core/kPlotLogFile.h"

#include <filesystem>

#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"

void TkPlotLogFile::Open(const std::string& FileName, const std::string& Header, bool Append)
{
    FFileName = FileName;
    FHeader = Header;
    FCutPending = false;
    FKeptBackTold = false;
    FFailure.clear();
    if (Append && FileExists(FileName)) {
        std::error_code error;
        FSize = std::filesystem::file_size(FileName, error);
        if (error)
            throw EInOutError("Cannot open file \"" + FileName + "\". " + error.message());
    } else {
        WriteFileAtomic(FileName, Header);
        FSize = Header.size();
    }
}

bool TkPlotLogFile::Missing() const
{
    return !FileExists(FFileName);
}

bool TkPlotLogFile::Append(const std::string& Rows)
{
    const bool restarts = Missing();
    if (restarts) {
        // Begun anew: nothing of it to cut, and its header goes first.
        FSize = 0;
        FCutPending = false;
    } else if (FCutPending) {
        if (const std::error_code error = TruncateFile(FFileName, FSize))
            return Failed(error);
        FCutPending = false;
    }
    const std::string bytes = FSize == 0 ? FHeader + Rows : Rows;
    if (const std::error_code error = AppendToFile(FFileName, bytes)) {
        // Cut off at once what reached the disk, so that the file ends in a
        // whole row even if no further write comes.
        FCutPending = !Missing() && TruncateFile(FFileName, FSize);
        return Failed(error);
    }
    FSize += bytes.size();
    FFailure.clear();
    if (restarts)
        Tell("Log file \"" + FFileName + "\" was missing and has been started again.");
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
