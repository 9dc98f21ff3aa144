// ScopedFileTypeCommand: the open command of a file type, swapped in and put back.
#include "ScopedFileTypeCommand.h"

ScopedFileTypeCommand::ScopedFileTypeCommand(const char* extension, const std::string& command)
{
    char type[256] = {};
    DWORD size = sizeof type;
    if (RegGetValueA(HKEY_CLASSES_ROOT, extension, nullptr, RRF_RT_REG_SZ, nullptr, type, &size) != ERROR_SUCCESS) {
        lstrcpyA(type, "KelvaneTestType");
        RegSetKeyValueA(HKEY_CLASSES_ROOT, extension, nullptr, REG_SZ, type, lstrlenA(type) + 1);
    }
    commandKey = std::string(type) + "\\shell\\open\\command";
    char old[1024] = {};
    size = sizeof old;
    hadPrevious = RegGetValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
    previous = old;
    RegSetKeyValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>(command.size() + 1));
}

ScopedFileTypeCommand::~ScopedFileTypeCommand()
{
    if (hadPrevious) {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr, REG_SZ, previous.c_str(),
                        static_cast<DWORD>(previous.size() + 1));
    } else {
        RegDeleteKeyValueA(HKEY_CLASSES_ROOT, commandKey.c_str(), nullptr);
    }
}
