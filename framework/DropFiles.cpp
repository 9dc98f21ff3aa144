// DropFiles: reading a drop's names, the shortcut rule, folder expansion and its two notices.
#include "framework/DropFiles.h"

#include "controls/MessageBox.h"
#include "foundation/Handles.h"
#include "foundation/PathOperations.h"
#include "foundation/ShellLink.h"
#include "foundation/StringOperations.h"
#include "framework/Window.h"

namespace {

TDropRelease dropRelease = &DragFinish;

void BringToFront(HWND target)
{
    if (HWND topLevel = TWindow::TopLevelAncestor(target)) SetForegroundWindow(topLevel);
}

// Asks for the length first, so a name of any length is read whole into a buffer of its size.
THeapString DroppedName(HDROP drop, UINT index)
{
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    THeapString name;
    if (length == 0) return name;
    char* buffer = name.Reserve(static_cast<int>(length) + 1);
    const UINT copied = DragQueryFileA(drop, index, buffer, length + 1);
    buffer[copied <= length ? copied : length] = '\0';
    name.Release();
    return name;
}

int CollectNames(HDROP drop, THeapStringList& out)
{
    out.Clear();
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) out.Append(FollowShortcut(DroppedName(drop, index)));
    return out.Count();
}

bool IsFolder(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasListedExtension(const char* path, void* context)
{
    const THeapStringList& extensions = *static_cast<const THeapStringList*>(context);
    const THeapString extension = ExtensionOf(path);
    for (int i = 0; i < extensions.Count(); ++i)
        if (lstrcmpiA(extension, extensions.Item(i)) == 0) return true;
    return false;
}

void NoticeNoFile(HWND owner, const char* folder)
{
    const THeapString text = Concat(Concat("指定されたフォルダ ", folder),
                                    " 内からは\r\n該当するファイルをひとつも発見できませんでした。");
    ShowNotice(owner, "FaildToAddFolder_NoFile", text, true);
}

// Appends what the folder holds, or tells the user why nothing came of it.
void ExpandFolder(const char* folder, HWND owner, const THeapStringList& extensions, TFolderScan scan,
                  THeapStringList& out)
{
    THeapStringList found;
    const int result =
        scan ? scan(folder, owner, found, &HasListedExtension, const_cast<THeapStringList*>(&extensions)) : ScanFailed;
    if (result == ScanStopped) return;
    if (result != ScanFinished) {
        NoticeFolderScanFailed(owner);
        return;
    }
    if (found.Count() == 0) {
        NoticeNoFile(owner, folder);
        return;
    }
    out.AppendList(found);
}

} // namespace

void RefuseDrop(HDROP drop) { dropRelease(drop); }

THeapString FollowShortcut(const char* name)
{
    if (lstrcmpiA(ExtensionOf(name), "lnk") != 0) return THeapString(name);
    THeapString target;
    // A link to something without a file-system path resolves to nothing usable: keep the link.
    if (ResolveShortcut(name, &target, nullptr, nullptr, nullptr) && !target.IsEmpty()) return target;
    return THeapString(name);
}

void NoticeFolderScanFailed(HWND owner)
{
    ShowNotice(owner, "FaildToAddFolder", "フォルダごとのファイルの追加に失敗しました。", false);
}

THeapString TakeDroppedFile(HWND target, HDROP drop)
{
    const TOwnedDrop held(drop, dropRelease);
    BringToFront(target);
    return FollowShortcut(DroppedName(drop, 0));
}

int TakeDroppedFiles(HWND target, HDROP drop, THeapStringList& out)
{
    const TOwnedDrop held(drop, dropRelease);
    BringToFront(target);
    return CollectNames(drop, out);
}

int TakeDroppedFilesExpanded(HWND target, HDROP drop, THeapStringList& out, const THeapStringList& extensions,
                             TFolderScan scan)
{
    THeapStringList dropped;
    {
        const TOwnedDrop held(drop, dropRelease);
        BringToFront(target);
        CollectNames(drop, dropped);
    }
    const HWND owner = TWindow::TopLevelAncestor(target);
    out.Clear();
    for (const THeapString& name : dropped) {
        if (IsFolder(name))
            ExpandFolder(name, owner, extensions, scan, out);
        else
            out.Append(name);
    }
    for (THeapString& name : out) name = FollowShortcut(name);
    return out.Count();
}

TDropRelease ReplaceDropRelease(TDropRelease release)
{
    TDropRelease previous = dropRelease;
    dropRelease = release ? release : &DragFinish;
    return previous;
}
