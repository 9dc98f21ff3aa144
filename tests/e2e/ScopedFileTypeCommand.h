// ScopedFileTypeCommand: points the "open" verb of a file extension's type at another command
// for one test, and puts the earlier command back at the end.
#pragma once

#include <windows.h>

#include <string>

class ScopedFileTypeCommand {
public:
    ScopedFileTypeCommand(const char* extension, const std::string& command);
    ~ScopedFileTypeCommand();
    ScopedFileTypeCommand(const ScopedFileTypeCommand&) = delete;
    ScopedFileTypeCommand& operator=(const ScopedFileTypeCommand&) = delete;

private:
    std::string commandKey;
    std::string previous;
    bool hadPrevious = false;
};
