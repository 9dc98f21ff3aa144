// TThread: the library's base for short background work on a thread of its own.
#pragma once

#include <windows.h>

class TThread {
public:
    TThread();
    // Closes the thread handle; the thread itself is not stopped.
    virtual ~TThread();
    // The work; runs on the new thread.
    virtual void Execute() = 0;

    // Starts Execute on a new thread with this stack size; false when no thread was made.
    // With delete-when-done set the object deletes itself when Execute returns.
    bool Start(unsigned stackSize);
    // True when the thread ended (or was abandoned) within the time; handle and id are then gone.
    bool Wait(DWORD milliseconds);
    // Stops the thread at once; true on success.
    bool Terminate(DWORD exitCode);

    bool Running() const { return running != 0; }
    HANDLE ThreadHandle() const { return handle; }
    DWORD ThreadId() const { return id; }
    void SetDeleteWhenDone(bool flag) { deleteWhenDone = flag ? 1 : 0; }

    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

private:
    static unsigned __stdcall Entry(void* object);
    void Forget();

    HANDLE handle;                // owned
    DWORD id;
    volatile BYTE running;
    BYTE deleteWhenDone;
};
