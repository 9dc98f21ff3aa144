// FolderScan: the folder browser, ListFolder and the depth-first scan that pumps messages between folders.
#include "filelists/FolderScan.h"

#include <shlobj.h>

#include <vector>

#include "filelists/ProgressWindow.h"
#include "foundation/DisplayText.h"
#include "foundation/Handles.h"
#include "foundation/StringOperations.h"
#include "framework/PumpPacer.h"
#include "framework/ShapeLoops.h"

namespace {

bool EndsInBackslash(const char* path) { return LastChar(path) == "\\"; }

THeapString WithBackslash(const char* folder)
{
    return EndsInBackslash(folder) ? THeapString(folder) : Concat(folder, "\\");
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    const char* selection = reinterpret_cast<const char*>(data);
    if (message == BFFM_INITIALIZED && selection && *selection)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(selection));
    return 0;
}

// Where the scan stands: the folders of the level being walked and the levels above it.
struct TScanPosition {
    THeapStringList siblings;
    int index = 0;
    std::vector<int> savedIndices;
    std::vector<THeapStringList> savedSiblings;

    int Depth() const { return static_cast<int>(savedIndices.size()); }

    // The next folder depth first, or false when the tree is done.
    bool Next(const THeapStringList& subfolders, THeapString& current)
    {
        if (subfolders.Count() > 0) {
            savedIndices.push_back(index);
            savedSiblings.push_back(siblings);
            siblings = subfolders;
            index = 0;
        } else {
            for (;;) {
                ++index;
                if (index < siblings.Count()) break;
                if (Depth() == 0) return false;
                index = savedIndices.back();
                siblings = savedSiblings.back();
                savedIndices.pop_back();
                savedSiblings.pop_back();
            }
        }
        current = siblings.Item(index);
        return true;
    }
};

// Lets the queue have its turn when due; while paused keeps at it until Resume or Stop. False
// once the window is gone. Only a pump can pause or close the window.
bool PumpUntilRunning(const TProgressWindow& window, TPumpPacer& pacer, bool drew)
{
    if (!pacer.Step(drew)) return true;
    for (;;) {
        if (!window.IsOpen()) return false;
        if (!window.IsPaused()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpPending();
    }
}

// True when the bar moved on screen.
bool ShowFolderProgress(TProgressWindow& window, int depth, int subfolderCount)
{
    bool drew = depth == 0 && window.SetRange(subfolderCount + 1);
    if (depth <= 1) drew = window.Advance() || drew;
    return drew;
}

int WalkTree(const char* start, TProgressWindow& window, THeapStringList& found, TScanFilter keep, void* context)
{
    TScanPosition position;
    THeapString current(start);
    THeapStringList files;
    THeapStringList subfolders;
    TPumpPacer pacer;
    for (;;) {
        if (!ListFolder(current, files, &subfolders)) return ScanFailed;
        for (const THeapString& file : files)
            if (!keep || keep(file, context)) found.Append(file);
        const bool drew = ShowFolderProgress(window, position.Depth(), subfolders.Count());
        if (!position.Next(subfolders, current)) return ScanFinished;
        if (!PumpUntilRunning(window, pacer, drew)) return ScanStopped;
    }
}

} // namespace

bool BrowseForFolder(THeapString& folder, HWND owner, const char* title)
{
    HWND focus = GetFocus();
    const THeapString shownTitle = DisplayText(title ? title : "");
    const THeapString selection = EndsInBackslash(folder) ? Left(folder, folder.Length() - 1) : folder;

    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = shownTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    browse.lpfn = &BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(selection.Text());
    const TOwnedItemList chosen(SHBrowseForFolderA(&browse));
    if (chosen) {
        char path[MAX_PATH + 1] = "";
        if (SHGetPathFromIDListA(chosen, path) && path[0]) folder = WithBackslash(path);
    }
    SetFocus(focus);
    return chosen.Get() != nullptr;
}

bool ListFolder(const char* folder, THeapStringList& files, THeapStringList* subfolders)
{
    files.Clear();
    if (subfolders) subfolders->Clear();
    const THeapString prefix = WithBackslash(folder ? folder : "");
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(Concat(prefix, "*.*"), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if (lstrcmpA(entry.cFileName, ".") == 0 || lstrcmpA(entry.cFileName, "..") == 0) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (subfolders) subfolders->Append(Concat(prefix, entry.cFileName));
        } else {
            files.Append(Concat(prefix, entry.cFileName));
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return true;
}

int ScanFolder(const char* start, HWND owner, THeapStringList& found, TScanFilter keep, void* context)
{
    found.Clear();
    TProgressWindow window(owner, TProgressKind::FolderScan);
    window.Show();
    const int result = WalkTree(start ? start : "", window, found, keep, context);
    window.Close();
    if (result == ScanFailed) found.Clear();
    return result;
}
