// The combo edit: completion from the history, the floating list, keys and persistence.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "filelists/ComboCompletion.h"
#include "filelists/ComboboxElement.h"
#include "foundation/RegistrySection.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/DropBuilder.h"
#include "support/RegistryTestKey.h"
#include "support/UnixCommand.h"
#include "support/Wait.h"
#include "support/WindowTexts.h"

namespace {

const char entryA[] = "C:\\Windows\\a.bmp";
const char entryB[] = "C:\\Windows\\b.bmp";

void Type(HWND edit, const char* keys)
{
    for (const char* key = keys; *key; ++key) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*key), 1);
}

// Real key strokes typed on the X display (xdotool is a Unix program, started through Wine's
// bridge), then Control, which the edit ignores, as an end marker: once the marker's release
// has come through this thread's queue, so has every key before it.
bool markerReleased = false;

LRESULT CALLBACK WatchForMarker(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && message->message == WM_KEYUP && message->wParam == VK_CONTROL) markerReleased = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

::testing::AssertionResult TypeKeys(const char* keysyms)
{
    markerReleased = false;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, &WatchForMarker, nullptr, GetCurrentThreadId());
    ::testing::AssertionResult typed =
        StartUnix(std::string("/usr/bin/xdotool key --delay 40 ") + keysyms + " Control_L")
            ? WaitUntil([] { return markerReleased; }, 10000, "the typed keys' arrival", &PumpPending)
            : ::testing::AssertionFailure() << "xdotool did not start";
    UnhookWindowsHookEx(hook);
    PumpPending(); // whatever the last keys posted
    return typed;
}

std::pair<DWORD, DWORD> Selection(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

class ComboboxTest : public ::testing::Test {
protected:
    void Show(std::initializer_list<const char*> entries, const char* text = "")
    {
        for (const char* entry : entries) combo.History().Append(entry);
        combo.SetText(text);
        shape.ShowModeless(0);
        SetForegroundWindow(shape.Handle());
        PumpPending();
    }
    void TearDown() override { CloseShape(shape); }
    TOwnerDrawComboboxElement combo{DockTop, 240};
    TOwnerDrawComboboxElement other{DockTop, 240};
    TShape shape{nullptr, "ComboTest", &combo, &other, nullptr};
};

} // namespace

// Keys typed on the display reach the edit as a user's do. Each key completes on its own: "c"
// already gives "c:\Windows\", and ":" replaces the selected rest.
TEST_F(ComboboxTest, RealKeysCompleteFromTheHistoryUntilBackspace)
{
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    Show({entryA, entryB});
    HWND edit = combo.EditWindow();
    SetFocus(edit);
    ASSERT_EQ(shape.Handle(), GetForegroundWindow());
    ASSERT_EQ(edit, GetFocus());

    const std::string completed = "c:\\windows\\";
    const auto typed = std::make_pair(DWORD{5}, DWORD{11});
    EXPECT_TRUE(TypeKeys("c colon backslash w i"));
    EXPECT_EQ(completed, WindowText(edit));
    EXPECT_EQ(typed, Selection(edit));

    EXPECT_TRUE(TypeKeys("BackSpace"));
    EXPECT_EQ("c:\\wi", WindowText(edit));
    EXPECT_EQ(std::make_pair(DWORD{5}, DWORD{5}), Selection(edit));
    EXPECT_STREQ("c:\\wi", combo.Text());

    EXPECT_TRUE(TypeKeys("n d o w s backslash b"));
    EXPECT_EQ("c:\\windows\\b.bmp", WindowText(edit));
    // A case-insensitive match selects the entry, whose own spelling becomes the current text.
    EXPECT_EQ(1, SendMessageA(combo.ListWindow(), LB_GETCURSEL, 0, 0));
    EXPECT_STREQ(entryB, combo.Text());
}

TEST_F(ComboboxTest, CompletionIgnoresCaseAndKeepsTheTypedPart)
{
    Show({entryA, "D:\\Music\\song.mid"});
    HWND edit = combo.EditWindow();
    Type(edit, "C:\\WI");
    EXPECT_EQ("C:\\WIndows\\a.bmp", WindowText(edit));
    EXPECT_EQ(std::make_pair(DWORD{5}, DWORD{16}), Selection(edit));
    SetWindowTextA(edit, "");
    Type(edit, "x");
    EXPECT_EQ("x", WindowText(edit));
}

