// ResidentBench: both programs started, left to settle, then read at the start and the end
// of the same window, so that whatever else the machine does weighs on both alike.
#include "ResidentBench.h"

#include <windows.h>

#include "PlayerRun.h"
#include "support/ChildProcess.h"

namespace {

const UINT commandStop = 204;
const DWORD settleMs = 2000;

TProcessSample Difference(const TProcessSample& before, const TProcessSample& after)
{
    TProcessSample change = after; // memory as it stands at the end
    change.valid = before.valid && after.valid;
    change.cpuMs = after.cpuMs - before.cpuMs;
    change.voluntarySwitches = after.voluntarySwitches - before.voluntarySwitches;
    return change;
}

} // namespace

TResidentFigures MeasureResident(bool playing, const TBenchSetup& setup)
{
    TResidentFigures figures;
    TPlayerRun kelvane(true, playing ? std::vector<std::string>{setup.lowTone, setup.highTone}
                                     : std::vector<std::string>{setup.lowTone});
    if (!kelvane.WaitUntilPlaying(20000)) return figures;
    if (!playing) {
        PostMessageA(kelvane.Window(), WM_COMMAND, MAKEWPARAM(commandStop, 0), 0);
        if (!WaitForPlayerState(kelvane.Window(), 3, 10000)) return figures;
    }
    std::unique_ptr<TPlayerRun> player;
    std::unique_ptr<TChildProcess> tray, playedOnce;
    if (playing) {
        player = std::make_unique<TPlayerRun>(false, std::vector<std::string>{setup.lowTone, setup.highTone});
        if (!player->WaitUntilPlaying(20000)) return figures;
    } else {
        tray = std::make_unique<TChildProcess>(CommandBeside("bench_tray.exe"));
        if (!tray->WaitForWindow("BenchTrayWindow", 20000)) return figures;
        // The tone is over well within the settling time.
        playedOnce = std::make_unique<TChildProcess>(CommandBeside(PlayerProgram(false), {"/once", setup.lowTone}));
        if (!playedOnce->WaitForWindow("BenchMciWindow", 20000)) return figures;
    }
    const int kelvaneProcess = FindUnixProcess(PlayerProgram(true));
    const int baselineProcess = FindUnixProcess(playing ? PlayerProgram(false) : "bench_tray.exe");
    const int playedOnceProcess = playing ? 0 : FindUnixProcess(PlayerProgram(false));
    Sleep(settleMs);
    const TProcessSample kelvaneBefore = ReadProcess(kelvaneProcess);
    const TProcessSample baselineBefore = ReadProcess(baselineProcess);
    const TProcessSample playedOnceBefore = ReadProcess(playedOnceProcess);
    Sleep(static_cast<DWORD>(setup.residentSeconds * 1000));
    figures.kelvane = Difference(kelvaneBefore, ReadProcess(kelvaneProcess));
    figures.baseline = Difference(baselineBefore, ReadProcess(baselineProcess));
    figures.playedOnce = Difference(playedOnceBefore, ReadProcess(playedOnceProcess));
    figures.valid = figures.kelvane.valid && figures.baseline.valid && (playing || figures.playedOnce.valid);
    return figures;
}
