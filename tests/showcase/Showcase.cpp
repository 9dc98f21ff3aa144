// The showcase: opens one scene of the library's windows, as a screenshot shows it, and holds
// it on screen.
//   kelvane_showcase.exe SCENE [/seconds:N] [/ready:FILE]
// SCENE is question-box, combo-list, file-name-list, file-list or transparent-controls. The
// scene stays N seconds (20 by default) or until its window is closed; FILE is written once it
// has been painted, for a script that waits to take the screenshot.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "controls/ButtonRowElement.h"
#include "controls/MessageBox.h"
#include "filelists/ComboboxElement.h"
#include "filelists/FileListbox.h"
#include "filelists/FileNameField.h"
#include "foundation/CommandLine.h"
#include "foundation/ProcessEntry.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "framework/TransparentParent.h"
#include "support/RegistryTestKey.h"
#include "support/StringLists.h"
#include "support/TempFolder.h"
#include "support/Wait.h"

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\KelvaneTest\\Showcase"); }
THeapString ApplicationDisplayName() { return THeapString("Kelvane"); }

namespace {

DWORD holdMs = 20000;
std::string readyFile;

bool Painted(HWND window) { return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE); }

// Tells a waiting script that the scene is on screen.
void TellReady()
{
    if (!readyFile.empty()) TTempFolder::Write(readyFile, "ready");
}

// A scene that did not come up as it should says so and ends the program with status 1.
void Require(bool holds, const char* what)
{
    if (holds) return;
    std::fprintf(stderr, "kelvane_showcase: %s\n", what);
    std::exit(1);
}

// Runs the scene's messages until the time is up or its window has gone.
void Hold(HWND window)
{
    WaitUntil([window] { return Painted(window); }, 5000, "the scene's painting", &PumpPending);
    TellReady();
    const UINT_PTR timer = SetTimer(nullptr, 0, holdMs, nullptr);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && !message.hwnd && message.wParam == timer) break;
        if (!PreTranslateModeless(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    KillTimer(nullptr, timer);
}

// The question of an overwrite, with the box that offers not to ask again; it answers OK
// itself when the time is up.
void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (HWND box = FindWindowA("ShapeClass", "Kelvane")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

void CALLBACK QuestionShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowA("ShapeClass", "Kelvane");
    if (!box || !Painted(box)) return;
    KillTimer(nullptr, timer);
    TellReady();
}

void QuestionBox()
{
    TRegistryTestKey key;
    const TRegistryStore answers = key.Store();
    TOkCancelButtons choice;
    TButtonDescriptor* buttons[] = {&choice.ok, &choice.cancel, nullptr};
    SetTimer(nullptr, 0, 50, &QuestionShown);
    SetTimer(nullptr, 0, holdMs, &AnswerQuestion);
    Require(RunMessageBox(nullptr, "ForceWrite_WhenExist", "Kelvane", IconExclamation,
                          "ﾌｧｲﾙ \"a.wav\" はすでに存在します。\r\n上書きしますか？", buttons, true, &answers) == IDOK,
            "the question did not end with OK");
}

// The combo edit with its history open below it.
void ComboList()
{
    TOwnerDrawComboboxElement combo{DockTop, 240}, other{DockTop, 240};
    for (const char* entry : {"C:\\Windows\\a.bmp", "C:\\Windows\\b.bmp", "C:\\Windows\\notepad.exe", "D:\\Music\\song.mid"})
        combo.History().Append(entry);
    combo.SetText("C:\\Windows\\a.bmp");
    TShape shape{nullptr, "ComboTest", &combo, &other, nullptr};
    shape.ShowModeless(0);
    SetForegroundWindow(shape.Handle());
    combo.OpenList();
    Hold(shape.Handle());
}

// Files of two types confirmed one after the other, so the open list shows the shared history
// newest first with each type's icon.
void FileNameList()
{
    const char filter[] = "Bitmap\0*.bmp\0JPEG\0*.jpg;*.JPEG\0All files\0*.*\0";
    TTempFolder folder;
    TRegistryTestKey history, settings;
    TRegistryStore store = history.Store();
    TFileNameElement first{"", filter, "bmp", "Browse test"}, second{"", filter, "bmp", "Browse test"};
    first.SetHistoryStore(&store);
    second.SetHistoryStore(&store);
    TShape shape{nullptr, "FileNameTest", &first, &second, nullptr};
    shape.ShowModeless(0);
    for (const char* name : {"d.jpg", "c.jpg", "b.bmp", "a.BMP"}) {
        first.SetText(folder.File(name, "").c_str());
        TRegistryStore values = settings.Store();
        values.CreateKeys();
        first.Save(values);
        values.CloseKeys();
    }
    first.OpenList();
    Require(first.IsListOpen(), "the file-name list did not open");
    Require(SendMessageA(first.ListWindow(), LB_GETCOUNT, 0, 0) == 4, "the file-name list does not hold four files");
    Hold(shape.Handle());
}

// Real files of each kind and a folder, so the shell has icons to give.
void FileList()
{
    const char filter[] = "音声ﾌｧｲﾙ\0*.wav\0MIDIﾌｧｲﾙ\0*.mid;*.rmi\0ｵｰﾃﾞｨｵCD\0*.cda\0"
                          "対応ﾌｧｲﾙ\0*.wav;*.mid;*.rmi;*.cda;*.avi\0全てのﾌｧｲﾙ\0*.*\0";
    TTempFolder folder;
    const std::string albums = folder.Folder("Albums");
    const std::string song = folder.File("Albums\\chime.wav");
    THeapStringList playList =
        ListOf({song, folder.File("tune.mid"), folder.File("Track01.cda"), folder.File("clip.avi"), albums});
    THeapString current = song.c_str();
    TFileListbox box{DockLeft, 290, 148, &playList, &current, filter, static_cast<int>(sizeof filter), "bmp"};
    TShape shape{nullptr, "FileListTest", &box, nullptr};
    shape.ShowModeless(0);
    SetForegroundWindow(shape.Handle());
    Require(SendMessageA(box.List(), LB_GETCOUNT, 0, 0) == 5, "the play list does not show five entries");
    Hold(shape.Handle());
}

// Every kind of transparent control over the background picture.
void TransparentControls()
{
    TTransparentControl records[TransparentShowcaseControls];
    HWND parent = OpenTransparentShowcase(records);
    Hold(parent);
    DestroyWindow(parent);
}

const struct {
    const char* name;
    void (*show)();
} scenes[] = {
    {"question-box", QuestionBox},       {"combo-list", ComboList}, {"file-name-list", FileNameList},
    {"file-list", FileList},             {"transparent-controls", TransparentControls},
};

} // namespace

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (const int seconds = FindSwitch("/seconds"); seconds >= 0) holdMs = std::atoi(SwitchValue(seconds)) * 1000u;
    if (const int ready = FindSwitch("/ready"); ready >= 0) readyFile = SwitchValue(ready).Text();
    for (const auto& scene : scenes) {
        if (ArgumentCount() < 1 || std::strcmp(Argument(0), scene.name) != 0) continue;
        scene.show();
        return 0;
    }
    std::fprintf(stderr, "kelvane_showcase.exe SCENE [/seconds:N] [/ready:FILE], with SCENE one of:\n");
    for (const auto& scene : scenes) std::fprintf(stderr, "  %s\n", scene.name);
    return 2;
}
