// DropFiles: reading a drop's names, the shortcut rule, folder expansion and its two notices.
#include "framework/DropFiles.h"

#include <string>

#include "controls/MessageBox.h"
#include "foundation/AnsiPath.h"
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

// Read in UTF-16, for the shell's ANSI form of a name outside the code page names no file. The
// length is asked first, so a name of any length is read whole and never cut into another's.
THeapString DroppedName(HDROP drop, UINT index, TLeftOutPaths* leftOut)
{
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) return THeapString();
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, &name[0], length + 1);
    name.resize(copied <= length ? copied : length);
    return OpenableAnsiPath(name.c_str(), leftOut);
}

int CollectNames(HDROP drop, THeapStringList& out, TLeftOutPaths* leftOut)
{
    out.Clear();
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const THeapString name = DroppedName(drop, index, leftOut);
        if (!name.IsEmpty()) out.Append(FollowShortcut(name));
    }
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

// Appends what the folder holds, or tells the user why nothing came of it. Matching files that
// were left out are told of with the rest of the drop's.
void ExpandFolder(const char* folder, HWND owner, const THeapStringList& extensions, TFolderScan scan,
                  THeapStringList& out, TLeftOutPaths* leftOut)
{
    THeapStringList found;
    TLeftOutPaths unreachable;
    const int result = scan ? scan(folder, owner, found, &HasListedExtension,
                                   const_cast<THeapStringList*>(&extensions), &unreachable)
                            : ScanFailed;
    if (result == ScanStopped) return;
    if (result != ScanFinished) {
        NoticeFolderScanFailed(owner);
        return;
    }
    if (leftOut) leftOut->Add(unreachable);
    if (found.Count() == 0 && unreachable.Count() == 0) {
        NoticeNoFile(owner, folder);
        return;
    }
    out.AppendList(found);
}

// The names as the notice lists them: one a line, indented, and how many more.
THeapString LeftOutList(const TLeftOutPaths& leftOut)
{
    THeapString list;
    for (const THeapString& name : leftOut.FirstNames()) list = Concat(Concat(list, "\r\n　"), name);
    const int more = leftOut.Count() - leftOut.FirstNames().Count();
    if (more > 0) list = Concat(list, THeapString().Format("\r\n　・・・ほか %d 個", more));
    return list;
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

void NoticeLeftOutPaths(HWND owner, const TLeftOutPaths& leftOut)
{
    if (leftOut.Count() == 0) return;
    THeapString text;
    text.Format("次の %d 個のファイルは、名前にこのプログラムで扱えない文字を含むか\r\n"
                "パスが長すぎるため、追加できませんでした。\r\n",
                leftOut.Count());
    ShowNotice(owner, "FaildToAddFile_NoUsablePath", Concat(text, LeftOutList(leftOut)), true);
}

THeapString TakeDroppedFile(HWND target, HDROP drop)
{
    const TOwnedDrop held(drop, dropRelease);
    BringToFront(target);
    const THeapString name = DroppedName(drop, 0, nullptr);
    return name.IsEmpty() ? name : FollowShortcut(name);
}

int TakeDroppedFiles(HWND target, HDROP drop, THeapStringList& out, TLeftOutPaths* leftOut)
{
    const TOwnedDrop held(drop, dropRelease);
    BringToFront(target);
    return CollectNames(drop, out, leftOut);
}

int TakeDroppedFilesExpanded(HWND target, HDROP drop, THeapStringList& out, const THeapStringList& extensions,
                             TFolderScan scan, TLeftOutPaths* leftOut)
{
    THeapStringList dropped;
    {
        const TOwnedDrop held(drop, dropRelease);
        BringToFront(target);
        CollectNames(drop, dropped, leftOut);
    }
    const HWND owner = TWindow::TopLevelAncestor(target);
    out.Clear();
    for (const THeapString& name : dropped) {
        if (IsFolder(name))
            ExpandFolder(name, owner, extensions, scan, out, leftOut);
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
