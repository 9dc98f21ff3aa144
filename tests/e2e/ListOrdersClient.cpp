// Writing the orders beside list_orders.dll and loading it into the program on a thread of its own.
#include "ListOrdersClient.h"

#include <cstdio>

#include "support/ChildProcess.h"

std::vector<std::string> ListDrop(const std::vector<std::string>& paths)
{
    std::vector<std::string> lines{"drop"};
    lines.insert(lines.end(), paths.begin(), paths.end());
    lines.push_back("end");
    return lines;
}

std::vector<std::string> ListKey(int virtualKey) { return {"key " + std::to_string(virtualKey)}; }

bool PostListOrders(HWND list, const std::vector<std::string>& orders)
{
    const std::string library = ProgramBesideTests("list_orders.dll");
    FILE* file = std::fopen((library + ".txt").c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "window %lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(list)));
    for (const std::string& line : orders) std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);

    HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                     PROCESS_VM_WRITE | PROCESS_VM_READ,
                                 FALSE, processId);
    if (!process) return false;
    bool posted = false;
    void* name = VirtualAllocEx(process, nullptr, library.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (name && WriteProcessMemory(process, name, library.c_str(), library.size() + 1, nullptr)) {
        // kernel32 sits at the same address in every process of a session.
        auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
        if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, name, 0, nullptr)) {
            posted = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
            CloseHandle(thread);
        }
    }
    if (name) VirtualFreeEx(process, name, 0, MEM_RELEASE);
    CloseHandle(process);
    return posted;
}
