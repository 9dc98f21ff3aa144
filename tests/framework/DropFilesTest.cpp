// Drops built as the shell builds them: names, shortcuts, long names, folders, notices and DragFinish.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DropBuilder.h"
#include "filelists/FolderScan.h"
#include "filelists/TempTree.h"
#include "foundation/ShellLink.h"
#include "framework/DropFiles.h"

namespace {

using TNames = std::vector<std::string>;

TNames Names(const THeapStringList& list)
{
    TNames names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Item(i).Text());
    return names;
}

std::vector<HDROP> released;
void WINAPI CountingRelease(HDROP drop)
{
    released.push_back(drop);
    DragFinish(drop);
}

// Notices seen while a drop is taken: each is read and answered with OK.
struct TNotice {
    std::string text;
    bool withCheck;
};
std::vector<TNotice> notices;

BOOL CALLBACK ReadNoticeChild(HWND child, LPARAM lParam)
{
    auto& notice = *reinterpret_cast<TNotice*>(lParam);
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) notice.withCheck = true;
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    notice.text += std::string(text) + "|";
    return TRUE;
}

BOOL CALLBACK AnswerNotice(HWND window, LPARAM)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "ShapeClass") != 0 || !IsWindowVisible(window) || !GetDlgItem(window, IDOK)) return TRUE;
    TNotice notice{"", false};
    EnumChildWindows(window, &ReadNoticeChild, reinterpret_cast<LPARAM>(&notice));
    notices.push_back(notice);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    return FALSE;
}

void CALLBACK WatchNotices(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &AnswerNotice, 0);
}

int scanResult = 0;
int FixedScan(const char*, HWND, THeapStringList& found, TScanFilter, void*)
{
    found.Clear();
    found.Append("C:\\found-before-the-stop.wav");
    return scanResult;
}

class DropFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        released.clear();
        notices.clear();
        previousRelease = ReplaceDropRelease(&CountingRelease);
        timer = SetTimer(nullptr, 0, 30, &WatchNotices);
        target = CreateWindowExA(0, "STATIC", "drop target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, target, nullptr, nullptr,
                                nullptr);
        extensions.Append("wav");
        extensions.Append("mid");
    }
    void TearDown() override
    {
        DestroyWindow(target);
        KillTimer(nullptr, timer);
        ReplaceDropRelease(previousRelease);
        CoUninitialize();
    }

    TTempTree tree;
    TDropRelease previousRelease = nullptr;
    TFolderScan scan = &ScanFolder; // what the file list box gives the drop handling
    UINT_PTR timer = 0;
    HWND target = nullptr;
    HWND child = nullptr;
    THeapStringList extensions;
};

} // namespace

TEST_F(DropFilesTest, NamesComeInDropOrderAndLongNamesWhole)
{
    const std::string longName = "C:\\" + std::string(300, 'n') + ".wav";
    const TNames dropped = {tree.File("one.txt").Text(), longName, tree.File("two.wav").Text()};
    THeapStringList out;
    out.Append("stale");
    HDROP drop = MakeDrop(dropped);
    EXPECT_EQ(TakeDroppedFiles(child, drop, out), 3);
    EXPECT_EQ(Names(out), dropped);
    EXPECT_EQ(released, std::vector<HDROP>{drop});

    drop = MakeDrop({longName, dropped[0]});
    EXPECT_EQ(std::string(TakeDroppedFile(child, drop).Text()), longName);
    EXPECT_EQ(released.back(), drop);
    EXPECT_EQ(GlobalSize(drop), 0u); // DragFinish freed the block

    EXPECT_EQ(GetForegroundWindow(), target); // the child's top-level window came to the front
}

TEST_F(DropFilesTest, ShortcutsAreFollowedOrKept)
{
    const THeapString file = tree.File("target.wav");
    const THeapString link = tree.Path("to target.LNK");
    ASSERT_TRUE(CreateShortcut(link, file, "", nullptr, 0));
    const THeapString broken = tree.File("broken.lnk", FILE_ATTRIBUTE_NORMAL, "not a shortcut");
    const THeapString missing = tree.Path("missing.lnk");

    THeapStringList out;
    EXPECT_EQ(TakeDroppedFiles(child, MakeDrop({link.Text(), broken.Text(), missing.Text()}), out), 3);
    EXPECT_EQ(Names(out), (TNames{file.Text(), broken.Text(), missing.Text()}));
    EXPECT_EQ(std::string(TakeDroppedFile(child, MakeDrop({link.Text()})).Text()), file.Text());
    EXPECT_EQ(released.size(), 2u);
}

TEST_F(DropFilesTest, FoldersAreExpandedWithTheFilterAndShortcutsToFoldersScanned)
{
    const THeapString plain = tree.File("notes.txt"); // dropped directly: kept despite the filter
    tree.Folder("music");
    const THeapString a = tree.File("music\\a.wav");
    tree.File("music\\skip.txt");
    tree.Folder("music\\inner");
    const THeapString b = tree.File("music\\inner\\b.MID");
    tree.Folder("linked");
    const THeapString c = tree.File("linked\\c.wav");
    const THeapString folderLink = tree.Path("linked folder.lnk");
    ASSERT_TRUE(CreateShortcut(folderLink, tree.Path("linked"), "", nullptr, 0));

    THeapStringList out;
    const int count = TakeDroppedFilesExpanded(
        child, MakeDrop({plain.Text(), tree.Path("music").Text(), folderLink.Text()}), out, extensions, scan);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Names(out), (TNames{plain.Text(), a.Text(), b.Text(), c.Text()}));
    EXPECT_EQ(released.size(), 1u);
    EXPECT_TRUE(notices.empty());
}

TEST_F(DropFilesTest, AnEmptyFolderGivesItsNoticeAndTheOtherItemsStay)
{
    const THeapString plain = tree.File("song.wav");
    const THeapString empty = tree.Folder("empty");
    tree.File("empty\\readme.txt"); // nothing that matches the filter

    THeapStringList out;
    EXPECT_EQ(TakeDroppedFilesExpanded(child, MakeDrop({empty.Text(), plain.Text()}), out, extensions, scan), 1);
    EXPECT_EQ(Names(out), TNames{plain.Text()});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].text.find(empty.Text()), std::string::npos) << notices[0].text;
    EXPECT_TRUE(notices[0].withCheck);
    EXPECT_EQ(released.size(), 1u);
}

TEST_F(DropFilesTest, AFailedScanIsReportedAndAStoppedOneIsSilent)
{
    const THeapString plain = tree.File("song.wav");
    const THeapString folder = tree.Folder("folder");
    scan = &FixedScan;
    THeapStringList out;

    scanResult = 2; // the user stopped it: whatever it found is dropped, nothing is said
    EXPECT_EQ(TakeDroppedFilesExpanded(child, MakeDrop({folder.Text(), plain.Text()}), out, extensions, scan), 1);
    EXPECT_EQ(Names(out), TNames{plain.Text()});
    EXPECT_TRUE(notices.empty());

    scanResult = 3;
    EXPECT_EQ(TakeDroppedFilesExpanded(child, MakeDrop({folder.Text(), plain.Text()}), out, extensions, scan), 1);
    EXPECT_EQ(Names(out), TNames{plain.Text()});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_FALSE(notices[0].withCheck); // "FaildToAddFolder" offers no "do not show again"
    EXPECT_EQ(released.size(), 2u);
}
