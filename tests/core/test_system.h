#pragma once
// What the tests ask of the system, written once for POSIX and Windows: a
// folder of the test's own, environment variables, the super-user and a
// watchdog.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#include <stdlib.h>
#else
#include <cstdlib>
#include <unistd.h>
#endif

namespace vosk::test {

// An empty folder named after `prefix`, the process and the running test,
// under the system's temporary folder.
inline std::filesystem::path FreshTestFolder(const std::string& prefix) {
#ifdef _WIN32
    const unsigned long process = static_cast<unsigned long>(_getpid());
#else
    const unsigned long process = static_cast<unsigned long>(getpid());
#endif
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (prefix + "-" + std::to_string(process) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void SetEnv(const char* name, const std::filesystem::path& value) {
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    _wputenv_s(wideName.c_str(), value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

inline void UnsetEnv(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");  // an empty value removes the variable there
#else
    unsetenv(name);
#endif
}

// Whether permission bits stop this user (root writes anywhere).
inline bool PermissionBitsApply() {
#ifdef _WIN32
    return false;  // Windows keeps only a read-only flag, and folders ignore it
#else
    return geteuid() != 0;
#endif
}

// Ends the process after `seconds` unless called again with 0: a reader that
// blocks on a FIFO fails instead of hanging. Windows has no FIFO to block on.
inline void Watchdog(unsigned seconds) {
#ifndef _WIN32
    alarm(seconds);
#else
    (void)seconds;
#endif
}

}  // namespace vosk::test
