#pragma once
// What the subcommands of vosk-sheet share: exit codes, reading a data sheet
// as the Open command does, writing one as Save does.

#include <string>
#include <vector>

#include "survey/survey_data.h"

namespace vosk::tool {

enum Exit { kDone = 0, kUsage = 2, kNotADataSheet = 3, kFileError = 4 };

// Reads `path` into `survey` as the Open command reads it. Returns kDone and
// the version in `version`, or the exit code after printing the message.
int ReadSheetFile(const std::string& path, SurveyData& survey, int& version);

// Writes `survey` to `path` atomically as Save does. Returns kDone or
// kFileError after printing message 4005.
int WriteSheetFile(const std::string& path, SurveyData& survey);

// Loads the settings as the program does on a view update, normalising the
// heading of `survey`; messages go to stderr.
void LoadToolSettings(SurveyData& survey);

int Usage(const std::string& problem);

int DumpCommand(const std::vector<std::string>& args);
int SetCommand(const std::vector<std::string>& args);
int SettingsCommand(const std::vector<std::string>& args);

}  // namespace vosk::tool
