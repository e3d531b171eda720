#pragma once
// The electronic delivery of a site: for every point its exchange data and
// its report sheet, in the folder plan of the delivery rules.
//
//     DIR/BORING/TEST/SIT0001/TS000001.XML   the exchange data of point 1
//     DIR/BORING/TEST/SIT0001/TS000001.PDF   its report sheet, every page
//     DIR/BORING/TEST/SIT0002/...            point 2, and so on
//
// One point is one site (SITNNNN, from the first number asked for); TSNNNMMM
// is the test without a sample (NNN = 000), the first (MMM = 001). The
// folder is built beside DIR and moved into place whole, so a failed
// delivery leaves nothing half-written; an existing DIR is replaced only
// when asked (or when it is empty), and only when it holds nothing but an
// earlier delivery of tests (BORING/TEST), so no other part of a survey's
// delivery is lost.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "settings/settings_store.h"
#include "site/site.h"

namespace vosk {

inline constexpr int kMaxSiteNumber = 9999;

// "SIT0001" for 1.
std::string SiteFolderName(int number);

// The files of one point, relative to DIR, with "/" between the names.
struct PlannedPoint {
    std::string folder;  // "SIT0001"
    std::string xml;     // "BORING/TEST/SIT0001/TS000001.XML"
    std::string pdf;     // "BORING/TEST/SIT0001/TS000001.PDF"
};

// The plan of `points` points numbered from `firstSite`; refused when the
// numbers run out of 1 to 9999 or there is no point.
SiteRefusal PlanDelivery(size_t points, int firstSite, std::vector<PlannedPoint>& plan);

// Opens the PDF file `path` for the report sheet's pages (null when it
// cannot be written). The surface is the caller's (Qt); the pages are drawn
// as the tool's render command draws them.
using PdfOpener = std::function<std::unique_ptr<PagedOutput>(const std::filesystem::path& path)>;

struct DeliveryOptions {
    std::string dir;     // UTF-8
    int firstSite = 1;
    bool replace = false;
    // Told after each point (done, total); returning false stops the
    // delivery, which then leaves nothing behind.
    std::function<bool(size_t, size_t)> progress;
};

struct DeliveryResult {
    enum Kind { Delivered, Refused, TargetExists, Stopped, WriteFailed };
    Kind kind = Delivered;
    std::string text;                   // UTF-8, why not
    std::vector<std::string> warnings;  // UTF-8, of a delivery that went ahead
    std::vector<PlannedPoint> plan;
};

// Checks every point (its sheet read, its table deliverable) before anything
// is written, then writes and places the folder. The headings are
// normalised with `settings` as the sheet's drawing normalises them.
DeliveryResult DeliverSite(const Site& site, const DeliveryOptions& options, const SettingsStore& settings,
                           const PdfOpener& openPdf);

}  // namespace vosk
