// Any "config.ini": every option comes out in the range the program works
// with, loading the same file twice gives the same options, and values set
// come back after a restart.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzText.h"
#include "ScratchFile.h"
#include "app/General.h"
#include "app/SysOption.h"
#include "controls/VcRegIniFile.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"

namespace {

std::vector<TOptionValue> Load(const std::string& Path)
{
    TVcRegIniFile store;
    store.SetPath(Path);
    const TOptionList options(&store);
    std::vector<TOptionValue> values;
    for (const TOption* o : OptionList)
        values.push_back(o->Value());
    return values;
}

bool InRange(const TOption* O, int Low, int High)
{
    return O->AsInteger() >= Low && O->AsInteger() <= High;
}

void CheckUsable(const std::string& Path)
{
    TVcRegIniFile store;
    store.SetPath(Path);
    const TOptionList options(&store);
    FUZZ_CHECK(optBaudRate->AsInteger() >= 1);
    FUZZ_CHECK(InRange(optParity, 0, 2));
    FUZZ_CHECK(optPollDelay->AsInteger() >= 0);
    FUZZ_CHECK(InRange(optPollTimeout, 100, 2000));
    FUZZ_CHECK(optXSpan->AsFloat() > 0 && optXSpan->AsFloat() <= MaxXSpan);
    FUZZ_CHECK(InRange(optTimeBaseX, 0, 5));
    FUZZ_CHECK(optChannelRingBufferSize->AsInteger() >= 0);
    FUZZ_CHECK(InRange(optLogFilenameMode, 0, 1));
    FUZZ_CHECK(InRange(optStartMode, 0, 1));
    FUZZ_CHECK(InRange(optStopMode, 0, 2));
    FUZZ_CHECK(std::isfinite(optLogDuration->AsFloat()));
    FUZZ_CHECK(InRange(optTimeBaseLog, 0, 5));
    FUZZ_CHECK(InRange(optStartTriggerLogic, 0, 1));
    FUZZ_CHECK(InRange(optStopTriggerLogic, 0, 1));
    FUZZ_CHECK(optMaxRecordPerFile->AsInteger() >= 1);
    FUZZ_CHECK(std::isfinite(optLogInterval->AsFloat()));
    FUZZ_CHECK(InRange(optAxisFormat, 0, 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const TScratchFile file("config.ini");
    // Writes into the scratch directory never fail; a report would mean they did.
    SettingsWriteReporter().OnReport = [](const std::string&) { FUZZ_CHECK(!"a settings write failed"); };
    FuzzedDataProvider in(Data, Size);
    const std::string author = Trim(PickTokens(in, {"A", "b", " ", "9", "测", "试", "值"}, 8));
    const int parity = in.ConsumeIntegralInRange<int>(0, 2);
    const int pollTimeout = in.ConsumeIntegralInRange<int>(100, 2000);
    const double xSpan = in.ConsumeFloatingPointInRange<double>(1e-3, MaxXSpan);
    file.Write(in.ConsumeRemainingBytesAsString());

    CheckUsable(file.Path());
    const auto first = Load(file.Path());
    FUZZ_CHECK(Load(file.Path()) == first);

    {
        TVcRegIniFile store;
        store.SetPath(file.Path());
        const TOptionList options(&store);
        optAuthor->SetValue(author);
        optParity->SetValue(parity);
        optPollTimeout->SetValue(pollTimeout);
        optXSpan->SetValue(xSpan);
    }
    TVcRegIniFile store;
    store.SetPath(file.Path());
    const TOptionList options(&store);
    FUZZ_CHECK(optAuthor->AsString() == author);
    FUZZ_CHECK(optParity->AsInteger() == parity);
    FUZZ_CHECK(optPollTimeout->AsInteger() == pollTimeout);
    FUZZ_CHECK(FloatToStr(optXSpan->AsFloat()) == FloatToStr(xSpan));
    return 0;
}
