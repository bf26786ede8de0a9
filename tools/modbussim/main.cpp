// modbussim: a simulated line of Modbus RTU instruments for testing the
// acquisition program by hand or from scripts.
#include <signal.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tools/modbussim/LinkClaim.h"
#include "tools/modbussim/SimConfig.h"
#include "tools/modbussim/Simulator.h"

namespace {

const char* const UsageLine =
    "usage: modbussim [--tty PATH [--baud N] [--parity N|E|O]] [--link PATH] [-c FILE]... [-e STATEMENT]...\n"
    "       modbussim -h|--help\n";

void Usage()
{
    std::cerr << UsageLine << "Try 'modbussim --help' for the statements.\n";
}

void Help()
{
    std::cout << UsageLine
              << "\n"
                 "Simulates a line of Modbus RTU instruments that answer function 03 (read\n"
                 "holding registers). Prints the serial port path to use, then answers until\n"
                 "interrupted (Ctrl+C). On SIGUSR1 it prints to standard error how many\n"
                 "requests its stations have seen and the bytes received and sent so far.\n"
                 "\n"
                 "Options:\n"
                 "  --tty PATH       serve a real serial device instead of a new pseudo-terminal\n"
                 "  --baud N         its baud rate (default 9600)\n"
                 "  --parity N|E|O   its parity (default N)\n"
                 "  --link PATH      publish the line as the link PATH while it runs; the\n"
                 "                   program's port list shows links named tty... in /dev\n"
                 "                   (such as /dev/ttyV0, listed as ttyV0; needs root) and\n"
                 "                   in /tmp (such as /tmp/ttyV0, listed by that full path);\n"
                 "                   a link that another running simulator publishes is\n"
                 "                   refused, one left by a killed simulator is replaced\n"
                 "  -c FILE          apply the statements in FILE, one a line; blank lines and\n"
                 "                   lines starting with '#' are skipped\n"
                 "  -e STATEMENT     apply one statement\n"
                 "  -h, --help       show this help\n"
                 "\n"
                 "Station ids run from 1 to 247; channels count from 0; values are whole\n"
                 "numbers (rule 0 keeps the low 16 bits). Without a 'station' statement\n"
                 "these stations answer, and the other statements may change them:\n";
    for (const std::string& station : modbussim::DefaultStations())
        std::cout << "  " << station << "\n";
    std::cout << "\n"
                 "Statements:\n"
                 "  station ID rule 0|1|2 start ADDRESS channels N [values V1,V2,...]\n"
                 "      add a station, or replace the one with that id: rule 0 gives each\n"
                 "      channel one register, rule 1 two registers high word first, rule 2\n"
                 "      two registers low word first; N is 1 to 125; channels without a\n"
                 "      value read 0\n"
                 "  value ID CHANNEL VALUE      set a channel's value\n"
                 "  register ID ADDRESS VALUE   set one register (0 to 65535)\n"
                 "  silent ID                   the station never answers\n"
                 "  badcrc ID                   the station answers with a wrong CRC\n"
                 "  exception ID CODE           the station answers with exception CODE (1 to 255)\n"
                 "  delay ID MS                 the station answers MS milliseconds late\n"
                 "  fragments ID SIZE GAP_MS    answers go out in pieces of SIZE bytes, GAP_MS apart\n"
                 "  noise ID HEX[,HEX...]       these bytes go out just before each answer\n"
                 "  ramp ID CHANNEL L1,L2,... ms|polls STEP [linear] [repeat]\n"
                 "      the channel steps through the levels every STEP milliseconds or\n"
                 "      polls; linear slides between levels; repeat starts over after the\n"
                 "      last level, else the last level holds\n"
                 "  pacing BAUD [10|11]         answers go out at a real line's speed (bits per\n"
                 "                              character: 10, or 11 with a parity bit)\n";
}

struct Source {
    std::string Origin;  // the file name, empty for a statement
    std::string Text;
};

std::string ReadFile(const std::string& Name)
{
    std::ifstream file(Name);
    if (!file)
        throw std::runtime_error("cannot open " + Name);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void ReportCounters(modbussim::Simulator& Sim)
{
    std::uint64_t requests = 0;
    for (int id : Sim.Slave().StationIds())
        requests += Sim.Slave().RequestCount(id);
    std::fprintf(stderr, "modbussim: %llu requests, %llu bytes received, %llu sent\n",
                 static_cast<unsigned long long>(requests), static_cast<unsigned long long>(Sim.BytesReceived()),
                 static_cast<unsigned long long>(Sim.BytesSent()));
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string tty;
    std::string link;
    int baud = 9600;
    char parity = 'N';
    std::vector<Source> sources;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "-h" || arg == "--help") {
            Help();
            return 0;
        } else if (arg == "--tty" && hasValue)
            tty = argv[++i];
        else if (arg == "--link" && hasValue)
            link = argv[++i];
        else if (arg == "--baud" && hasValue)
            baud = std::atoi(argv[++i]);
        else if (arg == "--parity" && hasValue && std::strlen(argv[i + 1]) == 1)
            parity = argv[++i][0];
        else if (arg == "-c" && hasValue)
            sources.push_back({argv[++i], ""});
        else if (arg == "-e" && hasValue)
            sources.push_back({"", argv[++i]});
        else {
            Usage();
            return 2;
        }
    }

