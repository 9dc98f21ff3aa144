// The file list box: appending, deleting, selection, persistence, drops and the filter block.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "filelists/FileFilter.h"
#include "filelists/FileListbox.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/DropBuilder.h"
#include "support/ForeignNames.h"
#include "support/NoticeWatch.h"
#include "support/RegistryTestKey.h"
#include "support/StringLists.h"
#include "support/TempFolder.h"
#include "support/WideText.h"

namespace {

// The play list's filter of the settings window.
const char appFilter[] = "音声ﾌｧｲﾙ\0*.wav\0MIDIﾌｧｲﾙ\0*.mid;*.rmi\0ｵｰﾃﾞｨｵCD\0*.cda\0"
                         "対応ﾌｧｲﾙ\0*.wav;*.mid;*.rmi;*.cda;*.avi\0全てのﾌｧｲﾙ\0*.*\0";
const int appFilterSize = sizeof appFilter; // the literal's own zero ends the block

BOOL CALLBACK CountVisibleShapes(HWND window, LPARAM count)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "ShapeClass") == 0 && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int VisibleShapes()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountVisibleShapes, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The Delete item's state while the right-click menu is open; the menu is then closed.
HMENU openMenu = nullptr;
UINT deleteItemId = 0;
UINT deleteItemState = 0;
void CALLBACK ReadMenuAndClose(HWND window, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(window, timer);
    deleteItemState = GetMenuState(openMenu, deleteItemId, MF_BYCOMMAND);
    EndMenu();
}

class FileListboxTest : public ::testing::Test {
protected:
    void Show(const TNames& entries, const char* selected = "")
    {
        playList = ListOf(entries);
        current = selected;
        shape.ShowModeless(0);
        PumpPending();
    }
    void TearDown() override { CloseShape(shape); }
    HWND List() const { return box.List(); }
    int Selection() const { return static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0)); }
    int Lines() const { return static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0)); }
    bool DeleteEnabled() { return IsWindowEnabled(box.DeleteButton().control.hwnd) != FALSE; }
    void Select(int line)
    {
        SendMessageA(List(), LB_SETCURSEL, line, 0);
        SendMessageA(shape.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(List()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(List()));
    }
    // The path each list box line shows, in line order.
    TNames Shown() const
    {
        TNames names;
        for (int i = 0; i < Lines(); ++i)
            names.push_back(reinterpret_cast<TComboListItem*>(SendMessageA(List(), LB_GETITEMDATA, i, 0))->text.Text());
        return names;
    }

    THeapStringList playList;
    THeapString current;
    TFileListbox box{DockLeft, 290, 148, &playList, &current, appFilter, appFilterSize, "bmp"};
    TShape shape{nullptr, "FileListTest", &box, nullptr};
};

} // namespace

TEST_F(FileListboxTest, AddPathsAppendsFullPathsInOrderKeepingDuplicates)
{
    Show({"C:\\a.wav"});
    const std::string relative = "C:\\x.mid";
    const int shapesBefore = VisibleShapes();

    box.AddPaths(ListOf({"C:\\b.mid", "C:\\music\\..\\x.mid", "C:\\a.wav"}));

    const TNames expected{"C:\\a.wav", "C:\\b.mid", relative, "C:\\a.wav"};
    EXPECT_EQ(expected, Names(playList));
    EXPECT_EQ(expected, Shown());
    EXPECT_EQ(shapesBefore, VisibleShapes()) << "the progress window is gone";

    // Delete removes the first of two equal entries.
    Select(3);
    box.Delete();
    EXPECT_EQ((TNames{"C:\\b.mid", relative, "C:\\a.wav"}), Names(playList));
}

TEST_F(FileListboxTest, ManyPathsKeepTheirOrder)
{
    Show({});
    TNames paths;
    for (int i = 0; i < 2000; ++i) paths.push_back("C:\\many\\" + std::to_string(i) + ".wav");
    box.AddPaths(ListOf(paths));
    EXPECT_EQ(paths, Names(playList));
    EXPECT_EQ(2000, Lines());
}

