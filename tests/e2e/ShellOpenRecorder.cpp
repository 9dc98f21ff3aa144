// TShellOpenRecorder: a file type's "open" pointed at the entry probe, and the probe's record.
#include "ShellOpenRecorder.h"

#include <shlwapi.h>

#include "support/ChildProcess.h"
#include "support/Wait.h"

const char EntryProbeKey[] = "Software\\Orvik\\KelvaneTest\\EntryProbe";

namespace {

// The key of the "open" command of an extension's file type; a type is registered when there is none.
std::string OpenCommandKey(const char* extension)
{
    std::string type = ReadText(extension, "", HKEY_CLASSES_ROOT);
    if (type.empty()) SetRawValue(extension, "", REG_SZ, Sz(type = "KelvaneTestType"), HKEY_CLASSES_ROOT);
    return type + "\\shell\\open\\command";
}

} // namespace

TShellOpenRecorder::TShellOpenRecorder(const char* extension)
    : command(std::make_unique<TSavedValue>(OpenCommandKey(extension), "", HKEY_CLASSES_ROOT))
{
    SHDeleteKeyA(HKEY_CURRENT_USER, EntryProbeKey);
    command->SetText(("\"" + ProgramBesideTests("EntryProbe.exe") + "\" /opened \"%1\"").c_str());
}

TShellOpenRecorder::~TShellOpenRecorder()
{
    command.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, EntryProbeKey);
}

bool TShellOpenRecorder::Opened() const { return ValueExists(EntryProbeKey, "Arguments"); }

// The probe keeps the opened path as its one argument.
std::string TShellOpenRecorder::WaitForOpened(DWORD timeoutMs)
{
    if (!WaitUntil([this] { return Opened(); }, timeoutMs, "the opened probe's record")) return "";
    TRawValue arguments;
    return GetRawValue(EntryProbeKey, "Arguments", arguments) ? std::string(arguments.bytes.c_str()) : "";
}
