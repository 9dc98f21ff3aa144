// The process's one execution log, reached through free functions by any part of a program.
#pragma once

// Called once after the command line has been parsed; returns whether "/silent" was given.
bool StartLog();
void LogStep(const char* message);
// Answers a question without asking the user: yes under "/ignore" or when the message box
// of `key` has a remembered answer.
bool Confirm(const char* message, const char* key);
void ConfirmOrAbort(const char* message, const char* key);
// Finishes the log and ends the process.
void EndLog(bool success, const char* message);
void CloseLog();

// The user is told that the log file could not be opened; false when the user chose to stop.
bool ReportCannotOpenLog(const char* path);

// The message box that tells it, supplied by the controls when they are linked in (this
// library sits below them). Without one the log goes on without asking.
using TCannotOpenLogReport = bool (*)(const char* path);
void SetCannotOpenLogReport(TCannotOpenLogReport report);