TEST_F(FileListboxTest, DeleteKeepsListAndLinesInStepAndMovesTheSelection)
{
    Show({"C:\\1.wav", "C:\\2.wav", "C:\\3.wav", "C:\\4.wav"}, "C:\\2.wav");
    EXPECT_EQ(1, Selection());
    EXPECT_TRUE(DeleteEnabled());

    SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0); // a middle line: the next one moves up into the selection
    EXPECT_EQ((TNames{"C:\\1.wav", "C:\\3.wav", "C:\\4.wav"}), Names(playList));
    EXPECT_EQ(Names(playList), Shown());
    EXPECT_EQ(1, Selection());
    EXPECT_STREQ("C:\\3.wav", current);

    Select(2); // the last line: the new last line is selected
    box.Delete();
    EXPECT_EQ((TNames{"C:\\1.wav", "C:\\3.wav"}), Names(playList));
    EXPECT_EQ(1, Selection());
    EXPECT_STREQ("C:\\3.wav", current);

    box.Delete();
    Select(0);
    box.Delete(); // the only line: nothing left to select
    EXPECT_EQ(0, playList.Count());
    EXPECT_EQ(0, Lines());
    EXPECT_EQ(-1, Selection());
    EXPECT_STREQ("", current);
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(FileListboxTest, SelectionFollowsTheCurrentEntryBothWays)
{
    Show({"C:\\1.wav", "C:\\2.mid"}, "C:\\2.mid");
    EXPECT_EQ(1, Selection());

    Select(0);
    EXPECT_STREQ("C:\\1.wav", current);

    current = "C:\\none.wav";
    box.RefreshFromData();
    EXPECT_EQ(-1, Selection());
    box.RefreshToData();
    EXPECT_STREQ("", current);
    EXPECT_EQ((TNames{"C:\\1.wav", "C:\\2.mid"}), Names(playList));

    EXPECT_STREQ(TFileListElement::ClassName, TWindow::ClassNameOf(List()));
    EXPECT_EQ(&box, GetPropA(List(), "Owner"));
    EXPECT_NE(nullptr, GetPropA(List(), "FileFilter"));
}

// Shapes are set up again and again (the settings window opens many times): each setup's
// right-click menu replaces the one before.
TEST_F(FileListboxTest, SettingUpTwiceLeavesOneRightClickMenu)
{
    Show({"C:\1.wav"});
    const HMENU first = box.Menu();
    ASSERT_TRUE(IsMenu(first));
    DestroyWindow(shape.Handle());
    PumpPending();
    shape.ShowModeless(0);
    PumpPending();
    EXPECT_FALSE(IsMenu(first));
    EXPECT_TRUE(IsMenu(box.Menu()));
}

TEST_F(FileListboxTest, DisablingKeepsDeleteOffWithoutASelection)
{
    Show({"C:\\1.wav"});
    box.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(List()));
    EXPECT_FALSE(IsWindowEnabled(box.AddButton().control.hwnd));
    box.Enable(true);
    EXPECT_TRUE(IsWindowEnabled(List()));
    EXPECT_TRUE(IsWindowEnabled(box.AddButton().control.hwnd));
    EXPECT_FALSE(DeleteEnabled());
}

// Whoever moves the selection, the user, the playback (LB_SETCURSEL) or a refresh from data,
// the Delete button is enabled exactly when a line is selected, and never while the list is off.
TEST_F(FileListboxTest, DeleteFollowsEveryChangeOfTheSelection)
{
    Show({"C:\\1.wav", "C:\\2.wav"});
    EXPECT_FALSE(DeleteEnabled());
    SendMessageA(List(), LB_SETCURSEL, 1, 0);
    EXPECT_TRUE(DeleteEnabled());
    box.RefreshFromData(); // the selected text is still empty
    EXPECT_FALSE(DeleteEnabled());
    current = "C:\\1.wav";
    box.RefreshFromData();
    EXPECT_TRUE(DeleteEnabled());
    SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(DeleteEnabled());

    box.Enable(false);
    SendMessageA(List(), LB_SETCURSEL, 0, 0);
    EXPECT_FALSE(DeleteEnabled());
    box.Enable(true);
    EXPECT_TRUE(DeleteEnabled());
}

TEST_F(FileListboxTest, DroppedFoldersAddTheirMatchingFiles)
{
    Show({"C:\\first.wav"});
    TTempFolder tree;
    tree.Folder("songs");
    const std::string song = tree.File("songs\\a.WAV");
    tree.File("songs\\notes.txt");
    const std::string single = tree.File("b.mid");

    SendMessageA(List(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({single, tree.Path("songs")})), 0);

    EXPECT_EQ((TNames{"C:\\first.wav", single, song}), Names(playList));
    EXPECT_EQ(Names(playList), Shown());
}

