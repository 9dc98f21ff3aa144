// Message boxes: the ending button, Help, remembered answers, Shift, the default button, sizes and sounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxDriver.h"
#include "controls/MessageBox.h"
#include "controls/StereotypeCheckElement.h"
#include "foundation/GlobalStores.h"
#include "foundation/ProcessEntry.h"
#include "foundation/ProcessLog.h"
#include "foundation/ProcessLog.h"
#include "foundation/SystemSound.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/HeldKeys.h"
#include "support/RegistryTestKey.h"
#include "support/SavedValue.h"
#include "support/Seam.h"
#include "support/WindowTexts.h"

namespace {

const char question[] = "ﾌｧｲﾙ \"a.wav\" はすでに存在します。\r\n上書きしますか？";

// The REG_DWORD answer stored for `key`, or -1 when there is none.
long StoredAnswer(const TRegistryTestKey& testKey, const char* key)
{
    TRawValue value;
    if (!testKey.Get("WithoutStereotype", key, value) || value.type != REG_DWORD || value.bytes.size() != 4) return -1;
    return static_cast<long>(*reinterpret_cast<const DWORD*>(value.bytes.data()));
}

int AskQuestion(const char* title, const TRegistryTestKey& testKey, int icon = IconExclamation)
{
    TOkCancelButtons choice;
    TButtonDescriptor* buttons[] = {&choice.ok, &choice.cancel, nullptr};
    TRegistryStore answers = testKey.Store();
    return RunMessageBox(nullptr, "ForceWrite_WhenExist", title, icon, question, buttons, true, &answers);
}

void TickCheckBox(HWND box)
{
    SendMessageA(TBoxDriver::ChildOfType(box, BS_AUTOCHECKBOX), BM_CLICK, 0, 0);
}

std::vector<std::string> played;
BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD)
{
    played.push_back(sound ? sound : "");
    return TRUE;
}

struct THelpCall {
    UINT command = 0;
    ULONG_PTR data = 0;
    int count = 0;
} helpCall;
BOOL WINAPI RecordHelp(HWND, LPCSTR, UINT command, ULONG_PTR data)
{
    helpCall.command = command;
    helpCall.data = data;
    ++helpCall.count;
    return TRUE;
}

} // namespace

TEST(MessageBoxTest, TickAndOkIsRememberedAndAnswersTheNextBoxUnseen)
{
    TRegistryTestKey testKey;
    {
        LONG exStyle = 0;
        TBoxDriver driver("Remember", {[&](HWND box) {
                                           exStyle = GetWindowLongA(box, GWL_EXSTYLE);
                                           TickCheckBox(box);
                                       },
                                       [](HWND box) { TBoxDriver::Press(box, IDOK); }});
        EXPECT_EQ(IDOK, AskQuestion("Remember", testKey));
        EXPECT_EQ(1, driver.shownCount);
        EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP); // the box offers help on its check box
        EXPECT_FALSE(driver.timedOut);
    }
    EXPECT_EQ(1, StoredAnswer(testKey, "ForceWrite_WhenExist"));
    {
        TBoxDriver driver("Remember", {});
        EXPECT_EQ(IDOK, AskQuestion("Remember", testKey));
        EXPECT_EQ(0, driver.shownCount);
        EXPECT_FALSE(driver.timedOut);
    }
}

TEST(MessageBoxTest, CancelIsNeverRemembered)
{
    TRegistryTestKey testKey;
    for (int round = 0; round < 2; ++round) {
        TBoxDriver driver("Refuse", {TickCheckBox, [](HWND box) { TBoxDriver::Press(box, IDCANCEL); }});
        EXPECT_EQ(IDCANCEL, AskQuestion("Refuse", testKey));
        EXPECT_EQ(1, driver.shownCount) << "round " << round;
    }
    EXPECT_EQ(-1, StoredAnswer(testKey, "ForceWrite_WhenExist"));
}

