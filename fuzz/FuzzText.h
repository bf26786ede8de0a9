#pragma once
// Text the fuzzer may choose where a target needs it to be of a kind.
#include <fuzzer/FuzzedDataProvider.h>

#include <initializer_list>
#include <string>
#include <string_view>

// Up to MaxLength characters taken from Alphabet, chosen by the fuzzer.
inline std::string PickText(FuzzedDataProvider& In, std::string_view Alphabet, size_t MaxLength)
{
    std::string s;
    const size_t length = In.ConsumeIntegralInRange<size_t>(0, MaxLength);
    for (size_t i = 0; i < length && In.remaining_bytes() > 0; ++i)
        s += Alphabet[In.ConsumeIntegralInRange<size_t>(0, Alphabet.size() - 1)];
    return s;
}

// Up to MaxCount tokens (whole characters or words) joined, chosen by the fuzzer.
inline std::string PickTokens(FuzzedDataProvider& In, std::initializer_list<std::string_view> Tokens, size_t MaxCount)
{
    std::string s;
    const size_t count = In.ConsumeIntegralInRange<size_t>(0, MaxCount);
    for (size_t i = 0; i < count && In.remaining_bytes() > 0; ++i)
        s += Tokens.begin()[In.ConsumeIntegralInRange<size_t>(0, Tokens.size() - 1)];
    return s;
}
