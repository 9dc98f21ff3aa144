// The folder scan over real trees (order, filter, progress, Pause/Resume/Stop, failures), ListFolder and the browser.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "controls/ProgressBarElement.h"
#include "filelists/FolderScan.h"
#include "filelists/ProgressWindow.h"
#include "foundation/StringOperations.h"
#include "foundation/AnsiPath.h"
#include "foundation/FileSystem.h"
#include "support/ForeignNames.h"
#include "support/StringLists.h"
#include "support/TempFolder.h"
#include "support/UnixCommand.h"

namespace {

// The tree walked the obvious recursive way: a folder's files, then each subfolder in turn.
void WalkRecursively(const std::string& folder, TNames& files)
{
    TNames subfolders;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? subfolders : files).push_back(folder + "\\" + name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    for (const std::string& subfolder : subfolders) WalkRecursively(subfolder, files);
}

bool IsSound(const char* path, void*)
{
    const int length = lstrlenA(path);
    return length > 4 && (lstrcmpiA(path + length - 4, ".wav") == 0 || lstrcmpiA(path + length - 4, ".mid") == 0);
}

TNames OnlySounds(const TNames& names)
{
    TNames sounds;
    for (const std::string& name : names)
        if (IsSound(name.c_str(), nullptr)) sounds.push_back(name);
    return sounds;
}

BOOL CALLBACK TakeProgressWindow(HWND window, LPARAM result)
{
    if (!FindWindowExA(window, nullptr, "VantryProgressBar", nullptr)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// The progress window the running scan shows (this thread's shape with a progress bar).
HWND RunningProgressWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &TakeProgressWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

TProgressBarElement* RunningBar()
{
    HWND window = RunningProgressWindow();
    HWND bar = window ? FindWindowExA(window, nullptr, "VantryProgressBar", nullptr) : nullptr;
    return bar ? reinterpret_cast<TProgressBarElement*>(GetWindowLongPtrA(bar, 0)) : nullptr;
}

void PressOnRunningWindow(int id)
{
    HWND window = RunningProgressWindow();
    if (window) PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// Lets a test act from inside the scan, where the filter sees each file.
struct TScanProbe {
    std::function<void(const char* path)> onFile;
    static bool Keep(const char* path, void* context)
    {
        static_cast<TScanProbe*>(context)->onFile(path);
        return IsSound(path, nullptr);
    }
};

bool EndsWith(const char* text, const char* tail)
{
    const int length = lstrlenA(text), tailLength = lstrlenA(tail);
    return length >= tailLength && lstrcmpiA(text + length - tailLength, tail) == 0;
}

class FolderScanTest : public ::testing::Test {
protected:
    FolderScanTest()
    {
        tree.File("a.wav");
        tree.File("b.mid");
        tree.File("c.txt");
        tree.File("hidden.wav", "x", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        tree.Folder("d1");
        tree.File("d1\\x.wav");
        tree.Folder("d1\\d1a");
        tree.File("d1\\d1a\\y.wav");
        tree.Folder("d1\\d1b");
        tree.Folder("d2");
        tree.File("d2\\z.wav");
        tree.Folder("d2\\d2a");
        tree.Folder("d2\\d2a\\d2aa");
        tree.File("d2\\d2a\\d2aa\\deep.wav");
        tree.Folder("d3");
    }

    TNames Everything() const
    {
        TNames files;
        WalkRecursively(tree.Path(), files);
        return files;
    }

    TTempFolder tree;
};

} // namespace

TEST_F(FolderScanTest, FindsEveryFileDepthFirstInListingOrder)
{
    THeapStringList found;
    EXPECT_EQ(ScanFolder(tree.Path().c_str(), nullptr, found, nullptr, nullptr), ScanFinished);
    const TNames all = Everything();
    ASSERT_EQ(all.size(), 8u); // hidden and system files are listed like any other
    EXPECT_EQ(Names(found), all);
    for (const std::string& name : Names(found)) EXPECT_EQ(name.find("\\."), std::string::npos) << name;

    // The filter keeps its choice; a start folder given with a backslash gives the same paths.
    EXPECT_EQ(ScanFolder(Concat(tree.Path().c_str(), "\\"), nullptr, found, &IsSound, nullptr), ScanFinished);
    EXPECT_EQ(Names(found), OnlySounds(all));
    EXPECT_FALSE(RunningProgressWindow()); // closed again
}

TEST_F(FolderScanTest, ProgressCountsTheStartFolderAndItsSubfolders)
{
    struct TSeen {
        int range = -1;
        int position = -1;
    };
    std::vector<std::pair<std::string, TSeen>> seen;
    TScanProbe probe;
    probe.onFile = [&](const char* path) {
        TSeen now;
        if (TProgressBarElement* bar = RunningBar()) now = TSeen{bar->range, bar->current};
        seen.emplace_back(path, now);
    };
    THeapStringList found;
    ASSERT_EQ(ScanFolder(tree.Path().c_str(), nullptr, found, &TScanProbe::Keep, &probe), ScanFinished);
    for (const auto& [path, now] : seen) {
        if (EndsWith(path.c_str(), "\\a.wav")) {
            EXPECT_EQ(now.position, 0); // before the first folder counts
        }
        if (EndsWith(path.c_str(), "\\y.wav")) {
            EXPECT_EQ(now.range, 4); // the start folder and its three subfolders
            EXPECT_EQ(now.position, 2);
        }
        if (EndsWith(path.c_str(), "\\deep.wav")) {
            EXPECT_EQ(now.position, 3); // deeper levels do not move it
        }
    }
    EXPECT_EQ(seen.size(), 8u);
}

TEST_F(FolderScanTest, StopEndsTheScanKeepingWhatWasFound)
{
    TScanProbe probe;
    probe.onFile = [](const char*) { PressOnRunningWindow(TProgressWindow::StopId); };
    THeapStringList found;
    EXPECT_EQ(ScanFolder(tree.Path().c_str(), nullptr, found, &TScanProbe::Keep, &probe), ScanStopped);
    TNames rootSounds;
    for (const std::string& name : OnlySounds(Everything()))
        if (name.find('\\', tree.Path().size() + 1) == std::string::npos) rootSounds.push_back(name);
    EXPECT_EQ(Names(found), rootSounds); // the start folder's own files, nothing below
    EXPECT_FALSE(RunningProgressWindow());
}

namespace {

THeapStringList pausedScanFound;
std::vector<int> countsWhilePaused;
bool resumeAtEnd = false;

// Ticks come only while the scan pumps; after a few seen paused it resumes or stops the scan.
void CALLBACK WatchPausedScan(HWND, UINT, UINT_PTR, DWORD)
{
    HWND window = RunningProgressWindow();
    if (!window || !IsWindowEnabled(GetDlgItem(window, TProgressWindow::ResumeId))) return;
    countsWhilePaused.push_back(pausedScanFound.Count());
    if (countsWhilePaused.size() == 4)
        PressOnRunningWindow(resumeAtEnd ? TProgressWindow::ResumeId : TProgressWindow::StopId);
}

} // namespace

TEST_F(FolderScanTest, PauseHoldsTheScanUntilResumeAndStopWorksWhilePaused)
{
    THeapStringList& found = pausedScanFound;
    for (bool resume : {true, false}) {
        SCOPED_TRACE(resume ? "resumed" : "stopped while paused");
        countsWhilePaused.clear();
        resumeAtEnd = resume;
        bool paused = false;
        TScanProbe probe;
        probe.onFile = [&](const char*) {
            if (paused) return;
            paused = true;
            PressOnRunningWindow(TProgressWindow::PauseId);
        };
        UINT_PTR timer = SetTimer(nullptr, 0, 30, &WatchPausedScan);
        const int result = ScanFolder(tree.Path().c_str(), nullptr, found, &TScanProbe::Keep, &probe);
        KillTimer(nullptr, timer);
        ASSERT_GE(countsWhilePaused.size(), 4u);
        for (int count : countsWhilePaused) EXPECT_EQ(count, countsWhilePaused.front());
        if (resume) {
            EXPECT_EQ(result, ScanFinished);
            EXPECT_EQ(Names(found), OnlySounds(Everything()));
        } else {
            EXPECT_EQ(result, ScanStopped);
            EXPECT_EQ(found.Count(), countsWhilePaused.front());
        }
    }
}

TEST_F(FolderScanTest, OnlyAStartFolderThatCannotBeListedFailsTheScan)
{
    // The subfolder is listed with its parent and gone by the time the scan reaches it: passed over.
    TScanProbe probe;
    probe.onFile = [this](const char*) { RemoveDirectoryA(tree.Path("d3").c_str()); };
    THeapStringList found;
    EXPECT_EQ(ScanFolder(tree.Path().c_str(), nullptr, found, &TScanProbe::Keep, &probe), ScanFinished);
    EXPECT_EQ(Names(found), OnlySounds(Everything()));

    found.Append("left over");
    EXPECT_EQ(ScanFolder(tree.Path("missing").c_str(), nullptr, found, nullptr, nullptr), ScanFailed);
    EXPECT_EQ(found.Count(), 0);
    // An empty start is no folder, not the current drive's root.
    EXPECT_EQ(ScanFolder("", nullptr, found, nullptr, nullptr), ScanFailed);
    EXPECT_FALSE(RunningProgressWindow());
}

namespace {

// What a script did to the tree on the Unix side, undone however the test ends.
struct TUnixChanges {
    std::string undo;
    ~TUnixChanges()
    {
        if (!undo.empty()) RunUnixScript(undo);
    }
};

} // namespace

// As users keep music: names outside the code page, a folder that denies listing (as "System
// Volume Information" does at every drive's root), a link that leads back up the tree, and a
// path that no short name brings under MAX_PATH.
TEST_F(FolderScanTest, ForeignNamesLockedFoldersLinkLoopsAndOverlongPaths)
{
    const std::string unixTree = UnixPath(tree.Path());
    ASSERT_FALSE(unixTree.empty()) << "not under Wine";
    const TNames plain = OnlySounds(Everything());
    for (const wchar_t* name : ForeignNames) tree.WideFile(std::wstring(L"d1\\") + name);
    tree.Folder("locked");
    tree.File("locked\\hidden.wav");
    const std::string deep(MAX_PATH - 10 - tree.Path().size(), 'f');
    tree.Folder(deep);
    TUnixChanges changes;
    changes.undo = "cd '" + unixTree + "' && chmod 755 locked && rm -f d2/loop";
    ASSERT_TRUE(RunUnixScript("cd '" + unixTree + "' && chmod 000 locked && ln -s .. d2/loop && touch " + deep +
                              "/a-long-name.wav " + deep + "/a-long-name.txt"));
    ASSERT_FALSE(FolderExists(tree.Path("locked").c_str()))
        << "the Wine server lists any folder: start it without root's power over permissions, as scripts/common.sh does";

    THeapStringList found;
    TLeftOutPaths leftOut;
    ASSERT_EQ(ScanFolder(tree.Path().c_str(), nullptr, found, &IsSound, nullptr, &leftOut), ScanFinished);
    TNames ordinary;
    int foreign = 0;
    for (const std::string& name : Names(found)) {
        EXPECT_TRUE(OpensAsAnsi(name)) << name;
        EXPECT_EQ(name.find("\\loop\\"), std::string::npos) << name;
        if (std::find(plain.begin(), plain.end(), name) == plain.end())
            ++foreign;
        else
            ordinary.push_back(name);
    }
    TNames expected = plain;
    std::sort(expected.begin(), expected.end());
    std::sort(ordinary.begin(), ordinary.end());
    EXPECT_EQ(ordinary, expected);
    EXPECT_EQ(foreign, 3);
    // The sound whose path is too long is told of; the text file the filter drops is not.
    ASSERT_EQ(leftOut.Count(), 1);
    EXPECT_EQ(std::string(leftOut.FirstNames().Item(0)), tree.Path(deep + "\\a-long-name.wav"));
}

TEST_F(FolderScanTest, AStartFolderWithoutSubfoldersIsOneListing)
{
    THeapStringList found;
    EXPECT_EQ(ScanFolder(tree.Path("d1\\d1a").c_str(), nullptr, found, nullptr, nullptr), ScanFinished);
    EXPECT_EQ(Names(found), TNames{tree.Path("d1\\d1a\\y.wav")});
    EXPECT_EQ(ScanFolder(tree.Path("d1\\d1b").c_str(), nullptr, found, nullptr, nullptr), ScanFinished);
    EXPECT_EQ(found.Count(), 0);
}

TEST_F(FolderScanTest, ListFolderSplitsFilesFromSubfolders)
{
    THeapStringList files, subfolders;
    ASSERT_TRUE(ListFolder(tree.Path("d1").c_str(), files, &subfolders));
    EXPECT_EQ(Names(files), TNames{tree.Path("d1\\x.wav")});
    TNames folders = Names(subfolders);
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (TNames{tree.Path("d1\\d1a"), tree.Path("d1\\d1b")}));

    // A trailing backslash is not doubled; without a subfolder list only files come back.
    ASSERT_TRUE(ListFolder(Concat(tree.Path("d1").c_str(), "\\"), files, nullptr));
    EXPECT_EQ(Names(files), TNames{tree.Path("d1\\x.wav")});

    ASSERT_TRUE(ListFolder(tree.Path("d1\\d1b").c_str(), files, &subfolders));
    EXPECT_EQ(files.Count() + subfolders.Count(), 0);

    files.Append("stale");
    subfolders.Append("stale");
    EXPECT_FALSE(ListFolder(tree.Path("missing").c_str(), files, &subfolders));
    EXPECT_EQ(files.Count() + subfolders.Count(), 0);
}

namespace {

int browseAnswer = IDOK;
const char* expectedSelection = ""; // the folder name the browser must show selected first
int ticksSeen = 0; // timer ticks the browser has been visible
bool selectionSeen = false; // the browser showed the start folder selected before the answer

// The text of the browser tree's selected item: the browser selects the start folder
// after it has appeared, and later still on a busy machine.
std::string SelectedFolderName(HWND browser)
{
    HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    if (!tree) return "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    char text[MAX_PATH] = "";
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
    return text;
}

BOOL CALLBACK AnswerBrowser(HWND window, LPARAM)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    const int settleTicks = 2, giveUpTicks = 60;
    ++ticksSeen;
    if (ticksSeen < settleTicks) return FALSE;
    selectionSeen = SelectedFolderName(window) == expectedSelection;
    if (!selectionSeen && ticksSeen < giveUpTicks) return FALSE;
    ticksSeen = 0;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(browseAnswer, BN_CLICKED), 0);
    return FALSE;
}

// Answers the folder browser once it has shown its initial selection.
void CALLBACK WatchBrowser(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &AnswerBrowser, 0);
}

// COM and the answering timer for one test, however the test leaves.
struct TBrowserWatch {
    TBrowserWatch() : initialised(SUCCEEDED(CoInitialize(nullptr))), timer(SetTimer(nullptr, 0, 300, &WatchBrowser)) {}
    ~TBrowserWatch()
    {
        KillTimer(nullptr, timer);
        if (initialised) CoUninitialize();
    }
    bool initialised;
    UINT_PTR timer;
};

} // namespace

