// FolderScan: the folder browser, ListFolder and the depth-first scan that pumps messages between folders.
#include "filelists/FolderScan.h"

#include <shlobj.h>

#include <vector>

#include "filelists/ProgressWindow.h"
#include "foundation/AnsiPath.h"
#include "foundation/DisplayText.h"
#include "foundation/Handles.h"
#include "foundation/StringOperations.h"
#include "framework/PumpPacer.h"
#include "framework/ShapeLoops.h"

namespace {

bool EndsInBackslash(const char* path) { return LastChar(path) == "\\"; }

// A junction or a symbolic link to a folder, which can lead back up the tree. A reparse point
// of another kind (a cloud provider's placeholder folder) holds the files it shows and is walked.
bool LeadsElsewhere(const WIN32_FIND_DATAW& entry)
{
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const DWORD tag = entry.dwReserved0;
    return tag == 0 || IsReparseTagNameSurrogate(tag);
}

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

// A file is noted only when the scan would have kept it; a folder always, for what it holds is unknown.
void NoteLeftOut(const THeapStringList& names, TScanFilter keep, void* context, TLeftOutPaths& leftOut)
{
    for (const THeapString& name : names)
        if (LastChar(name) == "\\" || !keep || keep(name, context)) leftOut.Add(name);
}

int WalkTree(const char* start, TProgressWindow& window, THeapStringList& found, TScanFilter keep, void* context,
             TLeftOutPaths& leftOut)
{
    TScanPosition position;
    THeapString current(start);
    THeapStringList files;
    THeapStringList subfolders;
    THeapStringList unreachable;
    TPumpPacer pacer;
    for (;;) {
        // Folders that deny listing sit where music is kept ("System Volume Information" at every
        // drive's root, junctions in Documents): only the start folder must be listed.
        if (!ListFolder(current, files, &subfolders, &unreachable) && position.Depth() == 0) return ScanFailed;
        for (const THeapString& file : files)
            if (!keep || keep(file, context)) found.Append(file);
        NoteLeftOut(unreachable, keep, context, leftOut);
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
        // In UTF-16, for the ANSI form of a folder outside the code page names no folder. One
        // that no path the program opens reaches becomes the empty text, which no scan lists.
        wchar_t path[MAX_PATH + 1] = L"";
        if (SHGetPathFromIDListW(chosen, path) && path[0]) {
            const THeapString openable = OpenableAnsiPath(path, nullptr);
            folder = openable.IsEmpty() ? openable : WithBackslash(openable);
        }
    }
    SetFocus(focus);
    return chosen.Get() != nullptr;
}

bool ListFolder(const char* folder, THeapStringList& files, THeapStringList* subfolders, THeapStringList* leftOut)
{
    files.Clear();
    if (subfolders) subfolders->Clear();
    if (leftOut) leftOut->Clear();
    // An empty path would list the root of the current drive.
    if (!folder || !folder[0]) return false;
    const THeapString prefix = WithBackslash(folder);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(WideText(Concat(prefix, "*.*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        if (lstrcmpW(entry.cFileName, L".") == 0 || lstrcmpW(entry.cFileName, L"..") == 0) continue;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (!subfolders || LeadsElsewhere(entry))) continue;
        const THeapString path = OpenableAnsiPath(prefix, entry);
        if (!path.IsEmpty())
            (isFolder ? *subfolders : files).Append(path);
        else if (leftOut)
            leftOut->Append(Concat(Concat(prefix, ShownAnsi(entry.cFileName)), isFolder ? "\\" : ""));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return true;
}

int ScanFolder(const char* start, HWND owner, THeapStringList& found, TScanFilter keep, void* context,
               TLeftOutPaths* leftOut)
{
    found.Clear();
    TProgressWindow window(owner, TProgressKind::FolderScan);
    window.Show();
    TLeftOutPaths unreachable;
    const int result = WalkTree(start ? start : "", window, found, keep, context, unreachable);
    window.Close();
    if (result == ScanFailed) found.Clear();
    if (result == ScanFinished && leftOut) leftOut->Add(unreachable);
    return result;
}
