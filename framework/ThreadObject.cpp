// TThread: starting, waiting for and stopping the thread of a background object.
#include "framework/ThreadObject.h"

#include <process.h>

TThread::TThread() : handle(nullptr), id(0), running(0), deleteWhenDone(0) {}

TThread::~TThread()
{
    if (handle) CloseHandle(handle);
}

// Through the runtime's own thread creation, so that its per-thread data exists. The thread
// starts suspended: a short Execute could otherwise delete the object before Start has
// stored the handle in it.
bool TThread::Start(unsigned stackSize)
{
    unsigned threadId = 0;
    uintptr_t created = _beginthreadex(nullptr, stackSize, &TThread::Entry, this, CREATE_SUSPENDED, &threadId);
    if (!created) return false;
    handle = reinterpret_cast<HANDLE>(created);
    id = threadId;
    ResumeThread(handle);
    return true;
}

unsigned __stdcall TThread::Entry(void* object)
{
    TThread* thread = static_cast<TThread*>(object);
    thread->running = 1;
    thread->Execute();
    thread->running = 0;
    if (thread->deleteWhenDone) delete thread;
    return 0;
}

bool TThread::Wait(DWORD milliseconds)
{
    DWORD result = WaitForSingleObject(handle, milliseconds);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) return false;
    Forget();
    return true;
}

bool TThread::Terminate(DWORD exitCode)
{
    if (!handle || !TerminateThread(handle, exitCode)) return false;
    Forget();
    running = 0;
    return true;
}

void TThread::Forget()
{
    if (handle) CloseHandle(handle);
    handle = nullptr;
    id = 0;
}
