// modbussim: a simulated line of Modbus RTU instruments for testing the
// acquisition program by hand or from scripts.
#include <signal.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "tools/modbussim/SimConfig.h"
#include "tools/modbussim/Simulator.h"

namespace {

void Usage()
{
    std::cerr << "usage: modbussim [--tty PATH [--baud N] [--parity N|E|O]] [--link PATH] [-c FILE]... [-e STATEMENT]...\n"
                 "Prints the serial port path to use, then answers function 03 until interrupted.\n"
                 "--link PATH publishes the line as PATH (such as /dev/ttyV0), a link that the\n"
                 "program's port list shows as a virtual serial port; it goes when the line stops.\n"
                 "Without stations, stations 1, 2 and 3 answer with value rules 0, 1 and 2.\n"
                 "Statements (also the lines of FILE):\n"
                 "  station ID rule 0|1|2 start ADDRESS channels N [values V1,V2,...]\n"
                 "  value ID CHANNEL VALUE        register ID ADDRESS VALUE\n"
                 "  silent ID   badcrc ID   exception ID CODE   delay ID MS\n"
                 "  fragments ID SIZE GAP_MS      noise ID HEX[,HEX...]\n"
                 "  ramp ID CHANNEL L1,L2,... ms|polls STEP [linear] [repeat]\n"
                 "  pacing BAUD [10|11]\n";
}

struct Source {
    bool IsFile;
    std::string Text;
};

} // namespace

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
        if (arg == "--tty" && hasValue)
            tty = argv[++i];
        else if (arg == "--link" && hasValue)
            link = argv[++i];
        else if (arg == "--baud" && hasValue)
            baud = std::atoi(argv[++i]);
        else if (arg == "--parity" && hasValue && std::strlen(argv[i + 1]) == 1)
            parity = argv[++i][0];
        else if (arg == "-c" && hasValue)
            sources.push_back({true, argv[++i]});
        else if (arg == "-e" && hasValue)
            sources.push_back({false, argv[++i]});
        else {
            Usage();
            return 2;
        }
    }

    // Block the stop signals before the line thread starts, so that only
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        auto sim = tty.empty() ? std::make_unique<modbussim::Simulator>()
                               : std::make_unique<modbussim::Simulator>(tty, baud, parity);
        modbussim::LineTiming timing = sim->Timing();
        for (const Source& source : sources) {
            if (source.IsFile) {
                std::ifstream file(source.Text);
                if (!file)
                    throw std::runtime_error("cannot open " + source.Text);
                modbussim::ApplyConfig(file, sim->Slave(), timing);
            } else {
                modbussim::ApplyStatement(source.Text, sim->Slave(), timing);
            }
        }
        if (sim->Slave().StationIds().empty()) {
            for (const char* s : {"station 1 rule 0 start 0 channels 4 values 1234,-56,0,789",
                                  "station 2 rule 1 start 0 channels 2 values 123456,-2",
                                  "station 3 rule 2 start 0 channels 2 values 70000,-70000"})
                modbussim::ApplyStatement(s, sim->Slave(), timing);
        }
        sim->SetTiming(timing);
        sim->Start();
        if (!link.empty()) {
            // Replace only a stale link, never a real file.
            if (std::filesystem::is_symlink(link))
                std::filesystem::remove(link);
            std::filesystem::create_symlink(sim->PortPath(), link);
        }
        std::printf("%s\n", link.empty() ? sim->PortPath().c_str() : link.c_str());
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stopSignals, &signal);
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
