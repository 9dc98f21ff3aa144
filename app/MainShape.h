// TMainShape: the settings window, which also owns the tray icon, the menus, the play list
// and the MCI device for the program's whole run.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <memory>

#include "app/TrayIcon.h"
#include "app/TrayMenus.h"
#include "controls/ButtonRowElement.h"
#include "controls/SystemIconElement.h"
#include "filelists/FileListbox.h"
#include "foundation/HeapStringList.h"
#include "framework/Shape.h"

enum TPlayerState { StateEmpty = 0, StatePlaying = 1, StatePaused = 2, StateStopped = 3 };

class TMainShape : public TShape {
public:
    TMainShape();
    ~TMainShape() override;

    void OnSetupDone() override;
    void OnClosing() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSysCommand(UINT command, int x, int y) override;
    int OnCommand(int id, HWND control, int code) override;

    // Mode 0 deletes the icon; mode 1 adds it without a text and modifies it with one (the
    // empty text shows the program's name).
    enum { TrayDelete = 0, TrayAddOrModify = 1 };
    BOOL UpdateTrayIcon(int mode, const char* text = nullptr);
    void SetPlayerState(int state);

    // Draws an entry and plays it, or plays a paused device on; errors shown with `report`.
    void PlayNext(bool report);
    void PausePlayback();
    void StopPlayback();

    // Sent by other programs with wParam their window: answered with WM_COPYDATA carrying the
    // player state as dwData and the tray tip and the current entry as two texts; the result
    // is the number of play-list entries.
    static const UINT StateQueryMessage = WM_APP + 9001;

    const THeapStringList& PlayList() const { return playList; }
    const THeapString& CurrentFile() const { return currentFile; }
    MCIDEVICEID DeviceId() const { return deviceId; }
    int PlayerState() const { return playerState; }
    HICON TrayIconHandle() const { return trayIcon; }
    bool ShortcutPending() const { return shortcutPending != 0; }
    TFileListbox& FileList() { return *fileList; }
    TTrayMenus& Menus() { return *menus; }
    const TTrayIcon& Tray() const { return tray; }

private:
    void BuildElements();
    void LoadSettings();
    void SaveSettings();
    void GiveHelpButtonItsIcon();
    void ShowSettings();
    void AcceptSettings();
    void CancelSettings();
    void ShowHelp();
    void CloseHelp();
    void ExitProgram();
    void PlayFile(bool report);
    void OnPlayEnded(WPARAM notice, LPARAM device);
    LRESULT OnTrayMouse(UINT mouseMessage);
    bool OnContextMenu(WPARAM wParam, LPARAM lParam);
    void AnswerStateQuery(HWND requester);

    HICON trayIcon = nullptr;  // borrowed: one of the three below
    HICON appIcon = nullptr;   // borrowed: the icon cache owns these
    HICON playIcon = nullptr;
    HICON pauseIcon = nullptr;
    unsigned char shortcutPending = 0;
    TButtonDescriptor okButton;
    TButtonDescriptor cancelButton;
    TButtonDescriptor helpButton;   // its icon is fetched when the window is first shown
    THeapString helpPattern;        // "*.hlp" in the folder the program started in
    std::unique_ptr<TSystemIconElement> iconElement;
    std::unique_ptr<TFileListbox> fileList;
    std::unique_ptr<TButtonRowElement> buttons;
    MCIDEVICEID deviceId = 0;
    DWORD playEnd = 0;              // where the open device's play stops (a CD track's end); 0: its end
    bool reportPlayFailure = false; // the open device was started by the user's Play
    TTrayIcon tray;                     // holds `trayWindow`
    std::unique_ptr<TTrayMenus> menus;  // the tray and context menus with their icons
    THeapStringList playList;
    THeapString currentFile;
    int playerState = StateEmpty;
};
