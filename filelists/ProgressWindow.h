// TProgressWindow: the small modeless window that long operations show while they pump messages.
#pragma once

#include <windows.h>

#include <memory>

class TShape;

enum class TProgressKind {
    FolderScan, // Resume / Pause / Stop, "searching for files"; closing tells the owner 1001
    AddingPaths // no buttons and no close command, "adding to the file list"
};

class TProgressWindow {
public:
    // Nothing is shown yet; the bar starts at 0 of `range` (at least 1).
    TProgressWindow(HWND owner, TProgressKind kind, int range = 100);
    ~TProgressWindow(); // a window still open is destroyed
    TProgressWindow(const TProgressWindow&) = delete;
    TProgressWindow& operator=(const TProgressWindow&) = delete;

    void Show();
    // Ends the window with result 1 and handles messages until it is gone.
    void Close();
    bool IsOpen() const;
    // Resume is enabled: the user paused the operation.
    bool IsPaused() const;

    // Each of these answers whether it painted, that is moved what the bar shows.
    bool SetRange(int range);
    int Range() const;
    int Position() const;
    // Moves the bar by `steps` and paints the new slice when the window is there.
    bool Advance(int steps = 1);
    bool SetPosition(int position);

    HWND Handle() const;
    TShape& Shape();

    static constexpr int NotificationCommand = 1001;
    static constexpr int ResumeId = 4;
    static constexpr int PauseId = 7;
    static constexpr int StopId = 2;

private:
    struct TParts;
    std::unique_ptr<TParts> parts; // owned: the elements and the shape that shows them
};
