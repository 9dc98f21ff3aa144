// TExecutionLog: the framed text log of an unattended run, opened by "/silent:<file>",
// and the answers it gives to questions that would otherwise go to the user.
#pragma once

#include <windows.h>

#include "foundation/CommandLine.h"
#include "foundation/DateTime.h"
#include "foundation/HeapString.h"
#include "foundation/RegistryStore.h"

// What the log takes from the program around it.
class TLogEnvironment {
public:
    virtual ~TLogEnvironment();
    virtual const TCommandLine& CommandLine() const = 0;  // the switches
    virtual const TRegistryStore& Settings() const = 0;   // sections "Silent" and "WithoutStereotype"
    virtual THeapString ApplicationName() const = 0;
    virtual THeapString ReceivedCommandLine() const = 0;  // as the program received it
    virtual TDateTime BuildStamp() const = 0;
    virtual TDateTime Now() const = 0;                    // the local clock
    virtual THeapString DisplayText(const char* text) const = 0;
    // Tells the user that the log file could not be opened; false when the user chose to stop.
    virtual bool ReportCannotOpen(const char* path) = 0;
    virtual void EndProcess(int exitCode) = 0;
};

class TExecutionLog {
public:
    explicit TExecutionLog(TLogEnvironment& environment);
    TExecutionLog(const TExecutionLog&) = delete;
    TExecutionLog& operator=(const TExecutionLog&) = delete;
    ~TExecutionLog(); // closes the file, without a footer

    // Reads "/silent" and "/ignore", opens the log file named by "/silent:" (appending),
    // loads the settings and writes the header. Returns the silent flag.
    bool Start();
    // One step line; nothing while the log is closed.
    void Step(const char* message);
    // Yes under "/ignore", else the stored answer of `key` (not 0: yes); logged when a
    // message is given. Null or empty message and key count as none.
    bool Confirm(const char* message, const char* key);
    // Confirm, and on no End(false).
    void ConfirmOrAbort(const char* message, const char* key);
    // The message's step line, the end line and the footer; then the process ends,
    // with exit code 0 after success and -1 after failure.
    void End(bool success, const char* message);
    // The footer, and the file closed; only while silent and open.
    void Close();

    bool IsSilent() const { return silent; }
    bool IsIgnoring() const { return ignore; }
    bool IsOpen() const { return open != 0; }
    bool LastWriteSucceeded() const { return lastStatus != 0; }
    const THeapString& Path() const { return path; }
    const THeapString& Title() const { return title; }
    const THeapString& DateFormat() const { return dateFormat; }
    const THeapString& TimeFormat() const { return timeFormat; }

private:
    void OpenFile(const char* name);
    void CloseFile();
    void LoadSettings();
    void WriteHeader();
    void WriteFooter();
    void WriteLine(const char* line);
    void WriteStampedLine(const char* text); // the time stamp, then the converted text
    THeapString TimeText(const TDateTime& now) const;
    THeapString DateAndTimeLine(const TDateTime& now) const;
    THeapString Display(const char* text) const;

    TLogEnvironment& environment; // borrowed
    THeapString path;
    HANDLE file;                  // owned while open
    DWORD attributes;
    unsigned char lastStatus;     // 1 after a successful open or write, 0 after a failure
    unsigned char open;
    int depth;                    // of the tree drawn in the step lines
    THeapString title;
    unsigned char writeCommandLine;
    THeapString dateFormat;
    THeapString timeFormat;
    bool silent;
    bool ignore;
};
