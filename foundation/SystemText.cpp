// Texts the system supplies: the program's string resources and system error messages.
#include "foundation/SystemText.h"

#include "foundation/DisplayText.h"
#include "foundation/ProcessEntry.h"

namespace {

THeapString LoadResourceText(UINT id, int bufferSize)
{
    THeapString text;
    char* buffer = text.Reserve(bufferSize - 1);
    buffer[0] = '\0';
    if (LoadStringA(ProgramModule(), id, buffer, bufferSize) <= 0) buffer[0] = '\0';
    text.Release();
    return text;
}

} // namespace

HMODULE ProgramModule()
{
    // Before the process entry has run (in tests) the instance is not known yet.
    HINSTANCE instance = ProgramInstance();
    return instance ? instance : GetModuleHandleA(nullptr);
}

THeapString ResourceText(UINT id)
{
    THeapString text = LoadResourceText(id, 1024);
    if (text.IsEmpty()) return text;
    return DisplayText(text);
}

THeapString RawResourceText(UINT id) { return LoadResourceText(id, 256); }

THeapString SystemErrorText(DWORD code)
{
    // Inserts are ignored: system messages with "%1" would otherwise be formatted from
    // arguments that are not there.
    char* message = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPSTR>(&message), 0, nullptr);
    THeapString text;
    if (length > 0 && message) text = THeapString(message, static_cast<int>(length));
    if (message) LocalFree(message);
    return text;
}
