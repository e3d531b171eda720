// Wine's console host keeps a console child's inherited handles open a
// moment after the child has ended: the parent finds the child's output file
// still in use (a sharing violation) where Windows has let it go. A child
// started detached has no console host, and its file is free at once.
//   console_handles.exe            20 runs each way, the failures counted
// Built and run by tests/windows/repro/run.sh. Exit 0: the child started with
// CREATE_NO_WINDOW left its file held at least once, the detached one never.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int Runs(DWORD flags, const wchar_t* self) {
    int held = 0;
    for (int i = 0; i < 20; ++i) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE out = CreateFileW(L"console_handles.out", GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = out;
        PROCESS_INFORMATION process{};
        std::wstring command = std::wstring(L"\"") + self + L"\" child";
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup,
                            &process))
            return -1;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        CloseHandle(out);
        if (!DeleteFileW(L"console_handles.out") && GetLastError() == ERROR_SHARING_VIOLATION) {
            ++held;
            Sleep(200);
            DeleteFileW(L"console_handles.out");
        }
    }
    return held;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"child") {
        std::fputs("output\n", stderr);
        return 2;
    }
    int console = Runs(CREATE_NO_WINDOW, argv[0]);
    int detached = Runs(DETACHED_PROCESS, argv[0]);
    std::printf("output file still held after the child ended: CREATE_NO_WINDOW %d/20, DETACHED_PROCESS %d/20\n",
                console, detached);
    return console > 0 && detached == 0 ? 0 : 1;
}