    // Block the stop signals and the counters' signal before the line thread starts, so that only
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigset_t waitedSignals = stopSignals;
    sigaddset(&waitedSignals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &waitedSignals, nullptr);

    try {
        std::unique_ptr<modbussim::LinkClaim> claim;
        if (!link.empty()) {
            claim = std::make_unique<modbussim::LinkClaim>(link);
            if (!claim->Held())
                throw std::runtime_error("the link " + link +
                                         " is in use by a running simulator; choose another path, such as --link " +
                                         modbussim::LinkClaim::FreePathLike(link));
        }
        auto sim = tty.empty() ? std::make_unique<modbussim::Simulator>()
                               : std::make_unique<modbussim::Simulator>(tty, baud, parity);
        modbussim::LineTiming timing = sim->Timing();
        bool ownStations = false;
        for (Source& source : sources) {
            if (!source.Origin.empty())
                source.Text = ReadFile(source.Origin);
            ownStations = ownStations || modbussim::DeclaresStation(source.Text);
        }
        // The default stations come first, so that statements can change them.
        if (!ownStations) {
            for (const std::string& station : modbussim::DefaultStations())
                modbussim::ApplyStatement(station, sim->Slave(), timing);
        }
        for (const Source& source : sources) {
            if (source.Origin.empty()) {
                modbussim::ApplyStatement(source.Text, sim->Slave(), timing);
            } else {
                std::istringstream lines(source.Text);
                modbussim::ApplyConfig(lines, sim->Slave(), timing);
            }
        }
        sim->SetTiming(timing);
        sim->Start();
        if (!link.empty()) {
            // No running simulator holds the path: a link there was left by
            // one that did not stop cleanly, and is replaced. A real file
            // never is.
            std::error_code failure;
            if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, failure))) {
                std::filesystem::remove(link, failure);
                if (failure)
                    throw std::runtime_error("cannot replace the stale link " + link + ": " + failure.message() +
                                             "; choose another path, such as --link " +
                                             modbussim::LinkClaim::FreePathLike(link));
            }
            std::filesystem::create_symlink(sim->PortPath(), link, failure);
            if (failure)
                throw std::runtime_error("cannot create the link " + link + ": " + failure.message() +
                                         " (a link in /tmp, such as /tmp/ttyV0, needs no root)");
        }
        std::printf("%s\n", link.empty() ? sim->PortPath().c_str() : link.c_str());
        std::fflush(stdout);
        // A caller measuring a master counts its polls between two reports.
        int signal = 0;
        while (sigwait(&waitedSignals, &signal) == 0 && signal == SIGUSR1)
            ReportCounters(*sim);
        if (!link.empty())
            std::filesystem::remove(link);
        sim->Stop();
        std::fprintf(stderr, "modbussim: %llu bytes received, %llu sent\n",
                     static_cast<unsigned long long>(sim->BytesReceived()),
                     static_cast<unsigned long long>(sim->BytesSent()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "modbussim: %s\n", e.what());
        return 1;
    }
    return 0;
}
