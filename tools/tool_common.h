#pragma once
// What the subcommands of vosk-sheet share: exit codes, reading a data sheet
// as the Open command does, writing one as Save does.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "site/site.h"
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

// Reads a data sheet and loads the settings for drawing it, as the view
// does after opening. Returns kDone or the exit code.
int LoadSheetForDrawing(const std::string& path, SurveyData& survey);

// The arguments of the drawing commands: files, -o OUT, --page N, --dpi D.
struct DrawArguments {
    std::vector<std::string> files;
    std::string output;
    int page = 1;
    int dpi = 0;  // 0: the command's default
};
// Returns kDone, or kUsage after printing why.
int ParseDrawArguments(const std::vector<std::string>& args, DrawArguments& out);

// Heading fields given as --heading N=TEXT, in command-line order.
using HeadingChanges = std::vector<std::pair<int, FieldText>>;

// Takes one --heading value: N from 1 to 70, TEXT checked as heading entry
// checks it. Returns kDone, or kUsage after printing why.
int TakeHeadingArgument(const std::string& value, HeadingChanges& changes);

// The arguments of the commands that write a data sheet: one input file,
// -o OUT and --heading N=TEXT. Returns kDone, or kUsage after printing why.
int ParseWriteArguments(const std::vector<std::string>& args, std::string& input, std::string& output,
                        HeadingChanges& changes);

// Positions along the section line given as X1,X2,... Returns kDone, or
// kUsage after printing why.
int ParsePositionList(const std::string& value, std::vector<double>& at);

// The points of the data sheets and site files given, in order: a site file
// gives its points with their positions and locations (the first one also
// its survey's values), a data sheet one point 10 m past the last. Returns
// kDone, or kUsage after printing why a file is refused.
int ReadSiteInputs(const std::vector<std::string>& files, Site& site, bool& siteFileGiven);

int DumpCommand(const std::vector<std::string>& args);
int SetCommand(const std::vector<std::string>& args);
int SettingsCommand(const std::vector<std::string>& args);
int ImportCommand(const std::vector<std::string>& args);
int ExportCommand(const std::vector<std::string>& args);
int CheckCommand(const std::vector<std::string>& args);
int PagesCommand(const std::vector<std::string>& args);
int TraceCommand(const std::vector<std::string>& args);
int RenderCommand(const std::vector<std::string>& args);
int SectionCommand(const std::vector<std::string>& args);
int SiteCommand(const std::vector<std::string>& args);
int DeliveryCommand(const std::vector<std::string>& args);

}  // namespace vosk::tool
