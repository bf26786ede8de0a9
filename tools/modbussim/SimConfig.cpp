#include "tools/modbussim/SimConfig.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace modbussim {

namespace {

std::vector<std::string> Words(const std::string& Text)
{
    std::istringstream in(Text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

long long Number(const std::string& Text, long long Min, long long Max, int Base = 10)
{
    long long value = 0;
    const char* end = Text.data() + Text.size();
    auto [ptr, ec] = std::from_chars(Text.data(), end, value, Base);
    if (ec != std::errc() || ptr != end || value < Min || value > Max)
        throw std::invalid_argument("'" + Text + "' is not a number from " + std::to_string(Min) + " to " +
                                    std::to_string(Max));
    return value;
}

std::vector<std::string> Split(const std::string& Text, char Separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(Text);
    while (std::getline(in, part, Separator))
        parts.push_back(part);
    return parts;
}

std::vector<std::int32_t> Values(const std::string& Text)
{
    std::vector<std::int32_t> values;
    for (const auto& part : Split(Text, ','))
        values.push_back(static_cast<std::int32_t>(Number(part, INT32_MIN, INT32_MAX)));
    return values;
}

void Expect(const std::vector<std::string>& W, std::size_t Min, std::size_t Max)
{
    if (W.size() < Min || W.size() > Max)
        throw std::invalid_argument("wrong number of words");
}

int Id(const std::string& Text)
{
    return static_cast<int>(Number(Text, 1, 247));
}

void ApplyWords(const std::vector<std::string>& W, ModbusSlave& Slave, LineTiming& Timing)
{
    const std::string& verb = W[0];
    if (verb == "station") {
        Expect(W, 8, 10);
        if (W[2] != "rule" || W[4] != "start" || W[6] != "channels" || (W.size() > 8 && W[8] != "values"))
            throw std::invalid_argument("expected: station ID rule R start ADDRESS channels N [values V,...]");
        StationConfig config;
        config.Id = Id(W[1]);
        config.Rule = static_cast<int>(Number(W[3], 0, 2));
        config.StartAddress = static_cast<std::uint16_t>(Number(W[5], 0, 65535));
        config.ChannelCount = static_cast<int>(Number(W[7], 1, 125));
        if (W.size() == 10)
            config.Values = Values(W[9]);
        else if (W.size() == 9)
            throw std::invalid_argument("values missing");
        Slave.AddStation(config);
    } else if (verb == "value") {
        Expect(W, 4, 4);
        Slave.SetChannelValue(Id(W[1]), static_cast<int>(Number(W[2], 0, 124)),
                              static_cast<std::int32_t>(Number(W[3], INT32_MIN, INT32_MAX)));
    } else if (verb == "register") {
        Expect(W, 4, 4);
        Slave.SetRegister(Id(W[1]), static_cast<std::uint16_t>(Number(W[2], 0, 65535)),
                          static_cast<std::uint16_t>(Number(W[3], 0, 65535)));
    } else if (verb == "pacing") {
        Expect(W, 2, 3);
        Timing.Pacing = true;
        Timing.BaudRate = static_cast<int>(Number(W[1], 50, 4'000'000));
        Timing.BitsPerChar = W.size() == 3 ? static_cast<int>(Number(W[2], 10, 11)) : 10;
    } else if (verb == "ramp") {
        Expect(W, 6, 8);
        Ramp ramp;
        ramp.Levels = Values(W[3]);
        int step = static_cast<int>(Number(W[5], 1, 86'400'000));
        if (W[4] == "ms")
            ramp.StepMs = step;
        else if (W[4] == "polls")
            ramp.StepPolls = step;
        else
            throw std::invalid_argument("ramp step must be 'ms' or 'polls'");
        for (std::size_t i = 6; i < W.size(); ++i) {
            if (W[i] == "linear")
                ramp.Linear = true;
            else if (W[i] == "repeat")
                ramp.Repeat = true;
            else
                throw std::invalid_argument("unknown ramp option '" + W[i] + "'");
        }
        Slave.SetRamp(Id(W[1]), static_cast<int>(Number(W[2], 0, 124)), ramp);
    } else {
        static const char* const behaviours[] = {"silent", "badcrc", "exception", "delay", "fragments", "noise"};
        if (std::find(std::begin(behaviours), std::end(behaviours), verb) == std::end(behaviours))
            throw std::invalid_argument("unknown statement '" + verb + "'");
        Expect(W, 2, 4);
        int id = Id(W[1]);
        Behaviour b = Slave.BehaviourOf(id);
        if (verb == "silent") {
            Expect(W, 2, 2);
            b.Silent = true;
        } else if (verb == "badcrc") {
            Expect(W, 2, 2);
            b.BadCrc = true;
        } else if (verb == "exception") {
            Expect(W, 3, 3);
            b.ExceptionCode = static_cast<std::uint8_t>(Number(W[2], 1, 255));
        } else if (verb == "delay") {
            Expect(W, 3, 3);
            b.DelayMs = static_cast<int>(Number(W[2], 0, 600'000));
        } else if (verb == "fragments") {
            Expect(W, 4, 4);
            b.FragmentSize = static_cast<int>(Number(W[2], 1, 255));
            b.FragmentGapMs = static_cast<int>(Number(W[3], 0, 60'000));
        } else {
            Expect(W, 3, 3);
            b.Noise.clear();
            for (const auto& part : Split(W[2], ','))
                b.Noise.push_back(static_cast<std::uint8_t>(Number(part, 0, 255, 16)));
        }
        Slave.SetBehaviour(id, b);
    }
}

}  // namespace

void ApplyStatement(const std::string& Statement, ModbusSlave& Slave, LineTiming& Timing)
{
    auto words = Words(Statement);
    if (words.empty() || words[0][0] == '#')
        return;
    try {
        ApplyWords(words, Slave, Timing);
    } catch (const std::exception& e) {
        throw std::invalid_argument("'" + Statement + "': " + e.what());
    }
}

void ApplyConfig(std::istream& Input, ModbusSlave& Slave, LineTiming& Timing)
{
    int lineNo = 0;
    for (std::string line; std::getline(Input, line);) {
        ++lineNo;
        try {
            ApplyStatement(line, Slave, Timing);
        } catch (const std::exception& e) {
            throw std::invalid_argument("line " + std::to_string(lineNo) + ": " + e.what());
        }
    }
}

const std::vector<std::string>& DefaultStations()
{
    static const std::vector<std::string> stations{
        "station 1 rule 0 start 0 channels 4 values 1234,-56,0,789",
        "station 2 rule 1 start 0 channels 2 values 123456,-2",
        "station 3 rule 2 start 0 channels 2 values 70000,-70000",
    };
    return stations;
}

bool DeclaresStation(const std::string& Text)
{
    std::istringstream lines(Text);
    for (std::string line; std::getline(lines, line);) {
        auto words = Words(line);
        if (!words.empty() && words[0] == "station")
            return true;
    }
    return false;
}

}  // namespace modbussim
