#pragma once
// Text forms of the line settings, as shown in lists and stored in
// settings files. Reading compares upper-cased text with each entry in
// order; text that matches nothing reads as the setting's default.
#include <string>

#include "serial/ComTypes.h"

std::string BaudRateToStr(TBaudRate Value);
TBaudRate StrToBaudRate(const std::string& Text);
std::string StopBitsToStr(TStopBits Value);
TStopBits StrToStopBits(const std::string& Text);
std::string DataBitsToStr(TDataBits Value);
TDataBits StrToDataBits(const std::string& Text);
std::string ParityToStr(TParityBits Value);
TParityBits StrToParity(const std::string& Text);
std::string FlowControlToStr(TFlowControl Value);
TFlowControl StrToFlowControl(const std::string& Text);
std::string DTRToStr(TDTRFlowControl Value);
TDTRFlowControl StrToDTR(const std::string& Text);
std::string RTSToStr(TRTSFlowControl Value);
TRTSFlowControl StrToRTS(const std::string& Text);
// "Yes" / "No"; only "YES" in any case reads as true.
std::string ComBoolToStr(bool Value);
bool StrToComBool(const std::string& Text);
// A character below 33 or above 127 as "#" and its decimal code, any other
// as itself.
std::string ComCharToStr(char Value);
// "#" and digits give that code (EConvertError when not a number), other
// text its first character, empty text #0.
char StrToComChar(const std::string& Text);
