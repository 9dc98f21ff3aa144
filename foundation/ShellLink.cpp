// ShellLink: the shell's link object (IShellLinkA with IPersistFile) and folders of shortcuts.
#include "foundation/ShellLink.h"

#include "foundation/CharText.h"
#include "foundation/Handles.h"
#include "foundation/PathOperations.h"
#include "foundation/ShellFolders.h"
#include "foundation/StringOperations.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

namespace {

const int LinkTextLength = MAX_PATH; // characters the link object is asked for, terminator included

const char* OrEmpty(const char* text) { return text ? text : ""; }

// A fresh shell link object with its file interface.
class TShellLinkObject {
public:
    bool Create()
    {
        return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Slot()))
               && SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Slot()));
    }

    TComPtr<IShellLinkA> link;
    TComPtr<IPersistFile> file;
};

// IPersistFile takes UTF-16 paths; a path that does not fit fails instead of being cut.
bool ToWide(const char* path, WCHAR (&wide)[LinkTextLength])
{
    return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, LinkTextLength) > 0;
}

THeapString FromBuffer(char (&buffer)[LinkTextLength + 1])
{
    buffer[LinkTextLength] = '\0';
    return THeapString(buffer);
}

bool SameTextIgnoringCase(const char* a, const char* b)
{
    const int length = static_cast<int>(std::strlen(a));
    if (length != static_cast<int>(std::strlen(b))) return false;
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, a + position);
        for (int i = position; i < position + step; ++i) {
            char x = a[i];
            char y = b[i];
            if (step == 1 && IsUpperChar(x)) x = static_cast<char>(x - 'A' + 'a');
            if (step == 1 && IsUpperChar(y)) y = static_cast<char>(y - 'A' + 'a');
            if (x != y) return false;
        }
        position += step;
    }
    return true;
}

bool HasWantedExtension(const char* path, const THeapStringList* extensions)
{
    if (extensions == nullptr || extensions->Count() == 0) return true;
    THeapString extension = ExtensionOf(path);
    for (int i = 0; i < extensions->Count(); ++i) {
        if (SameTextIgnoringCase(extension, extensions->Item(i))) return true;
    }
    return false;
}

} // namespace

bool CreateShortcut(const char* linkPath, const char* target, const char* arguments, const char* iconPath,
                    int iconIndex)
{
    TShellLinkObject shell;
    if (!shell.Create()) return false;
    if (FAILED(shell.link->SetPath(OrEmpty(target)))) return false;
    if (FAILED(shell.link->SetArguments(OrEmpty(arguments)))) return false;
    if (iconPath != nullptr && iconPath[0] != '\0' && FAILED(shell.link->SetIconLocation(iconPath, iconIndex))) {
        return false;
    }
    WCHAR widePath[LinkTextLength];
    if (linkPath == nullptr || !ToWide(linkPath, widePath)) return false;
    return SUCCEEDED(shell.file->Save(widePath, TRUE));
}

bool ResolveShortcut(const char* linkPath, THeapString* target, THeapString* arguments, THeapString* iconPath,
                     int* iconIndex)
{
    TShellLinkObject shell;
    WCHAR widePath[LinkTextLength];
    if (linkPath == nullptr || !shell.Create() || !ToWide(linkPath, widePath)) return false;
    if (FAILED(shell.file->Load(widePath, STGM_READ))) return false;

    char buffer[LinkTextLength + 1] = "";
    if (target != nullptr) {
        WIN32_FIND_DATAA found;
        std::memset(&found, 0, sizeof found);
        if (FAILED(shell.link->GetPath(buffer, LinkTextLength, &found, SLGP_UNCPRIORITY))) return false;
        *target = FromBuffer(buffer);
    }
    if (arguments != nullptr) {
        buffer[0] = '\0';
        if (FAILED(shell.link->GetArguments(buffer, LinkTextLength))) return false;
        *arguments = FromBuffer(buffer);
    }
    if (iconPath != nullptr && iconIndex != nullptr) {
        buffer[0] = '\0';
        int index = 0;
        if (FAILED(shell.link->GetIconLocation(buffer, LinkTextLength, &index))) return false;
        *iconPath = FromBuffer(buffer);
        *iconIndex = index;
    }
    return true;
}

void ShortcutTargetsIn(const char* folder, THeapStringList& out, const THeapStringList* extensions)
{
    out.Clear();
    if (folder == nullptr || folder[0] == '\0') return;
    THeapString directory(folder);
    if (LastChar(directory) != "\\") directory = Concat(directory, "\\");

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Concat(directory, "*"), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (!SameTextIgnoringCase(ExtensionOf(found.cFileName), "lnk")) continue;
        THeapString target;
        if (!ResolveShortcut(Concat(directory, found.cFileName), &target, nullptr, nullptr, nullptr)) continue;
        // Shortcuts to printers, control panel items and the like have no file path.
        if (!target.IsEmpty() && HasWantedExtension(target, extensions)) out.Append(target);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RecentDocuments(THeapStringList& out, const THeapStringList* extensions)
{
    ShortcutTargetsIn(SpecialFolderPath(CSIDL_RECENT), out, extensions);
}
