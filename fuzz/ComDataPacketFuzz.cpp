// The packet framer must not depend on how the bytes were split into
// receive batches, and must account for every byte it was given.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "serial/ComDataPacket.h"

namespace {

class TFramer : public TComDataPacket {
public:
    TFramer()
    {
        OnPacket = [this](TObject*, const std::string& S) { Events.push_back("P" + S); };
        OnDiscard = [this](TObject*, const std::string& S) {
            // Back-to-back discards are one stretch of thrown-away bytes.
            if (!Events.empty() && Events.back()[0] == 'D')
                Events.back() += S;
            else
                Events.push_back("D" + S);
        };
    }
    void Receive(const std::string& Bytes) { RxBuf(Bytes.data(), static_cast<int>(Bytes.size())); }
    std::vector<std::string> Events;
};

struct TSetup {
    std::string Start;
    std::string Stop;
    int Size = 0;
    bool CaseInsensitive = false;
    bool IncludeStrings = false;
    int MaxBufferSize = 0;

    void Apply(TFramer& F) const
    {
        F.SetMaxBufferSize(MaxBufferSize);
        F.SetStartString(Start);
        F.SetStopString(Stop);
        F.SetSize(Size);
        F.SetCaseInsensitive(CaseInsensitive);
        F.SetIncludeStrings(IncludeStrings);
    }
};

std::vector<std::string> Split(const std::string& Data, std::vector<size_t> Cuts)
{
    std::vector<std::string> chunks;
    size_t from = 0;
    for (size_t cut : Cuts) {
        cut = Data.empty() ? 0 : cut % (Data.size() + 1);
        if (cut <= from)
            continue;
        chunks.push_back(Data.substr(from, cut - from));
        from = cut;
    }
    chunks.push_back(Data.substr(from));
    return chunks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    FuzzedDataProvider in(Data, Size);
    TSetup setup;
    // Either a size or a stop string ends a packet: with both, a stop string
    // that arrives before the size is reached ends it early, by design.
    const bool bySize = in.ConsumeBool();
    setup.Start = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(0, 3));
    if (bySize)
        setup.Size = in.ConsumeIntegralInRange<int>(1, 40);
    else
        setup.Stop = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(1, 3));
    if (setup.Stop.empty() && setup.Size == 0)
        setup.Size = 1;
    setup.CaseInsensitive = in.ConsumeBool();
    setup.IncludeStrings = in.ConsumeBool();
    const int maxBuffer = in.ConsumeIntegralInRange<int>(setup.Size, 80);
    std::vector<size_t> cuts(in.ConsumeIntegralInRange<size_t>(0, 12));
    for (auto& cut : cuts)
        cut = in.ConsumeIntegral<uint16_t>();
    const std::string data = in.ConsumeRemainingBytesAsString();
    const std::vector<std::string> chunks = Split(data, cuts);

    // Without a buffer limit, chunked and whole delivery give the same
    // packets, the same discarded bytes and the same bytes left over.
    {
        TFramer whole, chunked;
        setup.Apply(whole);
        setup.Apply(chunked);
        whole.Receive(data);
        for (const auto& chunk : chunks)
            chunked.Receive(chunk);
        FUZZ_CHECK(whole.Events == chunked.Events);
        FUZZ_CHECK(whole.Buffer() == chunked.Buffer());
    }

    // With a buffer limit and the strings kept, every byte received comes
    // out again, in order, as a packet, a discard or what is still buffered,
    // and the buffer never stays at or above its limit.
    {
        TSetup limited = setup;
        limited.IncludeStrings = true;
        limited.MaxBufferSize = maxBuffer;
        TFramer framer;
        limited.Apply(framer);
        for (const auto& chunk : chunks) {
            framer.Receive(chunk);
            FUZZ_CHECK(maxBuffer == 0 || static_cast<int>(framer.Buffer().size()) < maxBuffer);
        }
        std::string out;
        for (const auto& e : framer.Events)
            out += e.substr(1);
        FUZZ_CHECK(out + framer.Buffer() == data);
    }
    return 0;
}
