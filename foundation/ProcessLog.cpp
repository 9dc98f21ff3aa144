// The process-wide execution log: its surroundings taken from the process entry.
#include "foundation/ProcessLog.h"

#include <windows.h>

#include "foundation/DisplayText.h"
#include "foundation/ExecutionLog.h"
#include "foundation/GlobalStores.h"
#include "foundation/ProcessEntry.h"

namespace {

class TProcessLogEnvironment : public TLogEnvironment {
public:
    const TCommandLine& CommandLine() const override { return ProcessCommandLine(); }
    const TRegistryStore& Settings() const override { return ApplicationStore(); }
    THeapString ApplicationName() const override { return ::ApplicationName(); }
    THeapString ReceivedCommandLine() const override { return THeapString(StartCommandLine()); }
    // The library's own build, the one program part every user of the log shares.
    TDateTime BuildStamp() const override
    {
        const TDateTime stamp = {TDate::ParseCompileDate(__DATE__), TTime::ParseCompileTime(__TIME__)};
        return stamp;
    }
    TDateTime Now() const override
    {
        SYSTEMTIME now; // one reading, so the date and the time belong together
        GetLocalTime(&now);
        const TDateTime stamp = {{now.wYear, now.wMonth, now.wDay},
                                 {1, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds}};
        return stamp;
    }
    THeapString DisplayText(const char* text) const override { return ::DisplayText(text); }
    bool ReportCannotOpen(const char* path) override { return ReportCannotOpenLog(path); }
    void EndProcess(int exitCode) override { ExitProcess(static_cast<UINT>(exitCode)); }
};

// Built on first use and closed by the exit of the process (without a footer).
TExecutionLog& Log()
{
    static TProcessLogEnvironment environment;
    static TExecutionLog log(environment);
    return log;
}

} // namespace

bool StartLog() { return Log().Start(); }
void LogStep(const char* message) { Log().Step(message); }
bool Confirm(const char* message, const char* key) { return Log().Confirm(message, key); }
void ConfirmOrAbort(const char* message, const char* key) { Log().ConfirmOrAbort(message, key); }
void EndLog(bool success, const char* message) { Log().End(success, message); }
void CloseLog() { Log().Close(); }

namespace {

TCannotOpenLogReport cannotOpenLogReport = nullptr;

} // namespace

void SetCannotOpenLogReport(TCannotOpenLogReport report) { cannotOpenLogReport = report; }

bool ReportCannotOpenLog(const char* path)
{
    return cannotOpenLogReport ? cannotOpenLogReport(path) : true;
}
