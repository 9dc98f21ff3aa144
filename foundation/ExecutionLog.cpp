// TExecutionLog: opening the log file, its settings, the framed header and footer, the
// step lines and the answers to questions.
#include "foundation/ExecutionLog.h"

#include "foundation/RegValue.h"
#include "foundation/RegistrySection.h"
#include "foundation/StringOperations.h"

namespace {

const char defaultTitle[] = "実行ログ";
const char defaultDateFormat[] = "%元号%%ｇ%年%ｍ%月%ｄ%日（%曜日%）";
const char defaultTimeFormat[] = "%HH%:%mm%:%ss%";
const char rule[] = "─";
const int ruleLength = 38; // box characters in a full-width rule, after its corner

// A text setting of the section, or the default when the value is missing.
void ReadSetting(const TRegistryStore& section, const char* name, THeapString& setting)
{
    TRegStringValue value(section, name);
    if (value.Exists()) setting = value.Get();
}

THeapString Join(const char* a, const char* b, const char* c = "") { return Concat(Concat(a, b), c); }

} // namespace

TLogEnvironment::~TLogEnvironment() = default;

TExecutionLog::TExecutionLog(TLogEnvironment& environment)
    : environment(environment), file(INVALID_HANDLE_VALUE), attributes(FILE_ATTRIBUTE_NORMAL), lastStatus(0),
      open(0), depth(0), writeCommandLine(0), silent(false), ignore(false)
{
}

TExecutionLog::~TExecutionLog() { CloseFile(); }

bool TExecutionLog::Start()
{
    if (open) Close(); // a second start finishes the first log properly
    const TCommandLine& commandLine = environment.CommandLine();
    const int silentSwitch = commandLine.FindSwitch("/silent");
    silent = silentSwitch >= 0;
    ignore = commandLine.FindSwitch("/ignore") >= 0;
    path = "";
    if (silent) OpenFile(Unquoted(commandLine.SwitchValue(silentSwitch)));

    depth = 0;
    title = defaultTitle;
    dateFormat = defaultDateFormat;
    timeFormat = defaultTimeFormat;
    // Only a log that was asked for is worth a word to the user.
    if (silent && !open && commandLine.FindSwitch("/chicken") >= 0 && !environment.ReportCannotOpen(path)) {
        environment.EndProcess(-1);
    }
    writeCommandLine = 1;
    LoadSettings();
    if (open) WriteHeader();
    return silent;
}

void TExecutionLog::OpenFile(const char* name)
{
    path = name;
    if (path.IsEmpty()) return;
    file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        lastStatus = 0;
        return;
    }
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(file, start, nullptr, FILE_END)) { // appended to, never overwritten
        CloseFile();
        lastStatus = 0;
        return;
    }
    open = 1;
    lastStatus = 1;
}

void TExecutionLog::CloseFile()
{
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    open = 0;
}

void TExecutionLog::LoadSettings()
{
    TRegistrySection section(environment.Settings(), "Silent");
    ReadSetting(section.Store(), "Title", title);
    ReadSetting(section.Store(), "DateFormat", dateFormat);
    ReadSetting(section.Store(), "TimeFormat", timeFormat);
}

void TExecutionLog::Step(const char* message)
{
    if (!open || !message || !*message) return;
    WriteStampedLine(Join(Repeat("│", depth), "├", message));
}

bool TExecutionLog::Confirm(const char* message, const char* key)
{
    bool yes = ignore;
    if (!yes && key && *key) {
        TRegistrySection section(environment.Settings(), "WithoutStereotype");
        DWORD answer = 0;
        yes = section.Store().ReadDword(key, answer) == ERROR_SUCCESS && answer != 0;
    }
    if (open && message && *message) {
        Step(message);
        const char* outcome = yes ? "処理を強行しました。" : "処理を中断しました。";
        WriteStampedLine(Join(Repeat("│", depth + 1), "　└", outcome));
    }
    return yes;
}

void TExecutionLog::ConfirmOrAbort(const char* message, const char* key)
{
    if (!Confirm(message, key)) End(false, nullptr);
}

void TExecutionLog::End(bool success, const char* message)
{
    Step(message);
    const char* outcome = success ? "正常終了しました。" : "異常終了しました。";
    if (open) WriteStampedLine(Join(Repeat("│", depth), "├", outcome));
    Close();
    environment.EndProcess(success ? 0 : -1);
}

void TExecutionLog::Close()
{
    if (!silent || !open) return;
    WriteFooter();
    CloseFile();
}

// The header's bottom rule puts its "┬" under the column where the step lines' tree
// begins, just after the time stamp.
void TExecutionLog::WriteHeader()
{
    const TDateTime now = environment.Now();
    const TDateTime build = environment.BuildStamp();
    const TDate& built = build.date;
    const THeapString version = Concat(FormatDate("%yyyy%%mm%%dd%", built.year, built.month, built.day, false),
                                       FormatTime(build.time, "%HH%%mm%%ss%", false));
    WriteLine(Display(Join("┌", Repeat(rule, ruleLength))));
    WriteLine(Display(Join("│Application:", environment.ApplicationName())));
    WriteLine(Display(Join("│    version:", version)));
    WriteLine(Display(Join("│LogTitle   :", title)));
    if (writeCommandLine) WriteLine(Join("│CommandLine:", environment.ReceivedCommandLine()));
    WriteLine(DateAndTimeLine(now));

    const int half = (TimeText(now).Length() + 1) / 2;
    if (half == 0) WriteLine(Display(Join("└", Repeat(rule, ruleLength))));
    else WriteLine(Display(Join(Join("└", Repeat(rule, half - 1), "┬"), Repeat(rule, ruleLength - half))));
}

void TExecutionLog::WriteFooter()
{
    const TDateTime now = environment.Now();
    const int half = (TimeText(now).Length() + 1) / 2;
    if (half == 0) {
        WriteLine(Display(Join("┌", Repeat(rule, ruleLength))));
    } else {
        const THeapString joints = Join(Repeat(rule, half - 1), Repeat("┴", depth + 1));
        WriteLine(Display(Join("┌", joints, Repeat(rule, ruleLength - half - depth))));
    }
    WriteLine(DateAndTimeLine(now));
    WriteLine(Display(Join("└", Repeat(rule, ruleLength))));
}

THeapString TExecutionLog::TimeText(const TDateTime& now) const { return FormatTime(now.time, timeFormat, true); }

THeapString TExecutionLog::DateAndTimeLine(const TDateTime& now) const
{
    const THeapString date = FormatDate(dateFormat, now.date.year, now.date.month, now.date.day, false);
    return Join(Join("│Date & Time:", date, "　"), TimeText(now));
}

THeapString TExecutionLog::Display(const char* text) const { return environment.DisplayText(text); }

void TExecutionLog::WriteStampedLine(const char* text)
{
    WriteLine(Concat(TimeText(environment.Now()), Display(text)));
}

// One line of the file: line breaks inside it would break the frame, so they go.
// A failed write is only remembered; the next line is tried all the same.
void TExecutionLog::WriteLine(const char* line)
{
    if (!open) return;
    const THeapString bytes = Concat(RemoveAll(line, "\r\n"), "\r\n");
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.Length());
    lastStatus = WriteFile(file, bytes.Text(), size, &written, nullptr) && written == size ? 1 : 0;
}
