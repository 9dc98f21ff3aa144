// Helpers of the end-to-end tests: starting real processes, temporary folders and files,
// and a file-type command that lasts for one test.
#pragma once

#include <windows.h>

#include <string>

// The full Windows path of a program built beside the test executables.
std::string ProgramBesideTests(const char* name);

// Runs a command line and waits for it (at most timeoutMs); returns its exit code, or
// 0xFFFF0000 when it could not be started or did not end in time (it is then killed).
DWORD RunProcess(const std::string& commandLine, DWORD timeoutMs = 30000);

// Polls until a registry value exists.
bool WaitForValue(HKEY root, const char* key, const char* name, DWORD timeoutMs);

bool WriteSmallFile(const std::string& path, const char* content);

// A new empty folder under the temporary folder, removed with its files at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return path; }

private:
    std::string path;
};

// Points the "open" verb of a file extension's type at another command, and puts the
// earlier command back at the end.
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
