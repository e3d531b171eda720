// vosk-sheet section: several data sheets side by side on one elevation
// axis, as a PDF, SVG or PNG page (A4 landscape), or as JSON.

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "platform/sheet_output.h"
#include "platform/string_table.h"
#include "render/site_section.h"
#include "render/site_section_drawing.h"
#include "site/site.h"
#include "site/site_file.h"
#include "settings/settings_store.h"
#include "tools/json_writer.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

struct SectionArguments {
    std::vector<std::string> files;
    std::string output;
    bool json = false;
    int dpi = 0;  // 0: 600 for PDF, 96 for pictures
    SectionOptions options;
    bool thresholdGiven = false;
};

bool EndsWith(const std::string& path, const char* suffix) {
    return QString::fromStdString(path).endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

int ParseSectionArguments(const std::vector<std::string>& args, SectionArguments& a) {
    bool atGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            a.json = true;
        } else if (arg == "--by-depth") {
            a.options.byDepth = true;
        } else if (arg == "-o" || arg == "--at" || arg == "--threshold" || arg == "--dpi") {
            if (i + 1 >= args.size()) return Usage(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "-o") {
                a.output = value;
            } else if (arg == "--dpi") {
                auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), a.dpi);
                if (ec != std::errc() || end != value.data() + value.size() || a.dpi < 1 || a.dpi > 4800)
                    return Usage("--dpi takes a whole number from 1 to 4800: " + value);
            } else if (arg == "--threshold") {
                if (!ParseSectionNumber(value, a.options.threshold) || CheckThreshold(a.options.threshold))
                    return Usage("--threshold takes a positive number: " + value);
                a.thresholdGiven = true;
            } else {
                atGiven = true;
                if (int rc = ParsePositionList(value, a.options.at); rc != kDone) return rc;
            }
        } else {
            a.files.push_back(arg);
        }
    }
    if (a.files.empty()) return Usage("no data sheet given");
    if (a.json == !a.output.empty()) return Usage("section needs either -o OUT.pdf|OUT.svg|OUT.png or --json");
    if (!a.output.empty() && !EndsWith(a.output, ".pdf") && !EndsWith(a.output, ".svg") && !EndsWith(a.output, ".png"))
        return Usage("section writes .pdf, .svg or .png: " + a.output);
    if (EndsWith(a.output, ".svg") && !SvgOutputAvailable()) return Usage("this build writes no SVG: " + a.output);
    if (atGiven && a.options.at.empty()) return Usage("--at needs positions");
    return kDone;
}

int Refuse(const SectionRefusal& r) {
    std::fprintf(stderr, "vosk-sheet: %s\n", r.text.c_str());
    return kUsage;
}

std::string JsonOptional(const std::optional<double>& v) { return v ? JsonNumber(*v) : "null"; }

std::string SectionJson(const SiteSection& s) {
    std::string out = "{\"datum\": " + JsonField(s.datum) + ", \"threshold\": " + JsonNumber(s.threshold) +
                      ", \"byDepth\": " + (s.byDepth ? "true" : "false") + ", \"points\": [";
    for (size_t i = 0; i < s.points.size(); ++i) {
        const SectionPoint& p = s.points[i];
        if (i > 0) out += ", ";
        out += "{\"file\": " + JsonString(p.file) + ", \"name\": " + JsonField(p.name) +
               ", \"x\": " + JsonNumber(p.x) + ", \"ground\": " + JsonNumber(p.ground) + ", \"groups\": [";
        for (size_t k = 0; k < p.groups.size(); ++k) {
            const SectionGroup& g = p.groups[k];
            out += (k ? ", " : "") + std::string("{\"top\": ") + JsonNumber(g.top) + ", \"bottom\": " +
                   JsonNumber(g.bottom) + ", \"N\": " + JsonNumber(g.n) + ", \"nd\": " + JsonNumber(g.nd) + "}";
        }
        out += "], \"layers\": [";
        for (size_t k = 0; k < p.layers.size(); ++k) {
            const SectionLayer& l = p.layers[k];
            out += (k ? ", " : "") + std::string("{\"top\": ") + JsonNumber(l.top) + ", \"bottom\": " +
                   JsonNumber(l.bottom) + ", \"name\": " + JsonField(l.name) + "}";
        }
        out += "], \"thresholdDepth\": " + JsonOptional(p.thresholdDepth) +
               ", \"thresholdElevation\": " + JsonOptional(p.ThresholdElevation()) + "}";
    }
    out += "]}\n";
    return out;
}

int WriteSection(const SectionArguments& a, const SiteSection& section) {
    // The fonts, colours and line widths of the settings, as the sheet's.
    auto settingsSurvey = std::make_unique<SurveyData>();
    LoadToolSettings(*settingsSurvey);
    auto draw = [&](Canvas& canvas) { DrawSiteSection(canvas, section, Settings()); };
    bool ok;
    if (EndsWith(a.output, ".pdf")) {
        PdfOutput pdf(PathFromUtf8(a.output), a.dpi ? a.dpi : kPaperDpi, PageOrientation::Landscape);
        if (Canvas* canvas = pdf.BeginPage()) draw(*canvas);
        ok = pdf.Finish();
    } else {
        const int dpi = a.dpi ? a.dpi : kSectionPictureDpi;
        ok = EndsWith(a.output, ".svg") ? WritePageSvg(PathFromUtf8(a.output), dpi, draw, PageOrientation::Landscape)
                                        : WritePagePng(PathFromUtf8(a.output), dpi, draw, PageOrientation::Landscape);
    }
    if (!ok) {
        ShowMessage(message::kSaveFailed);
        return kFileError;
    }
    return kDone;
}

}  // namespace

int SectionCommand(const std::vector<std::string>& args) {
    SectionArguments a;
    if (int rc = ParseSectionArguments(args, a); rc != kDone) return rc;
    // The cheap refusals first: nothing is read for a call that cannot succeed.
    if (SectionRefusal r = CheckPointCount(a.files.size())) return Refuse(r);
    const bool anySite = std::any_of(a.files.begin(), a.files.end(), IsSiteFile);
    if (!anySite)
        if (SectionRefusal r = CheckPositions(a.options.at, a.files.size())) return Refuse(r);
    Site site;
    bool fromSite = false;
    if (int rc = ReadSiteInputs(a.files, site, fromSite); rc != kDone) return rc;
    if (SectionRefusal r = CheckPointCount(site.Count())) return Refuse(r);
    // The options in place of what a site file says.
    if (SectionRefusal r = CheckPositions(a.options.at, site.Count())) return Refuse(r);
    for (size_t i = 0; i < a.options.at.size(); ++i) site.SetPosition(i, FormatSectionNumber(a.options.at[i]));
    if (a.thresholdGiven || !fromSite) site.SetThreshold(FormatSectionNumber(a.options.threshold));
    if (a.options.byDepth) site.SetByDepth(true);
    SiteSection section;
    if (SectionRefusal r = site.Build(section)) return Refuse(r);
    if (std::string warning = DatumWarning(section); !warning.empty())
        std::fprintf(stderr, "vosk-sheet: warning: %s\n", warning.c_str());
    if (a.json) {
        std::string out = SectionJson(section);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return kDone;
    }
    return WriteSection(a, section);
}

}  // namespace vosk::tool
