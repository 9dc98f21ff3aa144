// The measuring program on Kelvane's own code: each run times one operation in-process and
// writes "name <ms>" lines to FILE. The library's command line joins unquoted words into one
// path, so every argument comes in double quotes.
//   kelvane_ops add N FILE       AddPaths of N paths into the settings window's file list box
//   kelvane_ops scan FOLDER FILE ScanFolder over the tree under FOLDER
//   kelvane_ops persist N FILE   SaveValues, then LoadValues, of the main shape with N entries
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchCommon.h"
#include "app/MainShape.h"
#include "filelists/FileListbox.h"
#include "filelists/FolderScan.h"
#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"

namespace {

const char benchKey[] = "Software\\Orvik\\KelvaneBench\\Kelvane";

// The settings window's filter block, as the main shape builds it.
const char playableFilter[] = "音声ﾌｧｲﾙ\0*.wav\0"
                              "MIDIﾌｧｲﾙ\0*.mid;*.rmi\0"
                              "ｵｰﾃﾞｨｵCD\0*.cda\0"
                              "対応ﾌｧｲﾙ\0*.wav;*.mid;*.rmi;*.cda;*.avi\0"
                              "全てのﾌｧｲﾙ\0*.*\0";

std::string Add(int count)
{
    THeapStringList playList;
    THeapString current;
    TFileListbox box(DockLeft, 290, 148, &playList, &current, playableFilter, static_cast<int>(sizeof playableFilter),
                     "bmp");
    // Not the program's title: a running kelvane.exe must never take this for itself.
    TShape shape(nullptr, "KelvaneBench", &box, nullptr);
    shape.ShowModeless(0);
    PumpPending();
    THeapStringList paths;
    for (int i = 0; i < count; ++i) paths.Append(BenchPath(i).c_str());

    const LARGE_INTEGER start = Now();
    box.AddPaths(paths);
    const LARGE_INTEGER end = Now();

    char result[96];
    std::snprintf(result, sizeof result, "add %.3f\nlines %d\n", ElapsedMs(start, end),
                  static_cast<int>(SendMessageA(box.List(), LB_GETCOUNT, 0, 0)));
    DestroyWindow(shape.Handle());
    PumpPending();
    return result;
}

std::string Scan(const char* folder)
{
    THeapStringList found;
    const LARGE_INTEGER start = Now();
    const int outcome = ScanFolder(folder, nullptr, found, nullptr, nullptr);
    const LARGE_INTEGER end = Now();
    char result[96];
    std::snprintf(result, sizeof result, "scan %.3f\nfiles %d\nresult %d\n", ElapsedMs(start, end), found.Count(),
                  outcome);
    return result;
}

void StoreList(int count)
{
    HKEY list = nullptr;
    const std::string path = std::string(benchKey) + "\\MusicFileList";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &list, nullptr)) return;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%06d", i);
        const std::string value = BenchPath(i);
        RegSetValueExA(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
    RegCloseKey(list);
}

// Saved into an empty key, as the first OK does, then read back, as Cancel does.
std::string Persist(int count)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, benchKey);
    StoreList(count);
    TMainShape shape; // loads the list, as at every start
    SHDeleteKeyA(HKEY_CURRENT_USER, benchKey);

    const LARGE_INTEGER start = Now();
    {
        TRegistrySection application(ApplicationStore(), nullptr);
        shape.SaveValues(application.Store());
    }
    const LARGE_INTEGER saved = Now();
    {
        TRegistrySection application(ApplicationStore(), nullptr, OpenExisting);
        shape.LoadValues(application.Store());
    }
    const LARGE_INTEGER loaded = Now();
    SHDeleteKeyA(HKEY_CURRENT_USER, benchKey);

    char result[128];
    std::snprintf(result, sizeof result, "save %.3f\nload %.3f\nentries %d\n", ElapsedMs(start, saved),
                  ElapsedMs(saved, loaded), shape.PlayList().Count());
    return result;
}

} // namespace

THeapString ApplicationKeyPath() { return THeapString(benchKey); }

THeapString ApplicationDisplayName() { return THeapString("KelvaneBench"); }

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (ArgumentCount() < 3) return 2;
    const THeapString operation = Argument(0);
    const THeapString parameter = Argument(1);
    std::string result;
    if (operation == "add")
        result = Add(std::atoi(parameter));
    else if (operation == "scan")
        result = Scan(parameter);
    else if (operation == "persist")
        result = Persist(std::atoi(parameter));
    else
        return 2;
    return WriteBenchResult(Argument(2), result.c_str()) ? 0 : 1;
}
