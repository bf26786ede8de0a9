#include "serial/ComSettingsText.h"

#include <iterator>

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"

namespace {

const char* const BaudTexts[] = {"Custom", "110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",
                                 "14400",  "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
const char* const StopTexts[] = {"1", "1.5", "2"};
const char* const DataTexts[] = {"5", "6", "7", "8"};
const char* const ParityTexts[] = {"None", "Odd", "Even", "Mark", "Space"};
const char* const FlowTexts[] = {"Hardware", "Software", "None", "Custom"};
const char* const DTRTexts[] = {"Disable", "Enable", "Handshake"};
const char* const RTSTexts[] = {"Disable", "Enable", "Handshake", "Toggle"};

template <class E, size_t N> E FromText(const char* const (&Texts)[N], const std::string& Text, E Default)
{
    std::string upper = UpperCase(Text);
    for (size_t i = 0; i < N; ++i)
        if (UpperCase(Texts[i]) == upper)
            return static_cast<E>(i);
    return Default;
}

template <size_t N> std::string ToText(const char* const (&Texts)[N], int Value)
{
    return Value >= 0 && Value < static_cast<int>(N) ? Texts[Value] : "";
}

}  // namespace

std::string BaudRateToStr(TBaudRate Value)
{
    return ToText(BaudTexts, Value);
}
TBaudRate StrToBaudRate(const std::string& Text)
{
    return FromText(BaudTexts, Text, br9600);
}
std::string StopBitsToStr(TStopBits Value)
{
    return ToText(StopTexts, Value);
}
TStopBits StrToStopBits(const std::string& Text)
{
    return FromText(StopTexts, Text, sbOneStopBit);
}
std::string DataBitsToStr(TDataBits Value)
{
    return ToText(DataTexts, Value);
}
TDataBits StrToDataBits(const std::string& Text)
{
    return FromText(DataTexts, Text, dbEight);
}
std::string ParityToStr(TParityBits Value)
{
    return ToText(ParityTexts, Value);
}
TParityBits StrToParity(const std::string& Text)
{
    return FromText(ParityTexts, Text, prNone);
}
std::string FlowControlToStr(TFlowControl Value)
{
    return ToText(FlowTexts, Value);
}
TFlowControl StrToFlowControl(const std::string& Text)
{
    return FromText(FlowTexts, Text, fcCustom);
}
std::string DTRToStr(TDTRFlowControl Value)
{
    return ToText(DTRTexts, Value);
}
TDTRFlowControl StrToDTR(const std::string& Text)
{
    return FromText(DTRTexts, Text, dtrDisable);
}
std::string RTSToStr(TRTSFlowControl Value)
{
    return ToText(RTSTexts, Value);
}
TRTSFlowControl StrToRTS(const std::string& Text)
{
    return FromText(RTSTexts, Text, rtsDisable);
}

std::string ComBoolToStr(bool Value)
{
    return Value ? "Yes" : "No";
}
bool StrToComBool(const std::string& Text)
{
    return UpperCase(Text) == "YES";
}

std::string ComCharToStr(char Value)
{
    auto code = static_cast<unsigned char>(Value);
    // A byte above 127 is no character on its own: settings files hold
    // text, where it would come back as "?".
    if (code < 33 || code > 127)
        return "#" + std::to_string(code);
    return std::string(1, Value);
}

char StrToComChar(const std::string& Text)
{
    if (Text.empty())
        return 0;
    if (Text.size() > 1 && Text[0] == '#') {
        std::string digits = Text.substr(1);
        int code = 0;
        for (char c : digits) {
            if (c < '0' || c > '9' || (code = code * 10 + (c - '0')) > 255)
                throw EConvertError("'" + digits + "' is not a valid character code");
        }
        return static_cast<char>(code);
    }
    return Text[0];
}