// One batch, one notice: for the name that has no file, and so no short name, behind it.
TEST_F(FileListboxTest, DroppedNamesOutsideTheCodePageAreAddedByNamesThatOpen)
{
    Show({});
    TTempFolder tree;
    std::vector<std::wstring> dropped;
    for (const wchar_t* name : ForeignNames) dropped.push_back(tree.WideFile(name));
    tree.Folder("songs");
    tree.WideFile(std::wstring(L"songs\\") + ForeignNames[1]);
    dropped.push_back(Wide(tree.Path("songs")));
    dropped.push_back(Wide(tree.Path("")) + L"gone-\u00e9.wav");
    TNoticeWatch watch;

    SendMessageA(List(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeWideDrop(dropped)), 0);

    ASSERT_EQ(playList.Count(), 4);
    for (const std::string& entry : Names(playList)) EXPECT_TRUE(OpensAsAnsi(entry)) << entry;
    EXPECT_EQ(Names(playList), Shown());
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_NE(watch.Seen()[0].text.find("gone-?.wav"), std::string::npos) << watch.Seen()[0].text;
}

TEST_F(FileListboxTest, RightClickSelectsTheLineUnderTheMouse)
{
    Show({"C:\\1.wav", "C:\\2.wav"});
    openMenu = box.Menu();
    deleteItemId = static_cast<UINT>(box.DeleteButton().id);
    RECT line{};
    SendMessageA(List(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    POINT onLine{line.left + 4, (line.top + line.bottom) / 2};
    ClientToScreen(List(), &onLine);

    SetTimer(shape.Handle(), 1, 200, &ReadMenuAndClose);
    box.ContextMenu(List(), onLine.x, onLine.y);
    EXPECT_EQ(1, Selection());
    EXPECT_STREQ("C:\\2.wav", current);
    EXPECT_EQ(0u, deleteItemState & MF_GRAYED);
    EXPECT_TRUE(DeleteEnabled());

    RECT client{};
    GetClientRect(List(), &client);
    POINT empty{client.left + 4, client.bottom - 4}; // below the two lines
    ClientToScreen(List(), &empty);
    SetTimer(shape.Handle(), 1, 200, &ReadMenuAndClose);
    box.ContextMenu(List(), empty.x, empty.y);
    EXPECT_EQ(-1, Selection());
    EXPECT_STREQ("", current);
    EXPECT_NE(0u, deleteItemState & MF_GRAYED);
    EXPECT_FALSE(DeleteEnabled());
}

// A path wider than the list: the line leaves out the middle, keeping the drive and the file
// name; the entry and the line's data stay whole, and the mouse on the line shows the whole path.
TEST_F(FileListboxTest, CutLinesKeepDriveAndFileNameAndTheTipShowsTheWholePath)
{
    const std::string folders = "C:\\Music Library\\Orchestral Works and Film Scores\\Disc One\\Second Part\\";
    const std::string longPath = folders + "01 - Opening Theme.wav";
    const std::string longName = "C:\\" + std::string(120, 'n') + ".wav";
    Show({"C:\\short.wav", longPath, longName});
    EXPECT_EQ((TNames{"C:\\short.wav", longPath, longName}), Names(playList));
    EXPECT_EQ(Names(playList), Shown());

    RECT client{};
    GetClientRect(List(), &client);
    TWindowFontDC dc(List());
    const struct {
        int line;
        bool cut;
        const char* starts;
        const char* ends;
    } lines[] = {
        {0, false, "C:\\short.wav", ".wav"},
        {1, true, "C:\\", "\\01 - Opening Theme.wav"},
        {2, true, "C:\\nnn", "..."}, // a name alone too long keeps the drive and loses its end
    };
    for (const auto& row : lines) {
        const auto* item = reinterpret_cast<const TComboListItem*>(SendMessageA(List(), LB_GETITEMDATA, row.line, 0));
        const std::string shown = item->ShownText(dc, client.right).Text();
        EXPECT_EQ(row.cut, item->IsCut(client.right)) << shown;
        EXPECT_EQ(0u, shown.find(row.starts)) << shown;
        EXPECT_EQ(shown.size() - std::strlen(row.ends), shown.rfind(row.ends)) << shown;
        RECT bounds{0, 0, 0, 0};
        DrawTextA(dc, shown.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_LE(item->TextLeft() + bounds.right, client.right) << shown;
        EXPECT_EQ(row.cut, shown.find("...") != std::string::npos) << shown;
    }

    auto pointAt = [&](int line) {
        RECT area{};
        SendMessageA(List(), LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&area));
        return MAKELPARAM(area.left + 40, (area.top + area.bottom) / 2);
    };
    HWND tip = box.LineTip().Window();
    ASSERT_NE(nullptr, tip);
    SendMessageA(List(), WM_MOUSEMOVE, 0, pointAt(1));
    EXPECT_EQ(1, box.LineTip().ShownLine());
    EXPECT_TRUE(IsWindowVisible(tip));
    // The tip is as wide as the whole path; the tip answers only the start of its text.
    RECT tipFrame{}, whole{0, 0, 0, 0};
    GetWindowRect(tip, &tipFrame);
    DrawTextA(dc, longPath.c_str(), -1, &whole, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GE(tipFrame.right - tipFrame.left, whole.right);
    char text[512] = "";
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = List();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(0u, longPath.find(text)) << text;
    EXPECT_GT(std::strlen(text), folders.size() / 2) << text;
    SendMessageA(List(), WM_MOUSEMOVE, 0, pointAt(0)); // a line that fits has no tip
    EXPECT_EQ(-1, box.LineTip().ShownLine());
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST(FileListPersistenceTest, SaveAndLoadRoundTrip)
{
    TRegistryTestKey key;
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    THeapStringList list = ListOf({"C:\\a.wav", "C:\\b.mid", "C:\\a.wav"});
    THeapString current = "C:\\b.mid";
    TFileListbox saved(DockLeft, 290, 148, &list, &current, appFilter, appFilterSize, "bmp");
    saved.name = "MusicFileList";
    saved.Save(store);

    THeapStringList loadedList = ListOf({"stale"});
    THeapString loadedCurrent;
    TFileListbox loaded(DockLeft, 290, 148, &loadedList, &loadedCurrent, appFilter, appFilterSize, "bmp");
    loaded.name = "MusicFileList";
    loaded.Load(store);
    EXPECT_EQ(Names(list), Names(loadedList));
    EXPECT_STREQ("C:\\b.mid", loadedCurrent);
}

TEST(FileFilterTest, ExtensionsOfTheApplicationFilter)
{
    THeapStringList extensions;
    FilterExtensions(appFilter, appFilterSize, extensions);
    EXPECT_EQ((TNames{"wav", "mid", "rmi", "cda", "wav", "mid", "rmi", "cda", "avi", "*"}), Names(extensions));
    EXPECT_TRUE(ExtensionListed("WaV", extensions));
    EXPECT_FALSE(ExtensionListed("mp3", extensions));
    EXPECT_FALSE(ExtensionListed("", extensions));

    // A block cut short is read no further than its size.
    FilterExtensions("A\0*.a;*.b", 7, extensions);
    EXPECT_EQ(TNames{"a"}, Names(extensions)) << "the cut pattern \"*.a;*\" has one extension";
}

TEST(FileFilterTest, FilterIndexRule)
{
    EXPECT_EQ(1, FilterIndexFor(appFilter, appFilterSize, ".wav"));
    EXPECT_EQ(2, FilterIndexFor(appFilter, appFilterSize, ".rmi"));
    EXPECT_EQ(4, FilterIndexFor(appFilter, appFilterSize, ".avi"));
    EXPECT_EQ(5, FilterIndexFor(appFilter, appFilterSize, ".wa")) << "a prefix of an extension is no match";
    EXPECT_EQ(5, FilterIndexFor(appFilter, appFilterSize, ".mp3"));
    EXPECT_EQ(5, FilterIndexFor(appFilter, appFilterSize, ""));

    const char various[] = "各種ﾌｧｲﾙ\0*.bmp;*.jpg\0全て\0*.*\0";
    EXPECT_EQ(1, FilterIndexFor(various, sizeof various, ""));
    EXPECT_EQ(1, FilterIndexFor(various, sizeof various, ".jpg"));
    EXPECT_EQ(2, FilterIndexFor(various, sizeof various, ".png"));

    const char noAll[] = "A\0*.a\0B\0*.b\0";
    EXPECT_EQ(2, FilterIndexFor(noAll, sizeof noAll, ".c"));
    const char cut[] = "A\0*.a\0B";
    EXPECT_EQ(1, FilterIndexFor(cut, sizeof cut, ".c"));
    EXPECT_EQ(1, FilterIndexFor(nullptr, 0, ".c"));
}
