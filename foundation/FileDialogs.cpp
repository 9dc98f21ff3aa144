// The system's file-open and file-save dialogs, started from a path and giving one back.
#include "foundation/FileDialogs.h"

#include "foundation/AnsiPath.h"
#include "foundation/PathOperations.h"
#include "foundation/ProcessEntry.h"
#include "foundation/ShellFolders.h"
#include "foundation/StringOperations.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

const int fileNameSize = MAX_PATH;

// The folder the dialog opens in. A drive root keeps its backslash: "C:" alone would mean
// the current folder of that drive.
THeapString StartFolder(const char* path)
{
    THeapString folder = DirectoryOf(path);
    if (folder.IsEmpty()) folder = SpecialFolderPath(CSIDL_DESKTOP);
    int length = folder.Length();
    bool isDriveRoot = length == 3 && folder.Byte(1) == ':';
    if (length > 0 && !isDriveRoot && LastChar(folder) == "\\") folder = Left(folder, length - 1);
    return folder;
}

// The UTF-16 dialogs: the ANSI ones give a best-fit or "?" name, which names no file, for a file
// whose name the code page lacks.
using DialogProc = BOOL(WINAPI*)(LPOPENFILENAMEW);

// comdlg32 is loaded when a dialog is first asked for: loading it at start also loads the
// print spooler and its libraries, for dialogs a tray player seldom opens. (The toolchain's
// delay-import libraries leave the 32-bit import slots empty, so this is done by hand.)
HMODULE dialogLibrary = nullptr;

void ReleaseDialogLibrary()
{
    FreeLibrary(dialogLibrary);
    dialogLibrary = nullptr;
}

DialogProc DialogEntry(const char* name)
{
    if (!dialogLibrary) {
        dialogLibrary = LoadLibraryA("comdlg32.dll");
        if (!dialogLibrary) return nullptr;
        AtProcessTeardown(&ReleaseDialogLibrary);
    }
    // Through a plain function pointer type, which may be cast to any other.
    return reinterpret_cast<DialogProc>(reinterpret_cast<void (*)()>(GetProcAddress(dialogLibrary, name)));
}

struct TDialogRun {
    OPENFILENAMEW dialog;
    // One unit more than the dialog is told: Wine's dialog fills all of a buffer that is one
    // unit too short for the chosen name and reports success without a terminator.
    wchar_t fileName[fileNameSize + 1];
    std::wstring filter, startFolder, title, defaultExtension;
};

// Up to and including the empty string that ends the block of description and pattern pairs.
std::wstring WideFilter(const char* filter)
{
    if (!filter) return std::wstring();
    const char* end = filter;
    while (*end) end += std::strlen(end) + 1;
    std::wstring wide(static_cast<size_t>(end - filter) + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, filter, static_cast<int>(end - filter) + 1, &wide[0],
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length));
    return wide;
}

void Prepare(TDialogRun& run, const THeapString& path, HWND owner, const char* filter, const char* defaultExtension,
             const char* title, int filterIndex, DWORD flags)
{
    std::memset(&run.dialog, 0, sizeof run.dialog);
    std::wmemset(run.fileName, 0, fileNameSize + 1);
    run.filter = WideFilter(filter);
    run.startFolder = WideText(StartFolder(path));
    run.title = WideText(title);
    run.defaultExtension = WideText(defaultExtension);
    lstrcpynW(run.fileName, WideText(FileNameOf(path)).c_str(), fileNameSize);
    // The old structure size: the dialog then looks the same on every system.
    run.dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    run.dialog.hwndOwner = owner;
    run.dialog.lpstrFilter = filter ? run.filter.c_str() : nullptr;
    run.dialog.nFilterIndex = static_cast<DWORD>(filterIndex);
    run.dialog.lpstrFile = run.fileName;
    run.dialog.nMaxFile = fileNameSize;
    run.dialog.lpstrInitialDir = run.startFolder.c_str();
    run.dialog.lpstrTitle = title ? run.title.c_str() : nullptr;
    run.dialog.lpstrDefExt = defaultExtension ? run.defaultExtension.c_str() : nullptr;
    run.dialog.Flags = flags;
}

// Runs the dialog and gives the focus back to the window that had it before. The chosen name
// becomes a path the program opens, or the choice counts for nothing and is noted in `leftOut`.
bool Run(TDialogRun& run, const char* dialogName, THeapString& path, TLeftOutPaths* leftOut)
{
    DialogProc show = DialogEntry(dialogName);
    if (!show) return false;
    HWND focus = GetFocus();
    // A name that fills the whole buffer did not fit: a failure, as the system reports it.
    bool chosen = show(&run.dialog) != FALSE && std::wmemchr(run.fileName, 0, fileNameSize) != nullptr;
    if (focus && IsWindow(focus)) SetFocus(focus);
    if (!chosen) return false;
    const THeapString openable = OpenableAnsiPath(run.fileName, leftOut);
    if (openable.IsEmpty()) return false;
    path = openable;
    return true;
}

} // namespace

bool AskOpenFile(THeapString& path, HWND owner, const char* filter, const char* defaultExtension, bool* readOnly,
                 const char* title, int filterIndex, TLeftOutPaths* leftOut)
{
    DWORD flags = OFN_EXPLORER | OFN_PATHMUSTEXIST;
    if (!readOnly) flags |= OFN_HIDEREADONLY;
    else if (*readOnly) flags |= OFN_READONLY;
    TDialogRun run;
    Prepare(run, path, owner, filter, defaultExtension, title, filterIndex, flags);
    if (!Run(run, "GetOpenFileNameW", path, leftOut)) return false;
    if (readOnly) *readOnly = (run.dialog.Flags & OFN_READONLY) != 0;
    return true;
}

bool AskSaveFile(THeapString& path, HWND owner, const char* filter, const char* defaultExtension, const char* title,
                 int filterIndex)
{
    TDialogRun run;
    Prepare(run, path, owner, filter, defaultExtension, title, filterIndex,
            OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    return Run(run, "GetSaveFileNameW", path, nullptr);
}
