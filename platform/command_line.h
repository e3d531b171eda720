#pragma once
// The program's arguments as UTF-8 text, whatever the system's code page: on
// Windows they are taken from the UTF-16 command line, so a Japanese file
// name typed at the command prompt reaches the program whole.

#include <string>
#include <vector>

namespace vosk {

// Every argument after the program's name.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// The Qt platform a command-line program draws on without a display:
// offscreen here; on Windows one that takes the system's fonts, which the
// offscreen platform there does not see.
extern const char* const kHeadlessQtPlatform;

}  // namespace vosk
