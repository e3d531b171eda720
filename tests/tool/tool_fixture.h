#pragma once
// vosk-sheet run as a process: a folder of the test's own (the settings the
// tool loads live under its drives), the tool's exit status, stdout and
// stderr, and fixture files written into the folder.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "tests/core/test_system.h"

namespace vosk::test {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

#ifdef _WIN32
// One argument as the C runtime's command-line parser reads it back:
// quoted, a quote escaped, backslashes doubled only before a quote.
inline std::wstring CommandLineQuote(const std::wstring& arg) {
    std::wstring q = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        q.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        q += c;
    }
    q.append(2 * backslashes, L'\\');
    return q + L"\"";
}
#else
inline std::string ShellQuote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}
#endif

class ToolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshTestFolder("vosk-tool");
        SetEnv("VOSK_DRIVES", dir_ / "drives");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

#ifdef _WIN32
    // Under Wine, with both cores busy, a tool's output files were seen held
    // for a moment after its process had ended (read back empty, or not
    // removable): wait until nobody holds `file`, at most five seconds.
    static void WaitUntilFree(const std::filesystem::path& file) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                CloseHandle(h);
                return;
            }
            if (GetLastError() != ERROR_SHARING_VIOLATION) return;
            Sleep(25);
        }
    }

    // The arguments go as UTF-16, as the command prompt passes them; the
    // output goes to files, so neither stream can block the other. Detached:
    // with a console of its own the tool's console host under Wine holds the
    // files a moment after the tool has ended, and they can be neither read
    // nor removed (tests/windows/repro/console_handles.cpp).
    ToolRun RunTool(const std::vector<std::string>& args) {
        std::wstring command = CommandLineQuote(PathFromUtf8(VOSK_SHEET_TOOL).native());
        for (const auto& a : args) command += L" " + CommandLineQuote(PathFromUtf8(a).native());
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        auto open = [&](const char* name) {
            return CreateFileW((dir_ / name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        };
        HANDLE out = open("stdout"), err = open("stderr");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out;
        startup.hStdError = err;
        PROCESS_INFORMATION process{};
        ToolRun r{-1, {}, {}};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                           &startup, &process)) {
            // A tool that hangs fails the test instead of stopping the run.
            if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
            DWORD code = 0;
            if (GetExitCodeProcess(process.hProcess, &code)) r.status = static_cast<int>(code);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(out);
        CloseHandle(err);
        for (const char* name : {"stdout", "stderr"}) WaitUntilFree(dir_ / name);
        r.out = ReadFileBytes(dir_ / "stdout").value_or("");
        r.err = ReadFileBytes(dir_ / "stderr").value_or("");
        return r;
    }
#else
    ToolRun RunTool(const std::vector<std::string>& args) {
        // A tool that hangs fails the test instead of stopping the run.
        std::string cmd = "timeout 60 " + ShellQuote(VOSK_SHEET_TOOL);
        for (const auto& a : args) cmd += " " + ShellQuote(a);
        cmd += " 2>" + ShellQuote((dir_ / "stderr").string());
        ToolRun r{};
        FILE* p = popen(cmd.c_str(), "r");
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0) r.out.append(buffer.data(), n);
        int status = pclose(p);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = ReadFileBytes(dir_ / "stderr").value_or("");
        return r;
    }
#endif

    std::string Write(const std::string& name, const std::string& bytes) {
        std::filesystem::path p = dir_ / PathFromUtf8(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return PathToUtf8(p);
    }

    std::filesystem::path dir_;
};

}  // namespace vosk::test