TEST_F(FolderScanTest, BrowserStartsAtTheFolderAndAnswersWithABackslash)
{
    TBrowserWatch watch;
    ASSERT_TRUE(watch.initialised);

    browseAnswer = IDOK; // accepts the initial selection, which the trailing backslash must not spoil
    expectedSelection = "d2";
    THeapString folder = Concat(tree.Path("d2").c_str(), "\\");
    EXPECT_TRUE(BrowseForFolder(folder, nullptr, "choose"));
    // Now and then Wine's browser never applies the start selection it was sent; what it
    // answers then says nothing about the program.
    if (!selectionSeen) GTEST_SKIP() << "the browser did not select the start folder";
    EXPECT_EQ(lstrcmpiA(folder, (tree.Path("d2") + "\\").c_str()), 0) << folder.Text();

    expectedSelection = "d1";
    folder = tree.Path("d1").c_str();
    EXPECT_TRUE(BrowseForFolder(folder, nullptr, "choose"));
    if (!selectionSeen) GTEST_SKIP() << "the browser did not select the start folder";
    EXPECT_EQ(lstrcmpiA(folder, Concat(tree.Path("d1").c_str(), "\\")), 0) << folder.Text();

    browseAnswer = IDCANCEL;
    folder = tree.Path("d1").c_str();
    EXPECT_FALSE(BrowseForFolder(folder, nullptr, "choose"));
    EXPECT_EQ(folder.Text(), tree.Path("d1"));
}
