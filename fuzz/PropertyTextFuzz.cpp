// Property text: whatever a file sets, the object writes out lines that it
// reads back without error, and reading them changes nothing further: the
// file comes back line for line.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "ScratchFile.h"
#include "plot/core/kGPFunctions.h"
#include "rtl/Exception.h"
#include "rtl/Gbk.h"
#include "rtl/PublishedProperties.h"
#include "rtl/StringList.h"

namespace {

class TFuzzFont : public TPersistent {
public:
    int Size = 8;
    int Color = 0;
    int Style = 0;
};

class TFuzzObject : public TPersistent {
public:
    TFuzzFont Font;
    int Width = 1;
    int Kind = 0;
    bool Visible = true;
    char Marker = 'x';
    double Ratio = 0.5;
    std::string Title = "Plot";
};

const bool Registered = [] {
    using F = TFuzzFont;
    RegisterPublishedClass<F>(
        "TFuzzFont",
        TPropertyListBuilder<F>()
            .Integer(
                "Size", [](const F& f) { return f.Size; }, [](F& f, std::int64_t v) { f.Size = int(v); }, 8)
            .Color(
                "Color", [](const F& f) { return f.Color; }, [](F& f, std::int64_t v) { f.Color = int(v); })
            .Set(
                "Style", "TFontStyles", {"fsBold", "fsItalic", "fsUnderline"}, [](const F& f) { return f.Style; },
                [](F& f, std::int64_t v) { f.Style = int(v); }, 0)
            .Take());
    using T = TFuzzObject;
    RegisterPublishedClass<T>(
        "TFuzzObject",
        TPropertyListBuilder<T>()
            .Object("Font", "TFuzzFont", [](const T& o) { return const_cast<TFuzzFont*>(&o.Font); })
            .Integer(
                "Width", [](const T& o) { return o.Width; }, [](T& o, std::int64_t v) { o.Width = int(v); }, 1)
            .Enumeration(
                "Kind", "TKind", {"kA", "kB", "kC"}, [](const T& o) { return o.Kind; },
                [](T& o, std::int64_t v) { o.Kind = int(v); }, 0)
            .Boolean(
                "Visible", [](const T& o) { return o.Visible; }, [](T& o, std::int64_t v) { o.Visible = v != 0; }, true)
            .Char(
                "Marker", [](const T& o) { return static_cast<unsigned char>(o.Marker); },
                [](T& o, std::int64_t v) { o.Marker = static_cast<char>(v); }, 'x')
            .Float(
                "Ratio", [](const T& o) { return o.Ratio; }, [](T& o, double v) { o.Ratio = v; })
            .String(
                "Title", [](const T& o) { return o.Title; }, [](T& o, const std::string& v) { o.Title = v; })
            .Take());
    return true;
}();

// The lines as a file carries them: written in the file's code page, read back.
void ThroughFile(const TStringList& Lines, TStringList& Read)
{
    static const TScratchFile file("Plot.cfg");
    Lines.SaveToFile(file.Path());
    Read.LoadFromFile(file.Path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    (void)Registered;
    FuzzedDataProvider in(Data, Size);
    const bool differential = in.ConsumeBool();
    const std::string prefix = in.ConsumeBool() ? "Label0" : "";
    TStringList lines;
    lines.SetText(Gbk::FromGbk(in.ConsumeRemainingBytesAsString()));

    TFuzzObject first;
    try {
        ReadObjectProperties(&first, prefix, lines);
    } catch (const EConvertError&) {
        // A value that is no number stops the load; what was set stays.
    }

    TStringList written;
    WriteObjectProperties(&first, prefix, written, differential, nullptr);
    TStringList read;
    ThroughFile(written, read);
    TFuzzObject second;
    ReadObjectProperties(&second, prefix, read);
    FUZZ_CHECK(read.Count() == 0);

    TStringList rewritten;
    WriteObjectProperties(&second, prefix, rewritten, differential, nullptr);
    FUZZ_CHECK(rewritten.Equals(written));

    ThroughFile(rewritten, read);
    TFuzzObject third;
    ReadObjectProperties(&third, prefix, read);
    TStringList last;
    WriteObjectProperties(&third, prefix, last, differential, nullptr);
    FUZZ_CHECK(last.Equals(rewritten));
    return 0;
}
