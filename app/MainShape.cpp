// TMainShape: construction, the settings window's commands, the tray and the playback chain.
#include "app/MainShape.h"

#include <windowsx.h>

#include <vector>

#include "app/Commands.h"
#include "app/MciPlayback.h"
#include "app/PlayOrder.h"
#include "app/ProgramInfo.h"
#include "app/StartupShortcut.h"
#include "app/VersionWindow.h"
#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "foundation/IconCache.h"
#include "foundation/LocalClock.h"
#include "foundation/PathOperations.h"
#include "foundation/ProgramHelp.h"
#include "foundation/RegistrySection.h"
#include "foundation/ShellFolders.h"
#include "foundation/StringOperations.h"
#include "foundation/WideCommandLine.h"
#include "framework/DropFiles.h"
#include "framework/ShapePosition.h"
#include "framework/SystemMenu.h"

namespace {

const int largeIcon = 1;
const int listWidth = 290;
const int listHeight = 148;
// How long the answer to a state query may wait for its caller: a caller that hangs, or never
// takes messages, must not stop the player's only thread.
const UINT stateAnswerTimeoutMs = 1000;

// Description and pattern pairs of the open-file dialog, each NUL-terminated, one more at the end.
const char playableFilter[] = "音声ﾌｧｲﾙ\0*.wav\0"
                              "MIDIﾌｧｲﾙ\0*.mid;*.rmi\0"
                              "ｵｰﾃﾞｨｵCD\0*.cda\0"
                              "対応ﾌｧｲﾙ\0*.wav;*.mid;*.rmi;*.cda;*.avi\0"
                              "全てのﾌｧｲﾙ\0*.*\0";

uint32_t Seconds() { return static_cast<uint32_t>(LocalSecondsSince1970()); }

bool IsCheckedCommand(HMENU menu, UINT command)
{
    const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

bool IsClick(UINT mouseMessage)
{
    return mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_LBUTTONDBLCLK || mouseMessage == WM_RBUTTONDOWN ||
           mouseMessage == WM_RBUTTONDBLCLK;
}

} // namespace

TMainShape::TMainShape()
    : TShape(nullptr, ProductName), okButton(IDOK, "OK", "OK_ICON"), cancelButton(IDCANCEL, "ｷｬﾝｾﾙ", "CANCEL_ICON"),
      helpButton(CommandHelp, "ヘルプ(&HELP&)", nullptr), tray(ProductName)
{
    helpPattern = Concat(CurrentDirectory(), "*.hlp");
    BuildElements();
    menus = std::make_unique<TTrayMenus>();
    LoadSettings();
    ProgramInfo().shortcutPath = StartupShortcutPath();
    SetPlacement(nullptr, "MainShape");
    deviceId = 0;
    appIcon = IconByName("APPLICATION_ICON")->Get(largeIcon);
    playIcon = IconByName("KELVANE_PLAY_ICON")->Get(largeIcon);
    pauseIcon = IconByName("KELVANE_PAUSE_ICON")->Get(largeIcon);
    trayIcon = appIcon;
    PlayOrder().Seed(Seconds());
}

TMainShape::~TMainShape()
{
    iconElement.reset();
    fileList.reset();
    buttons.reset();
    menus.reset();
    currentFile = "";
    playList.Clear();
}

void TMainShape::BuildElements()
{
    iconElement = std::make_unique<TSystemIconElement>(IconApplication);
    fileList = std::make_unique<TFileListbox>(DockLeft, listWidth, listHeight, &playList, &currentFile, playableFilter,
                                              static_cast<int>(sizeof playableFilter), "bmp");
    fileList->name = "MusicFileList";
    buttons = std::make_unique<TButtonRowElement>(DockBottom, &okButton, &cancelButton, &helpButton, nullptr);
    buttons->alignment = AlignRightCentred;
    buttons->SetDefaultIndex(0);
    RootGroup().Append(buttons.get());
    RootGroup().Append(iconElement.get());
    RootGroup().Append(fileList.get());
}

// ---- settings

// Reading never creates the key: a manual start that is cancelled leaves no trace.
void TMainShape::LoadSettings()
{
    TRegistrySection application(ApplicationStore(), nullptr, OpenExisting);
    LoadValues(application.Store());
}

void TMainShape::SaveSettings()
{
    TRegistrySection application(ApplicationStore(), nullptr);
    SaveValues(application.Store());
}

void TMainShape::OnSetupDone()
{
    Keys().Append(FVIRTKEY, VK_F1, CommandHelp);
    if (ArgumentCount() > 0) {
        THeapStringList paths;
        for (int i = 0; i < ArgumentCount(); ++i) paths.Append(Argument(i));
        fileList->AddPaths(paths);
    }
    NoticeLeftOutPaths(hwnd, LeftOutArguments());
    if (FindSwitch(RestoreSwitch) < 0) {
        shortcutPending = 1;
        GiveHelpButtonItsIcon();
        return;
    }
    shortcutPending = 0;
    SetShowAtSetup(false);
    EnableWindow(hwnd, FALSE);
    UpdateTrayIcon(TrayAddOrModify);
    // The menus start from the resource; an empty list must not offer Play.
    SetPlayerState(playList.Count() == 0 ? StateEmpty : StateStopped);
    currentFile = "";
    PlayNext(false);
}

// The first file-type icon costs some 80 ms under Wine (the shell builds its system image
// lists), so an automatic start fetches it when the window is first shown, not before the
// music starts. The pattern is looked up in the folder the program started in.
void TMainShape::GiveHelpButtonItsIcon()
{
    if (helpButton.icon) return;
    helpButton.icon = IconForFile(helpPattern)->Get(0);
    if (helpButton.control.hwnd && helpButton.icon)
        SendMessageA(helpButton.control.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(helpButton.icon));
}

void TMainShape::ShowSettings()
{
    GiveHelpButtonItsIcon();
    HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
    if (IsCheckedCommand(systemMenu, CentreCommand))
        CentreShape(this);
    else if (IsCheckedCommand(systemMenu, MousePositionCommand))
        PlaceShapeAtMouse(this);
    // Enabled first, so that it never shows greyed, even for a moment.
    EnableWindow(hwnd, TRUE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
}

void TMainShape::AcceptSettings()
{
    ShowWindow(hwnd, SW_HIDE);
    if (shortcutPending) {
        UpdateTrayIcon(TrayAddOrModify);
        SetPlayerState(StateStopped);
        RegisterAtLogon(hwnd, ProgramInfo().shortcutPath);
        shortcutPending = 0;
    }
    UpdateTrayIcon(TrayAddOrModify, currentFile);
    SaveSettings();
    if (deviceId == 0) PlayNext(false);
}

void TMainShape::CancelSettings()
{
    ShowWindow(hwnd, SW_HIDE);
    if (shortcutPending) {
        CloseHelp();
        EndShape(-1);
        return;
    }
    LoadSettings();
    RootGroup().RefreshFromData();
}

void TMainShape::ShowHelp()
{
    MessageBeep(MB_ICONASTERISK);
    OpenHelp(hwnd, HelpFilePath(), HELP_INDEX, 0);
}

void TMainShape::CloseHelp() { OpenHelp(hwnd, HelpFilePath(), HELP_QUIT, 0); }

void TMainShape::ExitProgram()
{
    UnregisterAtLogon(hwnd, ProgramInfo().shortcutPath);
    CloseHelp();
    EndShape(-1);
}

// ---- tray icon and display state

BOOL TMainShape::UpdateTrayIcon(int mode, const char* text)
{
    if (mode == TrayDelete) return tray.Delete(hwnd);
    return text ? tray.Modify(hwnd, trayIcon, text) : tray.Add(hwnd, trayIcon);
}

void TMainShape::SetPlayerState(int state)
{
    const bool canStart = playList.Count() > 0;
    bool play = false, pause = false, stop = false;
    switch (state) {
    case StateEmpty: trayIcon = appIcon; break;
    case StatePlaying: trayIcon = playIcon; pause = stop = true; break;
    case StatePaused: trayIcon = pauseIcon; play = canStart; stop = true; break;
    case StateStopped: trayIcon = appIcon; play = canStart; break;
    default: return;
    }
    playerState = state;
    menus->EnableCommand(CommandPlay, play);
    menus->EnableCommand(CommandPause, pause);
    menus->EnableCommand(CommandStop, stop);
    const bool showsFile = state == StatePlaying || state == StatePaused;
    UpdateTrayIcon(TrayAddOrModify, showsFile ? currentFile.Text() : "");
}

// ---- playback

void TMainShape::PlayNext(bool report)
{
    tray.ReAddIfTaskbarChanged(hwnd, trayIcon);
    if (playList.Count() == 0) return;
    // A paused device plays on with the file it holds: drawing another entry now would show
    // a file in the tip and the list that is not the one playing.
    if (deviceId != 0) {
        reportPlayFailure = report;
        if (ResumePlay(hwnd, deviceId, report, playEnd)) {
            SetPlayerState(StatePlaying);
        } else {
            deviceId = 0;
            SetPlayerState(StateStopped);
        }
        return;
    }
    const int index = PlayOrder().Draw(playList, currentFile, Seconds());
    currentFile = playList.Item(index);
    if (HWND list = fileList->List()) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PlayFile(report);
}

// The entry is opened by its bare name in its own folder, as MCI drivers expect short names.
// That folder is the current one for the open only: a process's current folder cannot be
// removed or renamed, nor its drive (a USB stick, a CD) ejected safely.
void TMainShape::PlayFile(bool report)
{
    const THeapString path = FullPath(Unquoted(currentFile));
    wchar_t previous[MAX_PATH] = L"";
    const DWORD previousLength = GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryA(DirectoryOf(path));
    deviceId = OpenAndPlay(hwnd, FileNameOf(path), report, &playEnd);
    if (previousLength > 0 && previousLength < MAX_PATH) SetCurrentDirectoryW(previous);
    reportPlayFailure = report;
    SetPlayerState(deviceId != 0 ? StatePlaying : StateStopped);
}

// Only the end of what plays now goes on to the next file: a notice that another command
// superseded or aborted is no end, and one can still come from a device already closed. A play
// that fails once started (no audio device or server) ends the chain as a failed open does:
// drawing on would fail again at once, for ever. A user's Play hears of it.
void TMainShape::OnPlayEnded(WPARAM notice, LPARAM device)
{
    const bool ended = notice == MCI_NOTIFY_SUCCESSFUL || notice == MCI_NOTIFY_FAILURE;
    if (!ended || deviceId == 0 || static_cast<MCIDEVICEID>(device) != deviceId) return;
    StopPlayback();
    if (notice == MCI_NOTIFY_FAILURE) {
        ReportMciError(hwnd, MCIERR_HARDWARE, reportPlayFailure);
        return;
    }
    PlayNext(false);
}

void TMainShape::PausePlayback()
{
    if (deviceId == 0) return;
    PauseDevice(deviceId);
    SetPlayerState(StatePaused);
}

void TMainShape::StopPlayback()
{
    CloseDevice(deviceId);
    deviceId = 0;
    SetPlayerState(playList.Count() == 0 ? StateEmpty : StateStopped);
    // A notice already queued must not start the next file after a stop.
    MSG notice;
    while (PeekMessageA(&notice, hwnd, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
}

// ---- messages

int TMainShape::OnCommand(int id, HWND control, int code)
{
    switch (id) {
    case CommandOk: AcceptSettings(); return 0;
    case CommandCancel: CancelSettings(); return 0;
    case CommandHelp:
    case CommandHelpAlso: ShowHelp(); return 0;
    case CommandExit: ExitProgram(); return 0;
    case CommandSettings: ShowSettings(); return 0;
    case CommandPlay: PlayNext(true); return 0;
    case CommandPause: PausePlayback(); return 0;
    case CommandStop: StopPlayback(); return 0;
    case CommandPlayOrStop:
        if (deviceId != 0)
            StopPlayback();
        else
            PlayNext(true);
        return 0;
    case CommandVersion: ShowVersionWindow(hwnd); return 0;
    default: return TShape::OnCommand(id, control, code);
    }
}

// The close box and Alt+F4 act as Cancel and never close the window themselves.
LRESULT TMainShape::OnSysCommand(UINT command, int x, int y)
{
    if ((command & 0xFFF0) != SC_CLOSE) return TShape::OnSysCommand(command, x, y);
    if (Closable()) OnCommand(CommandCancel, nullptr, 0);
    return 0;
}

void TMainShape::OnClosing() { UpdateTrayIcon(TrayDelete); }

LRESULT TMainShape::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (tray.OnMessage(hwnd, message, wParam)) return 0;
    switch (message) {
    case WM_CLOSE:
        CloseHelp();
        if (deviceId != 0) StopPlayback();
        break;
    // Log-off and shutdown send no WM_CLOSE, and the process is ended once WM_ENDSESSION
    // returns: the player closes as for WM_CLOSE before that. The start-up shortcut stays.
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) menus->RecomputeMetrics();
        break;
    case WM_CONTEXTMENU:
        if (OnContextMenu(wParam, lParam)) return 0;
        break;
    case MM_MCINOTIFY:
        OnPlayEnded(wParam, lParam);
        return 0;
    case TTrayIcon::CallbackMessage:
        return OnTrayMouse(static_cast<UINT>(lParam));
    case StateQueryMessage:
        AnswerStateQuery(reinterpret_cast<HWND>(wParam));
        return playList.Count();
    default:
        break;
    }
    return TShape::WindowProc(message, wParam, lParam);
}

// While a box or another window of the program is open, a click only brings it forward.
LRESULT TMainShape::OnTrayMouse(UINT mouseMessage)
{
    HWND popup = GetLastActivePopup(hwnd);
    if (popup != hwnd) {
        if (IsClick(mouseMessage)) {
            SetForegroundWindow(hwnd);
            SetActiveWindow(popup);
        }
        return 0;
    }
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(CommandPlayOrStop, 1), 0);
        break;
    case WM_RBUTTONDOWN: {
        SetForegroundWindow(hwnd);
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackPopupMenu(menus->TrayMenu(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd, nullptr);
        // The foreground window above lets a click elsewhere close the menu; Windows finishes
        // that switch only with a message after the menu, without which the next tray menu
        // can vanish as soon as it opens.
        PostMessageA(hwnd, WM_NULL, 0, 0);
        break;
    }
    case WM_RBUTTONDBLCLK:
        SetForegroundWindow(hwnd);
        OnCommand(CommandSettings, nullptr, 0);
        break;
    default:
        break;
    }
    return 0;
}

// Only a click inside the client area opens the menu, not the keyboard's (-1, -1). The point
// is signed: a monitor left of or above the primary one has negative coordinates.
bool TMainShape::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (reinterpret_cast<HWND>(wParam) != hwnd || (point.x == -1 && point.y == -1)) return false;
    RECT client{};
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const bool inside = point.x >= client.left && point.x <= client.right && point.y >= client.top &&
                        point.y <= client.bottom;
    if (!inside) return false;
    TrackPopupMenu(menus->ContextMenu(), TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd, nullptr);
    return true;
}

void TMainShape::AnswerStateQuery(HWND requester)
{
    if (!requester || !IsWindow(requester)) return;
    const THeapString& tip = tray.Tip();
    const size_t tipSize = lstrlenA(tip) + 1, fileSize = lstrlenA(currentFile) + 1;
    std::vector<char> texts(tipSize + fileSize);
    lstrcpyA(texts.data(), tip);
    lstrcpyA(texts.data() + tipSize, currentFile);
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(playerState);
    data.cbData = static_cast<DWORD>(texts.size());
    data.lpData = texts.data();
    SendMessageTimeoutA(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, stateAnswerTimeoutMs, nullptr);
}
