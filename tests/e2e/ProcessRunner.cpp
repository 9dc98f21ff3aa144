// Helpers of the end-to-end tests: processes, temporary files, file-type commands.
#include "ProcessRunner.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

std::string ProgramBesideTests(const char* name)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

DWORD RunProcess(const std::string& commandLine, DWORD timeoutMs)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return 0xFFFF0000;
    }
    DWORD exitCode = 0xFFFF0000;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

bool WaitForValue(HKEY root, const char* key, const char* name, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited <= timeoutMs; waited += 100) {
        if (RegGetValueA(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS) return true;
        Sleep(100);
    }
    return false;
}

bool WriteSmallFile(const std::string& path, const char* content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content, static_cast<DWORD>(lstrlenA(content)), &written, nullptr);
    CloseHandle(file);
    return ok != FALSE;
}

TemporaryFolder::TemporaryFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char name[32];
    wsprintfA(name, "kelvane-test-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    path = std::string(temp) + name;
    CreateDirectoryA(path.c_str(), nullptr);
}

TemporaryFolder::~TemporaryFolder()
{
    std::vector<char> from(path.begin(), path.end());
    from.push_back('\0');
    from.push_back('\0'); // SHFileOperation takes a double-NUL-terminated list
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

ScopedFileTypeCommand::ScopedFileTypeCommand(const char* extension, const std::string& command)
{
    char type[256] = {};
    DWORD size = sizeof type;
    if (RegGetValueA(HKEY_CLASSES_ROOT, extension, nullptr, RRF_RT_REG_SZ, nullptr, type, &size) != ERROR_SUCCESS) {
        lstrcpyA(type, "KelvaneTestType");
        SHSetValueA(HKEY_CLASSES_ROOT, extension, nullptr, REG_SZ, type, lstrlenA(type) + 1);
    }
    commandKey = std::string(type) + "\\shell\\open\\command";
    char old[1024] = {};
    size = sizeof old;
    hadPrevious = RegGetValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
    previous = old;
    SHSetValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>(command.size() + 1));
}

ScopedFileTypeCommand::~ScopedFileTypeCommand()
{
    if (hadPrevious) {
        SHSetValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, REG_SZ, previous.c_str(),
                        static_cast<DWORD>(previous.size() + 1));
    } else {
        SHDeleteValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr);
    }
}
