// TShellOpenRecorder: for one test, the shell's "open" of a file type starts the entry probe,
// which records the path it was asked to open. The type's own command comes back at the end.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "support/SavedValue.h"

// Where the entry probe records what its process entry parsed and kept.
extern const char EntryProbeKey[];

class TShellOpenRecorder {
public:
    explicit TShellOpenRecorder(const char* extension); // ".hlp", ".html"
    ~TShellOpenRecorder();
    TShellOpenRecorder(const TShellOpenRecorder&) = delete;
    TShellOpenRecorder& operator=(const TShellOpenRecorder&) = delete;

    // The path the shell was asked to open, once the probe has recorded it; empty after the timeout.
    std::string WaitForOpened(DWORD timeoutMs);
    // Whether anything was opened by now.
    bool Opened() const;

private:
    std::unique_ptr<TSavedValue> command;
};