TEST_F(ComboboxTest, TheListFloatsOnTheDesktopAndOpensWithF4)
{
    Show({entryA, entryB}, entryA);
    HWND list = combo.ListWindow();
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(GetDesktopWindow(), GetAncestor(list, GA_PARENT));
    char name[64];
    GetClassNameA(list, name, sizeof name);
    EXPECT_STREQ("FloatComboListClass", name);
    EXPECT_EQ("DropDownList", WindowText(list));
    EXPECT_FALSE(IsWindowVisible(list));

    SendMessageA(combo.EditWindow(), WM_KEYDOWN, VK_F4, 0);
    EXPECT_TRUE(combo.IsListOpen());
    RECT frame, below;
    GetWindowRect(combo.Frame(), &frame);
    GetWindowRect(list, &below);
    EXPECT_EQ(frame.bottom, below.top);
    EXPECT_EQ(frame.left, below.left);
    EXPECT_EQ(frame.right, below.right);
    SendMessageA(combo.EditWindow(), WM_KEYDOWN, VK_F4, 0);
    EXPECT_FALSE(combo.IsListOpen());
}

TEST_F(ComboboxTest, OpeningOneListClosesTheOther)
{
    Show({entryA});
    other.OpenList();
    EXPECT_TRUE(other.IsListOpen());
    combo.OpenList();
    EXPECT_TRUE(combo.IsListOpen());
    EXPECT_FALSE(other.IsListOpen());
}

TEST_F(ComboboxTest, NearTheBottomOfTheScreenTheListOpensAbove)
{
    Show({entryA, entryB});
    RECT desktop, window;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(shape.Handle(), &window);
    SetWindowPos(shape.Handle(), nullptr, window.left, desktop.bottom - (window.bottom - window.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    PumpPending();
    combo.OpenList();
    RECT frame, list;
    GetWindowRect(combo.Frame(), &frame);
    GetWindowRect(combo.ListWindow(), &list);
    EXPECT_EQ(frame.top, list.bottom);
}

TEST_F(ComboboxTest, EscapeClosesOnlyTheList)
{
    Show({entryA, entryB});
    SetFocus(combo.EditWindow());
    combo.OpenList();
    ASSERT_TRUE(combo.IsListOpen());
    PostMessageA(combo.EditWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
    PumpPending(); // the key, and whatever it posts in turn
    EXPECT_FALSE(combo.IsListOpen());
    EXPECT_TRUE(IsWindow(shape.Handle()));
    EXPECT_TRUE(IsWindowVisible(shape.Handle()));
}

TEST_F(ComboboxTest, UpAndDownFollowTheHistory)
{
    Show({"one", "two", "three"}, "one");
    HWND edit = combo.EditWindow();
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ("two", WindowText(edit));
    EXPECT_STREQ("two", combo.Text());
    EXPECT_EQ(std::make_pair(DWORD{0}, DWORD{3}), Selection(edit));
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_STREQ("three", combo.Text());
    SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_STREQ("two", combo.Text());
}

TEST_F(ComboboxTest, ClickingAnItemOrScrollingTheEditChoosesIt)
{
    Show({"one", "two", "three"}, "one");
    combo.OpenList();
    HWND list = combo.ListWindow();
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_MOUSEMOVE, 0, point);
    EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    EXPECT_STREQ("three", combo.Text());
    EXPECT_EQ("three", WindowText(combo.EditWindow()));
    EXPECT_FALSE(combo.IsListOpen());

    SendMessageA(combo.EditWindow(), WM_VSCROLL, SB_LINEUP, 0);
    PumpPending();
    EXPECT_STREQ("two", combo.Text());
    SendMessageA(combo.EditWindow(), WM_VSCROLL, SB_TOP, 0);
    SendMessageA(combo.EditWindow(), WM_VSCROLL, SB_LINEUP, 0);
    PumpPending();
    EXPECT_STREQ("one", combo.Text());
}

TEST(ComboboxPersistenceTest, SaveKeepsOlderValuesSoTheNextLoadReadsThem)
{
    TRegistryTestKey key;
    TRegistryStore store = key.Store();
    ASSERT_EQ(ERROR_SUCCESS, store.CreateKeys());
    TOwnerDrawComboboxElement saved(DockTop, 200);
    saved.name = "Current";
    saved.SetHistoryName("History");
    for (const char* entry : {"a", "b", "c", "d", "e"}) saved.History().Append(entry);
    saved.SetText("c");
    saved.Save(store);
    saved.History().Clear();
    for (const char* entry : {"x", "y", "z"}) saved.History().Append(entry);
    saved.Save(store);

    TRawValue value;
    ASSERT_TRUE(key.Get("History", "000003", value));
    EXPECT_EQ(std::string("d", 2), value.bytes);
    ASSERT_TRUE(key.Get("History", "000004", value));
    EXPECT_EQ(std::string("e", 2), value.bytes);

    TOwnerDrawComboboxElement loaded(DockTop, 200, "default");
    loaded.name = "Current";
    loaded.SetHistoryName("History");
    loaded.History().Append("stale");
    loaded.Load(store);
    EXPECT_STREQ("c", loaded.Text());
    ASSERT_EQ(5, loaded.History().Count());
    EXPECT_STREQ("x", loaded.History().Item(0));
    EXPECT_STREQ("e", loaded.History().Item(4));

    TOwnerDrawComboboxElement missing(DockTop, 200, "default");
    missing.name = "Absent";
    missing.Load(store);
    EXPECT_STREQ("default", missing.Text());
    store.CloseKeys();
}

TEST_F(ComboboxTest, RememberAddAndReplaceKeepHistoryAndListTogether)
{
    Show({"a", "b", "c"}, "c");
    combo.Remember("b", -1);
    ASSERT_EQ(3, combo.History().Count());
    EXPECT_STREQ("b", combo.History().Item(0));
    EXPECT_STREQ("a", combo.History().Item(1));
    combo.Remember(nullptr, 2);
    ASSERT_EQ(2, combo.History().Count());
    EXPECT_STREQ("c", combo.History().Item(0));
    EXPECT_STREQ("b", combo.History().Item(1));
    combo.RefreshFromData();
    HWND list = combo.ListWindow();
    EXPECT_EQ(2, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));

    combo.AddEntry(nullptr, "d");
    EXPECT_EQ(3, combo.History().Count());
    EXPECT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0));
    combo.ReplaceEntry(1, nullptr, "q");
    EXPECT_STREQ("q", combo.History().Item(1));
    auto* item = reinterpret_cast<TComboListItem*>(SendMessageA(list, LB_GETITEMDATA, 1, 0));
    ASSERT_NE(nullptr, item);
    EXPECT_STREQ("q", item->text);

    SendMessageA(list, LB_SETCURSEL, 2, 0);
    combo.RefreshToData();
    EXPECT_STREQ("d", combo.Text());
    ASSERT_EQ(3, combo.History().Count());
    EXPECT_STREQ("q", combo.History().Item(1));
}

