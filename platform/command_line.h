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

// Standard output and error carry the bytes as written: Windows' text mode
// would turn the CR LF of a CSV into CR CR LF and every line's LF into CR LF,
// so the files a script redirects would differ from system to system.
void UseBinaryStandardStreams();

}  // namespace vosk
