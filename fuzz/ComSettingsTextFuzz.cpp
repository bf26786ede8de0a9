// Serial settings text: every setting's text reads back as that setting,
// any text reads as some valid setting that is stable under a second
// round, and character texts only ever fail with a conversion error.
#include <string>

#include "FuzzCheck.h"
#include "rtl/Exception.h"
#include "serial/ComSettingsText.h"

namespace {

template <class E>
void Check(const std::string& Text, int Count, std::string (*ToStr)(E), E (*FromStr)(const std::string&))
{
    for (int v = 0; v < Count; ++v)
        FUZZ_CHECK(FromStr(ToStr(static_cast<E>(v))) == static_cast<E>(v));
    const E read = FromStr(Text);
    FUZZ_CHECK(static_cast<int>(read) >= 0 && static_cast<int>(read) < Count);
    FUZZ_CHECK(FromStr(ToStr(read)) == read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    Check<TBaudRate>(text, 16, BaudRateToStr, StrToBaudRate);
    Check<TStopBits>(text, 3, StopBitsToStr, StrToStopBits);
    Check<TDataBits>(text, 4, DataBitsToStr, StrToDataBits);
    Check<TParityBits>(text, 5, ParityToStr, StrToParity);
    Check<TFlowControl>(text, 4, FlowControlToStr, StrToFlowControl);
    Check<TDTRFlowControl>(text, 3, DTRToStr, StrToDTR);
    Check<TRTSFlowControl>(text, 4, RTSToStr, StrToRTS);

    FUZZ_CHECK(StrToComBool(ComBoolToStr(StrToComBool(text))) == StrToComBool(text));
    for (int c = 0; c < 256; ++c)
        FUZZ_CHECK(StrToComChar(ComCharToStr(static_cast<char>(c))) == static_cast<char>(c));
    try {
        const char c = StrToComChar(text);
        FUZZ_CHECK(StrToComChar(ComCharToStr(c)) == c);
    } catch (const EConvertError&) {
        // Only a "#" followed by something that is no character code fails.
        FUZZ_CHECK(text.size() > 1 && text[0] == '#');
    }
    return 0;
}
