// TUnixStartedKelvane: kelvane.exe started from the Unix side, so that environment variables
// (audio server, Wine debug channels) reach it; a Windows process would hand it its own.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class TUnixStartedKelvane {
public:
    // `environment`: VAR=value words put before the loader. The program's output goes to a log.
    TUnixStartedKelvane(const std::string& environment, const std::string& arguments);
    ~TUnixStartedKelvane(); // a program still running (a test that failed half-way) is ended
    TUnixStartedKelvane(const TUnixStartedKelvane&) = delete;
    TUnixStartedKelvane& operator=(const TUnixStartedKelvane&) = delete;

    // The main window once it exists; null after the timeout.
    HWND MainWindow(DWORD timeoutMs = 20000) const;
    // Ended in time with exit status 0.
    ::testing::AssertionResult EndedCleanly(DWORD timeoutMs = 15000) const;
    // What the program and Wine wrote to standard output and error.
    std::string Log() const;

private:
    std::string Status() const; // the exit status once ended, "" before

    std::string unixBase, windowsBase;
    bool started = false;
};
