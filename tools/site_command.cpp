// vosk-sheet site: a site file made from data sheets; vosk-sheet delivery:
// the electronic delivery of a site (exchange XML and report sheet PDF of
// every point in the folder plan). Both, like section, take site files
// wherever they take data sheets.

#include <cstdio>
#include <memory>

#include "platform/drive_map.h"
#include "platform/sheet_output.h"
#include "settings/settings_store.h"
#include "site/delivery.h"
#include "site/site_file.h"
#include "survey/numbers.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

int Refuse(const std::string& text) {
    std::fprintf(stderr, "vosk-sheet: %s\n", text.c_str());
    return kUsage;
}

bool ParseSiteNumber(const std::string& text, int& value) {
    long v = 0;
    if (!ParseWholeInteger(text, v) || v < 1 || v > kMaxSiteNumber) return false;
    value = static_cast<int>(v);
    return true;
}

// The survey's values given on the command line; empty when not given.
struct SurveyOptions {
    bool clientGiven = false, datumGiven = false;
    std::string client, datum;
    std::string threshold;
    bool byDepth = false;
    std::vector<double> at;
    bool atGiven = false;
};

// Takes the survey option at args[i] (and its value); false when it is none.
bool TakeSurveyOption(const std::vector<std::string>& args, size_t& i, SurveyOptions& o, int& rc) {
    const std::string& a = args[i];
    rc = kDone;
    if (a == "--by-depth") {
        o.byDepth = true;
        return true;
    }
    if (a != "--client" && a != "--datum" && a != "--threshold" && a != "--at") return false;
    if (i + 1 >= args.size()) {
        rc = Usage(a + " needs a value");
        return true;
    }
    const std::string& value = args[++i];
    if (a == "--client") o.clientGiven = true, o.client = value;
    else if (a == "--datum") o.datumGiven = true, o.datum = value;
    else if (a == "--threshold") o.threshold = value;
    else {
        o.atGiven = true;
        rc = ParsePositionList(value, o.at);
    }
    return true;
}

// The site's values with the options' in their place.
int ApplySurveyOptions(const SurveyOptions& o, Site& site) {
    if (o.clientGiven)
        if (SiteRefusal r = site.SetClient(o.client)) return Refuse("--client: " + r.text);
    if (o.datumGiven)
        if (SiteRefusal r = site.SetDatum(o.datum)) return Refuse("--datum: " + r.text);
    if (!o.threshold.empty()) {
        double t = 0;
        if (!ParseSectionNumber(o.threshold, t) || CheckThreshold(t))
            return Usage("--threshold takes a positive number: " + o.threshold);
        site.SetThreshold(o.threshold);
    }
    if (o.byDepth) site.SetByDepth(true);
    if (o.atGiven) {
        if (SectionRefusal r = CheckPositions(o.at, site.Count())) return Refuse(r.text);
        for (size_t i = 0; i < o.at.size(); ++i) site.SetPosition(i, FormatSectionNumber(o.at[i]));
    }
    return kDone;
}

}  // namespace

int ReadSiteInputs(const std::vector<std::string>& files, Site& site, bool& siteFileGiven) {
    site = Site{};
    siteFileGiven = false;
    for (const std::string& file : files) {
        if (IsSiteFile(file)) {
            Site read;
            std::vector<std::string> notes;
            if (SiteRefusal r = ReadSiteFile(file, read, notes)) return Refuse(r.text);
            for (const std::string& n : notes) std::fprintf(stderr, "vosk-sheet: warning: %s\n", n.c_str());
            // The first site file gives the survey's values.
            if (!siteFileGiven) {
                site.SetClient(read.Client());
                site.SetDatum(read.Datum());
                site.SetThreshold(read.Threshold());
                site.SetByDepth(read.ByDepth());
                siteFileGiven = true;
            }
            for (const Site::Row& row : read.Rows())
                if (SiteRefusal r = site.Append(row.point, row.position)) return Refuse(r.text);
            continue;
        }
        SectionSheet sheet;
        if (SectionRefusal r = ReadSectionSheet(file, sheet)) return Refuse(r.text);
        SitePoint point;
        point.sheet = std::move(sheet);
        if (SiteRefusal r = site.Append(std::move(point), site.NextPosition())) return Refuse(r.text);
    }
    return kDone;
}

int SiteCommand(const std::vector<std::string>& args) {
    std::string output;
    std::vector<std::string> files;
    SurveyOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        int rc = kDone;
        if (TakeSurveyOption(args, i, o, rc)) {
            if (rc != kDone) return rc;
        } else if (output.empty()) {
            output = args[i];
        } else {
            files.push_back(args[i]);
        }
    }
    if (output.empty()) return Usage("site needs the site file to write");
    if (files.empty()) return Usage("no data sheet given");
    Site site;
    bool fromSite = false;
    if (int rc = ReadSiteInputs(files, site, fromSite); rc != kDone) return rc;
    if (int rc = ApplySurveyOptions(o, site); rc != kDone) return rc;
    if (SiteRefusal r = WriteSiteFile(site, output)) {
        std::fprintf(stderr, "vosk-sheet: %s\n", r.text.c_str());
        return kFileError;
    }
    return kDone;
}

int DeliveryCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    SurveyOptions o;
    DeliveryOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        int rc = kDone;
        if (TakeSurveyOption(args, i, o, rc)) {
            if (rc != kDone) return rc;
        } else if (a == "--replace") {
            options.replace = true;
        } else if (a == "-o" || a == "--first-site") {
            if (i + 1 >= args.size()) return Usage(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "-o") options.dir = value;
            else if (!ParseSiteNumber(value, options.firstSite))
                return Usage("--first-site takes a whole number from 1 to 9999: " + value);
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) return Usage("no data sheet or site file given");
    if (options.dir.empty()) return Usage("delivery needs -o DIR");
    Site site;
    bool fromSite = false;
    if (int rc = ReadSiteInputs(files, site, fromSite); rc != kDone) return rc;
    if (int rc = ApplySurveyOptions(o, site); rc != kDone) return rc;
    // The sheets are drawn with the settings, as render draws them.
    auto settingsSurvey = std::make_unique<SurveyData>();
    LoadToolSettings(*settingsSurvey);
    DeliveryResult r = DeliverSite(site, options, Settings(), OpenSheetPdf);
    if (r.kind == DeliveryResult::TargetExists) return Refuse(r.text + " (--replace で置き換えます)");
    if (r.kind == DeliveryResult::WriteFailed) {
        std::fprintf(stderr, "vosk-sheet: %s\n", r.text.c_str());
        return kFileError;
    }
    if (r.kind != DeliveryResult::Delivered) return Refuse(r.text);
    for (const std::string& w : r.warnings) std::fprintf(stderr, "vosk-sheet: warning: %s\n", w.c_str());
    return kDone;
}

}  // namespace vosk::tool
