// Drops built as the shell builds them: names, shortcuts, long names, folders, notices and DragFinish.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "filelists/FolderScan.h"
#include "foundation/ShellLink.h"
#include "framework/DropFiles.h"
#include "support/DropBuilder.h"
#include "support/NoticeWatch.h"
#include "support/Seam.h"
#include "support/StringLists.h"
#include "support/TempFolder.h"

namespace {

std::vector<HDROP> released;
void WINAPI CountingRelease(HDROP drop)
{
    released.push_back(drop);
    DragFinish(drop);
}

int scanResult = 0;
int FixedScan(const char*, HWND, THeapStringList& found, TScanFilter, void*, TLeftOutPaths*)
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
        CoUninitialize();
    }

    TTempFolder tree;
    TSeam release{ReplaceDropRelease, &CountingRelease};
    TFolderScan scan = &ScanFolder; // what the file list box gives the drop handling
    TNoticeWatch watch;
    const std::vector<TSeenNotice>& notices = watch.Seen();
    HWND target = nullptr;
    HWND child = nullptr;
    THeapStringList extensions;
};

} // namespace

TEST_F(DropFilesTest, NamesComeInDropOrderAndLongOnesAreRefusedWhole)
{
    // Longer than MAX_PATH: refused whole, never cut into another file's name.
    const std::string longName = "C:\\" + std::string(300, 'n') + ".wav";
    const TNames dropped = {tree.File("one.txt"), longName, tree.File("two.wav")};
    THeapStringList out;
    out.Append("stale");
    TLeftOutPaths leftOut;
    HDROP drop = MakeDrop(dropped);
    EXPECT_EQ(TakeDroppedFiles(child, drop, out, &leftOut), 2);
    EXPECT_EQ(Names(out), (TNames{dropped[0], dropped[2]}));
    EXPECT_EQ(leftOut.Count(), 1);
    EXPECT_EQ(released, std::vector<HDROP>{drop});

    drop = MakeDrop({longName, dropped[0]});
    EXPECT_STREQ(TakeDroppedFile(child, drop), "");
    EXPECT_EQ(released.back(), drop);
    EXPECT_EQ(GlobalSize(drop), 0u); // DragFinish freed the block

    EXPECT_EQ(GetForegroundWindow(), target); // the child's top-level window came to the front
}

TEST_F(DropFilesTest, ShortcutsAreFollowedOrKept)
{
    const std::string file = tree.File("target.wav");
    const std::string link = tree.Path("to target.LNK");
    ASSERT_TRUE(CreateShortcut(link.c_str(), file.c_str(), "", nullptr, 0));
    const std::string broken = tree.File("broken.lnk", "not a shortcut");
    const std::string missing = tree.Path("missing.lnk");

    THeapStringList out;
    EXPECT_EQ(TakeDroppedFiles(child, MakeDrop({link, broken, missing}), out), 3);
    EXPECT_EQ(Names(out), (TNames{file, broken, missing}));
    EXPECT_EQ(std::string(TakeDroppedFile(child, MakeDrop({link})).Text()), file);
    EXPECT_EQ(released.size(), 2u);
}

TEST_F(DropFilesTest, FoldersAreExpandedWithTheFilterAndShortcutsToFoldersScanned)
{
    const std::string plain = tree.File("notes.txt"); // dropped directly: kept despite the filter
    tree.Folder("music");
    const std::string a = tree.File("music\\a.wav");
    tree.File("music\\skip.txt");
    tree.Folder("music\\inner");
    const std::string b = tree.File("music\\inner\\b.MID");
    tree.Folder("linked");
    const std::string c = tree.File("linked\\c.wav");
    const std::string folderLink = tree.Path("linked folder.lnk");
    ASSERT_TRUE(CreateShortcut(folderLink.c_str(), tree.Path("linked").c_str(), "", nullptr, 0));

    THeapStringList out;
    const int count = TakeDroppedFilesExpanded(
        child, MakeDrop({plain, tree.Path("music"), folderLink}), out, extensions, scan);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Names(out), (TNames{plain, a, b, c}));
    EXPECT_EQ(released.size(), 1u);
    EXPECT_TRUE(notices.empty());
}

TEST_F(DropFilesTest, AnEmptyFolderGivesItsNoticeAndTheOtherItemsStay)
{
    const std::string plain = tree.File("song.wav");
    const std::string empty = tree.Folder("empty");
    tree.File("empty\\readme.txt"); // nothing that matches the filter

    THeapStringList out;
    EXPECT_EQ(TakeDroppedFilesExpanded(child, MakeDrop({empty, plain}), out, extensions, scan), 1);
    EXPECT_EQ(Names(out), TNames{plain});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].text.find(empty), std::string::npos) << notices[0].text;
    EXPECT_TRUE(notices[0].withCheck);
    EXPECT_EQ(released.size(), 1u);
}

TEST_F(DropFilesTest, AFailedScanIsReportedAndAStoppedOneIsSilent)
{
    const std::string plain = tree.File("song.wav");
    const std::string folder = tree.Folder("folder");
    scan = &FixedScan;
    THeapStringList out;

    scanResult = 2; // the user stopped it: whatever it found is dropped, nothing is said
    EXPECT_EQ(TakeDroppedFilesExpanded(child, MakeDrop({folder, plain}), out, extensions, scan), 1);
    EXPECT_EQ(Names(out), TNames{plain});
    EXPECT_TRUE(notices.empty());

    scanResult = 3;
    EXPECT_EQ(TakeDroppedFilesExpanded(child, MakeDrop({folder, plain}), out, extensions, scan), 1);
    EXPECT_EQ(Names(out), TNames{plain});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_FALSE(notices[0].withCheck); // "FaildToAddFolder" offers no "do not show again"
    EXPECT_EQ(released.size(), 2u);
}

TEST_F(DropFilesTest, OneNoticeCountsTheLeftOutFilesAndNamesTheFirstFew)
{
    TLeftOutPaths leftOut;
    NoticeLeftOutPaths(target, leftOut);
    EXPECT_TRUE(notices.empty()) << "nothing left out, nothing said";

    for (const char* name : {"C:\\a?.wav", "C:\\b?.wav", "C:\\c?.wav", "C:\\d?.wav", "C:\\e?.wav"}) leftOut.Add(name);
    NoticeLeftOutPaths(target, leftOut);
    ASSERT_EQ(notices.size(), 1u);
    const std::string& text = notices[0].text;
    for (const char* shown : {"5 個", "C:\\a?.wav", "C:\\c?.wav", "ほか 2 個"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;
    EXPECT_EQ(text.find("d?.wav"), std::string::npos) << text;
    EXPECT_TRUE(notices[0].withCheck); // the user can silence it
}
