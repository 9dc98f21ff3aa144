// TPlayerRun: starting Kelvane or B-mci on the same files.
#include "PlayerRun.h"

TPlayerRun::TPlayerRun(bool isKelvane, const std::vector<std::string>& files)
{
    if (isKelvane) {
        StorePlayList(files);
        kelvane = std::make_unique<TKelvaneRun>("/restore");
        return;
    }
    std::string line = CommandBeside(PlayerProgram(false));
    for (const std::string& file : files) line += " \"" + file + "\"";
    baseline = std::make_unique<TChildProcess>(line);
}

bool TPlayerRun::Started() const { return kelvane ? kelvane->Started() : baseline->Started(); }

bool TPlayerRun::WaitUntilPlaying(unsigned timeoutMs)
{
    if (baseline) return (window = baseline->WaitForWindow("BenchMciWindow", timeoutMs)) != nullptr;
    window = kelvane->MainWindow(timeoutMs);
    return window && WaitForPlayerState(window, 1, timeoutMs);
}

const char* PlayerProgram(bool kelvane) { return kelvane ? "kelvane.exe" : "bench_mci.exe"; }
