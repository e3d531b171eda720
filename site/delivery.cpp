#include "site/delivery.h"

#include <memory>
#include <system_error>

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/string_table.h"
#include "render/report_page.h"
#include "site/exchange_xml.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTestFolder = "BORING/TEST";
constexpr std::string_view kTestFile = "TS000001";

DeliveryResult Refused(std::string text, DeliveryResult::Kind kind = DeliveryResult::Refused) {
    DeliveryResult r;
    r.kind = kind;
    r.text = std::move(text);
    return r;
}

// The file is named with the system's separators, however its parts were
// joined.
DeliveryResult SaveFailed(fs::path path) {
    return Refused(PathToUtf8(path.make_preferred()) + ": " + std::string(MessageText(message::kSaveFailed)), DeliveryResult::WriteFailed);
}

// The folder asked for, whole: "out/" and "a/../out" name "out".
fs::path TargetFolder(const std::string& dir) {
    std::error_code ec;
    fs::path path = fs::absolute(PathFromUtf8(dir), ec).lexically_normal();
    if (path.filename().empty()) path = path.parent_path();
    return path;
}

// The first entry of an existing DIR that is no part of an earlier delivery
// of tests (BORING holding TEST alone, and whatever lies in TEST); empty when
// there is none.
std::string ForeignEntry(const fs::path& target) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(target, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(target);
        const std::u8string generic = relative.generic_u8string();
        const std::string text(generic.begin(), generic.end());
        if (text == "BORING" && it->is_directory(ec) && !it->is_symlink(ec)) continue;
        if (text == kTestFolder) {
            it.disable_recursion_pending();  // what a delivery of tests holds is its own
            continue;
        }
        return PathToUtf8(it->path());
    }
    return ec ? PathToUtf8(target) : std::string();
}

}  // namespace

std::string SiteFolderName(int number) {
    std::string digits = std::to_string(number);
    return "SIT" + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

SiteRefusal PlanDelivery(size_t points, int firstSite, std::vector<PlannedPoint>& plan) {
    plan.clear();
    if (points == 0) return {"データシートがありません"};
    if (firstSite < 1 || firstSite > kMaxSiteNumber ||
        points > static_cast<size_t>(kMaxSiteNumber - firstSite + 1))
        return {"地点の番号は SIT0001 から SIT9999 までです (" + std::to_string(points) + " 地点を " +
                SiteFolderName(firstSite < 1 ? 1 : firstSite) + " から)"};
    for (size_t i = 0; i < points; ++i) {
        PlannedPoint p;
        p.folder = SiteFolderName(firstSite + static_cast<int>(i));
        const std::string stem = std::string(kTestFolder) + "/" + p.folder + "/" + std::string(kTestFile);
        p.xml = stem + ".XML";
        p.pdf = stem + ".PDF";
        plan.push_back(std::move(p));
    }
    return {};
}

DeliveryResult DeliverSite(const Site& site, const DeliveryOptions& options, const SettingsStore& settings,
                           const PdfOpener& openPdf) {
    DeliveryResult result;
    if (SiteRefusal r = PlanDelivery(site.Count(), options.firstSite, result.plan)) return Refused(r.text);

    // Every point is checked before anything is written.
    for (const Site::Row& row : site.Rows()) {
        const SitePoint& p = row.point;
        if (!p.sheet.survey) return Refused(PathToUtf8(PathFromUtf8(p.sheet.file)) + ": " + p.unreadable);
        if (SiteRefusal r = CheckDeliverableTable(*p.sheet.survey, p.sheet.file)) return Refused(r.text);
    }

    const fs::path target = TargetFolder(options.dir);
    const std::string shown = PathToUtf8(target);
    std::error_code ec;
    if (target.filename().empty() || target.filename() == "." || target.filename() == "..")
        return Refused(shown + ": このフォルダには納品できません");
    if (!fs::is_directory(target.parent_path(), ec))
        return Refused(PathToUtf8(target.parent_path()) + ": フォルダがありません");
    const fs::file_status status = fs::symlink_status(target, ec);
    // An empty folder made for the delivery loses nothing by being replaced.
    const bool emptyFolder = fs::is_directory(status) && fs::is_empty(target, ec) && !ec;
    const bool replace = options.replace || emptyFolder;
    // What could never be replaced is refused before replacing is offered.
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) return Refused(shown + ": フォルダではないので置き換えません");
        if (std::string foreign = ForeignEntry(target); !foreign.empty())
            return Refused(shown + ": 試験の納品のほかのものがあるので置き換えません: " + foreign);
        if (!replace) return Refused(shown + ": フォルダがもうあります", DeliveryResult::TargetExists);
    }

    const fs::path built = MakeFolderBeside(target);
    if (built.empty()) return SaveFailed(target);
    // Whatever happens below, the folder being built goes when it is not placed.
    auto cleanup = [](const fs::path* p) {
        std::error_code ignored;
        fs::remove_all(*p, ignored);
    };
    std::unique_ptr<const fs::path, decltype(cleanup)> guard(&built, cleanup);

    for (size_t i = 0; i < site.Count(); ++i) {
        const SitePoint& p = site.Rows()[i].point;
        const PlannedPoint& plan = result.plan[i];
        SurveyData survey = *p.sheet.survey;
        NormaliseHeading(survey, settings.sheet.companyName);
        std::string xml;
        const ExchangePoint point{survey, p, site.Client(), site.Datum(), plan.folder};
        if (SiteRefusal r = FormatExchangeXml(point, settings.sheet, xml, result.warnings)) return Refused(r.text);
        const fs::path xmlPath = built / PathFromUtf8(plan.xml);
        const fs::path pdfPath = built / PathFromUtf8(plan.pdf);
        fs::create_directories(xmlPath.parent_path(), ec);
        if (ec || !WriteFileAtomically(xmlPath, xml))
            return SaveFailed(target / PathFromUtf8(plan.xml));
        std::unique_ptr<PagedOutput> pdf = openPdf(pdfPath);
        if (pdf) DrawSheetPages(survey, settings, *pdf);
        if (!pdf || !pdf->Finish())
            return SaveFailed(target / PathFromUtf8(plan.pdf));
        if (options.progress && !options.progress(i + 1, site.Count()))
            return Refused("納品を中止しました (何も書いていません)", DeliveryResult::Stopped);
    }

    switch (PutFolderInPlace(built, target, replace)) {
        case FolderPlacement::Placed: guard.release(); return result;
        case FolderPlacement::TargetExists: return Refused(shown + ": フォルダがもうあります", DeliveryResult::TargetExists);
        case FolderPlacement::Failed: break;
    }
    return SaveFailed(target);
}

}  // namespace vosk
