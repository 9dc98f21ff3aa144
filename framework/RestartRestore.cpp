// Restart restore: the RunOnce entry and the program's block under "Serialize".
#include "framework/RestartRestore.h"

#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "foundation/Handles.h"
#include "foundation/PathOperations.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"
#include "foundation/StringOperations.h"
#include "foundation/SystemChecks.h"
#include "framework/Placement.h"

const char RunOnceKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

namespace {

const int mostPendingRestarts = 1000;

THeapString ApplicationNameForRestart()
{
    THeapString name = ApplicationName();
    return name.IsEmpty() ? ApplicationDisplayName() : name;
}

// The running program's own file, quoted so that a path with blanks stays one word.
THeapString ProgramCommand()
{
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return THeapString();
    path[length] = '\0';
    return Quoted(path);
}

bool ValueExists(HKEY key, const char* name)
{
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) != ERROR_FILE_NOT_FOUND;
}

int FirstFreeNumber(HKEY runOnce, const char* applicationName)
{
    for (int number = 0; number < mostPendingRestarts; ++number)
        if (!ValueExists(runOnce, Concat(applicationName, number))) return number;
    return -1;
}

// Restart records are named by RegisterRestart only; anything else on the switch (a
// placement's name, say) is not ours to hand out and delete.
bool IsRestartNumber(const char* text)
{
    if (!*text) return false;
    for (; *text; ++text)
        if (*text < '0' || *text > '9') return false;
    return true;
}

bool WriteRunOnceEntry(int& number)
{
    THeapString program = ProgramCommand();
    if (program.IsEmpty()) return false;
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RunOnceKeyPath, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return false;
    TOwnedKey runOnce(created);
    THeapString applicationName = ApplicationNameForRestart();
    number = FirstFreeNumber(runOnce, applicationName);
    LONG result = ERROR_NO_MORE_ITEMS;
    if (number >= 0) {
        THeapString command = Concat(Concat(program, " /restore:"), number);
        result = RegSetValueExA(runOnce, Concat(applicationName, number), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(command.Text()), command.Length() + 1);
    }
    return result == ERROR_SUCCESS;
}

// Any size: a restart block is the program's own and may exceed the store's read buffer.
bool ReadBlock(HKEY key, const char* name, std::vector<unsigned char>& data)
{
    DWORD type = REG_NONE, size = 0;
    if (!key || RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return false;
    std::vector<unsigned char> block(size ? size : 1);
    if (RegQueryValueExA(key, name, nullptr, &type, block.data(), &size) != ERROR_SUCCESS || type != REG_BINARY)
        return false;
    block.resize(size);
    data.swap(block);
    return true;
}

} // namespace

// The block is kept only once the entry that will ask for it exists, so a failed
// registration leaves nothing behind.
bool RegisterRestart(const void* data, DWORD size)
{
    int number = -1;
    if (!WriteRunOnceEntry(number) || !data) return false;
    TRegistrySection section(ApplicationStore(), SerializeSectionName);
    return section.Store().WriteBinary(Concat("", number), data, size) == ERROR_SUCCESS;
}

bool TakeRestartData(std::vector<unsigned char>& data)
{
    int index = FindSwitch("/restore");
    if (index < 0) return false;
    THeapString name = SwitchValue(index);
    if (!IsRestartNumber(name)) return false;
    TRegistrySection section(ApplicationStore(), SerializeSectionName, OpenExisting);
    if (!ReadBlock(section.Store().LastHandle(), name, data)) return false;
    section.Store().DeleteValue(name);
    if (IsKeyDown(VK_SHIFT)) ExitProcess(static_cast<UINT>(-1));
    return true;
}