TEST(MessageBoxTest, ShiftShowsARememberedBoxTickedAndUntickingStoresZero)
{
    TRegistryTestKey testKey;
    DWORD ok = IDOK;
    testKey.SetRaw("WithoutStereotype", "ForceWrite_WhenExist", REG_DWORD, &ok, sizeof ok);
    bool wasTicked = false;
    {
        THeldKeys shift({VK_SHIFT});
        TBoxDriver driver("Shifted", {[&](HWND box) {
                                          wasTicked = SendMessageA(TBoxDriver::ChildOfType(box, BS_AUTOCHECKBOX),
                                                                   BM_GETCHECK, 0, 0) == BST_CHECKED;
                                          TickCheckBox(box);
                                      },
                                      [](HWND box) { TBoxDriver::Press(box, IDOK); }});
        EXPECT_EQ(IDOK, AskQuestion("Shifted", testKey));
        EXPECT_EQ(1, driver.shownCount);
    }
    EXPECT_TRUE(wasTicked);
    EXPECT_EQ(0, StoredAnswer(testKey, "ForceWrite_WhenExist"));

    TBoxDriver driver("Shifted", {[](HWND box) { TBoxDriver::Press(box, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, AskQuestion("Shifted", testKey));
    EXPECT_EQ(1, driver.shownCount);
}

TEST(MessageBoxTest, AnswersLiveInTheApplicationStoreByDefault)
{
    TRegistryTestKey testKey;
    CreateGlobalStores(testKey.Path().c_str());
    DWORD answer = IDCANCEL + 5;
    testKey.SetRaw("WithoutStereotype", "Register", REG_DWORD, &answer, sizeof answer);
    TButtonDescriptor other(IDCANCEL + 5, "Other", "OK_ICON");
    TButtonDescriptor* buttons[] = {&other, nullptr};
    TBoxDriver driver("Global", {});
    EXPECT_EQ(IDCANCEL + 5, RunMessageBox(nullptr, "Register", "Global", IconAsterisk, "Done", buttons, true));
    EXPECT_EQ(0, driver.shownCount);
    DestroyGlobalStores();
}

// An answer that no button of the box carries shows the box rather than waiting unseen for ever.
TEST(MessageBoxTest, AnAnswerWithoutItsButtonShowsTheBox)
{
    TRegistryTestKey testKey;
    DWORD stale = 6;
    testKey.SetRaw("WithoutStereotype", "ForceWrite_WhenExist", REG_DWORD, &stale, sizeof stale);
    TBoxDriver driver("Stale", {[](HWND box) { TBoxDriver::Press(box, IDOK); }});
    EXPECT_EQ(IDOK, AskQuestion("Stale", testKey));
    EXPECT_EQ(1, driver.shownCount);
    EXPECT_FALSE(driver.timedOut);
}

TEST(MessageBoxTest, HelpOpensTheHelpFileAndKeepsTheBoxOpen)
{
    TSeam helpOpener(ReplaceHelpOpener, RecordHelp);
    helpCall = THelpCall();
    TButtonDescriptor ok(IDOK, "OK", "OK_ICON"), help(9, "ﾍﾙﾌﾟ", nullptr, 42);
    TButtonDescriptor* buttons[] = {&ok, &help, nullptr};
    bool openAfterHelp = false;
    TBoxDriver driver("Helpful", {[](HWND box) { TBoxDriver::Press(box, 9); },
                                  [&](HWND box) {
                                      openAfterHelp = IsWindowVisible(box) != FALSE;
                                      TBoxDriver::Press(box, IDOK);
                                  }});
    EXPECT_EQ(IDOK, RunMessageBox(nullptr, "Helpful", "Helpful", IconAsterisk, "Help?", buttons, false));
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(1, helpCall.count);
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), helpCall.command);
    EXPECT_EQ(42u, helpCall.data);
}

TEST(MessageBoxTest, RowsAndColumnsMeasureByTheirButtons)
{
    TButtonDescriptor a(1, "A", nullptr), b(2, "B", nullptr), c(3, "C", nullptr);
    EXPECT_EQ(182, TButtonRowElement(DockBottom, &a, &b, nullptr).Measure(nullptr, nullptr).cx);
    SIZE three = TButtonRowElement(DockBottom, &a, &b, &c, nullptr).Measure(nullptr, nullptr);
    EXPECT_EQ(276, three.cx);
    EXPECT_EQ(21, three.cy);
    SIZE column = TButtonRowElement(DockLeft, &a, &b, nullptr).Measure(nullptr, nullptr);
    EXPECT_EQ(88, column.cx);
    EXPECT_EQ(48, column.cy);
}

TEST(MessageBoxTest, TheFirstButtonIsTheDefaultUnlessTheShapeHasOne)
{
    TButtonDescriptor ok(IDOK, "OK", "OK_ICON"), cancel(IDCANCEL, "ｷｬﾝｾﾙ", "CANCEL_ICON");
    {
        TButtonRowElement row(DockBottom, &ok, &cancel, nullptr);
        TShape shape(nullptr, "Default", &row, nullptr);
        shape.ShowModeless(0);
        EXPECT_TRUE(ok.control.isDefault);
        EXPECT_FALSE(cancel.control.isDefault);
        EXPECT_TRUE(ShapeHasDefaultButton(shape.Handle()));
        DestroyWindow(shape.Handle());
    }
    TControlElement own("Button", BS_DEFPUSHBUTTON, 88, 21, 0, "Own");
    TButtonRowElement row(DockBottom, &ok, &cancel, nullptr);
    TShape shape(nullptr, "Default", &own, &row, nullptr);
    shape.ShowModeless(0);
    EXPECT_FALSE(ok.control.isDefault);
    EXPECT_FALSE(cancel.control.isDefault);
    DestroyWindow(shape.Handle());
    PumpPending();
}

TEST(MessageBoxTest, BeepSettingNoInAnyCaseOrIieSilences)
{
    EXPECT_TRUE(BeepSettingSilences("いいえ"));
    EXPECT_TRUE(BeepSettingSilences("NO"));
    EXPECT_TRUE(BeepSettingSilences("no"));
    EXPECT_TRUE(BeepSettingSilences("nO"));
    EXPECT_FALSE(BeepSettingSilences("ｲｲｴ"));
    EXPECT_FALSE(BeepSettingSilences("None"));
    EXPECT_FALSE(BeepSettingSilences("yes"));
    EXPECT_FALSE(BeepSettingSilences(""));

    TRegistryTestKey testKey;
    const TSavedValue beep("Control Panel\\Sound", "Beep");
    TSeam sounds(ReplaceSoundPlayer, RecordSound);
    const char* settings[] = {"NO", "no", "はい", nullptr};
    for (const char* setting : settings) {
        beep.SetText(setting);
        played.clear();
        TBoxDriver driver("Warning", {[](HWND box) { TBoxDriver::Press(box, IDCANCEL); }});
        AskQuestion("Warning", testKey);
        EXPECT_EQ(1, driver.shownCount);
        const bool silent = setting && (setting[0] == 'N' || setting[0] == 'n');
        if (silent)
            EXPECT_TRUE(played.empty()) << setting;
        else
            EXPECT_EQ(std::vector<std::string>{"SystemExclamation"}, played) << (setting ? setting : "(absent)");
    }
}

// The execution log tells of a log file it cannot open through the real box the program's
// entry gives it: OK goes on, Cancel stops.
TEST(MessageBoxTest, TheLogReportsAnUnopenableFileThroughABox)
{
    SetCannotOpenLogReport(&ReportCannotOpenLogBox);
    const THeapString title = ApplicationName();
    for (int button : {IDOK, IDCANCEL}) {
        bool sawPath = false;
        TBoxDriver driver(title, {[&](HWND box) {
                                      sawPath = ChildTexts(box).find("C:\\no\\such.log") != std::string::npos;
                                      TBoxDriver::Press(box, button);
                                  }});
        EXPECT_EQ(button == IDOK, ReportCannotOpenLog("C:\\no\\such.log"));
        EXPECT_EQ(1, driver.shownCount);
        EXPECT_TRUE(sawPath);
    }
}

TEST(MessageBoxTest, ClosingAQuestionWithoutAButtonAnswersCancel)
{
    TRegistryTestKey testKey;
    TBoxDriver driver("Closed", {[](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }});
    EXPECT_EQ(IDCANCEL, AskQuestion("Closed", testKey));
    EXPECT_FALSE(driver.timedOut);
}

TEST(MessageBoxTest, OnlyTheFirstIconOfAShownBoxSoundsAndTheShapeStopsIt)
{
    const TSavedValue beep("Control Panel\\Sound", "Beep");
    beep.SetText(nullptr);
    TSeam sounds(ReplaceSoundPlayer, RecordSound);
    played.clear();
    TShape shape(nullptr, "Sounds");
    TSystemIconElement error(IconHand), info(IconAsterisk), logo(12345);
    error.ShownChanged(&shape, true);
    info.ShownChanged(&shape, true);
    EXPECT_EQ(std::vector<std::string>{"SystemHand"}, played);
    EXPECT_TRUE(error.PlayedSound());
    EXPECT_FALSE(info.PlayedSound());
    EXPECT_TRUE(shape.StopSoundOnClose());
    error.ShownChanged(&shape, false);
    EXPECT_FALSE(error.PlayedSound());
    EXPECT_FALSE(shape.StopSoundOnClose());

    played.clear();
    EXPECT_EQ(IconWinLogo, logo.Kind());
    EXPECT_FALSE(PlayIconSound(&logo, false));
    EXPECT_TRUE(PlayIconSound(&logo, true));
    EXPECT_TRUE(PlayIconSound(SystemIconHandle(IconQuestion), false));
    EXPECT_FALSE(PlayIconSound(static_cast<const TSystemIconElement*>(nullptr), true));
    EXPECT_EQ((std::vector<std::string>{".Default", "SystemQuestion"}), played);
}
