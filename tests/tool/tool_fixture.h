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
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/file_io.h"

namespace vosk::test {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class ToolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("vosk-tool-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        setenv("VOSK_DRIVES", (dir_ / "drives").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

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

    std::string Write(const std::string& name, const std::string& bytes) {
        std::filesystem::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    std::filesystem::path dir_;
};

}  // namespace vosk::test