TEST(ComboCompletionTest, TwoByteCharactersStayWholeAndKeepTheirCase)
{
    THeapStringList history;
    history.Append("X\x83\x41one");  // trail byte 0x41 is not the letter A
    history.Append("X\x83\x42two");
    EXPECT_STREQ("X", CommonCompletion(history, "X"));
    EXPECT_STREQ("X\x83\x41one", CompletedText(history, "X\x83\x41"));
    EXPECT_STREQ("X\x83\x61", CompletedText(history, "X\x83\x61"));
    EXPECT_EQ(-1, MatchingEntry(history, "x\x83\x61one"));
    EXPECT_EQ(0, MatchingEntry(history, "x\x83\x41ONE"));
}

TEST_F(ComboboxTest, TheButtonHandsTheMouseToTheOpenList)
{
    Show({"one", "two", "three"}, "one");
    HWND frame = combo.Frame(), list = combo.ListWindow();
    RECT client;
    GetClientRect(frame, &client);
    SendMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 5, client.bottom / 2));
    EXPECT_TRUE(combo.IsListOpen());
    EXPECT_EQ(frame, GetCapture());
    EXPECT_EQ(combo.EditWindow(), GetFocus());

    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT over{item.left + 5, (item.top + item.bottom) / 2};
    MapWindowPoints(list, frame, &over, 1);
    SendMessageA(frame, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(list, GetCapture());

    // Below the list the selection steps toward the mouse.
    RECT listClient;
    GetClientRect(list, &listClient);
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2));
    EXPECT_EQ(1, SendMessageA(list, LB_GETCURSEL, 0, 0));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, listClient.bottom + 20));
    EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, listClient.bottom + 20));
    EXPECT_STREQ("three", combo.Text());
    EXPECT_FALSE(combo.IsListOpen());
    EXPECT_NE(list, GetCapture());
}

TEST_F(ComboboxTest, ADroppedFileBecomesTheText)
{
    Show({"one"}, "one");
    const char path[] = "C:\\windows\\notepad.exe";
    HDROP drop = MakeDrop({path});
    ASSERT_NE(nullptr, drop);
    SendMessageA(combo.EditWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_STREQ(path, combo.Text());
    EXPECT_EQ(path, WindowText(combo.EditWindow()));
    EXPECT_TRUE(combo.IconBelongsToText());
}
