// String-list texts: a list written as comma, delimited or line text reads
// back as the same items, and any text read once reads the same the second
// time round.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "rtl/StringList.h"

namespace {

std::vector<std::string> Items(const TStrings& L)
{
    std::vector<std::string> items;
    for (int i = 0; i < L.Count(); ++i)
        items.push_back(L[i]);
    return items;
}

// Delimiters and quotes that can frame an item: printable, not a blank.
char PickFramingChar(FuzzedDataProvider& In)
{
    return static_cast<char>(In.ConsumeIntegralInRange<int>('!', '~'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    FuzzedDataProvider in(Data, Size);
    const char delimiter = PickFramingChar(in);
    char quote = PickFramingChar(in);
    if (quote == delimiter)
        quote = delimiter == '"' ? '\'' : '"';
    std::vector<std::string> items(in.ConsumeIntegralInRange<size_t>(0, 8));
    for (auto& item : items) {
        item = in.ConsumeRandomLengthString(24);
        // The text ends at a NUL, so items never hold one.
        std::erase(item, '\0');
    }
    const std::string text = in.ConsumeRemainingBytesAsString();

    TStringList list;
    for (const auto& item : items)
        list.Add(item);

    TStringList back;
    back.SetCommaText(list.CommaText());
    FUZZ_CHECK(Items(back) == items);

    list.Delimiter = back.Delimiter = delimiter;
    list.QuoteChar = back.QuoteChar = quote;
    back.SetDelimitedText(list.DelimitedText());
    FUZZ_CHECK(Items(back) == items);

    TStringList read, again;
    read.SetCommaText(text);
    again.SetCommaText(read.CommaText());
    FUZZ_CHECK(Items(again) == Items(read));

    read.Delimiter = again.Delimiter = delimiter;
    read.QuoteChar = again.QuoteChar = quote;
    read.SetDelimitedText(text);
    again.SetDelimitedText(read.DelimitedText());
    FUZZ_CHECK(Items(again) == Items(read));

    // Line text: items without line breaks come back as they were.
    std::vector<std::string> lines;
    for (auto item : items) {
        std::erase(item, '\r');
        std::erase(item, '\n');
        lines.push_back(item);
    }
    TStringList lineList;
    for (const auto& line : lines)
        lineList.Add(line);
    back.SetText(lineList.Text());
    FUZZ_CHECK(Items(back) == lines);
    read.SetText(text);
    again.SetText(read.Text());
    FUZZ_CHECK(Items(again) == Items(read));
    return 0;
}
