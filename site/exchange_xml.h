#pragma once
// The data sheet exchange data of one test point (データシート交換用データ)
// as the electronic delivery takes it: XML in Shift_JIS with CR LF, the
// document type 簡易動的コーン貫入試験データシート情報 of "B1433_03.DTD"
// (referenced, not embedded), elements in the order of delivered files.

#include <string>
#include <string_view>
#include <vector>

#include "settings/sheet_settings.h"
#include "site/site.h"
#include "survey/survey_data.h"

namespace vosk {

// One point as the exchange data names it: its survey (heading normalised
// as for drawing), its row of the site, the survey's values and its folder.
struct ExchangePoint {
    const SurveyData& survey;
    const SitePoint& point;    // the sheet's file (name and messages) and the location
    std::string_view client;   // 発注機関名称, UTF-8
    std::string_view datum;    // 測地系 code
    std::string_view folder;   // "SIT0001"
};

// Refused (with the file named) when the blow table cannot be delivered: no
// blow rows, or an N, a depth, an increment or an Nd that is not a number.
SiteRefusal CheckDeliverableTable(const SurveyData& survey, const std::string& file);

// The XML of `p`; Nd as the sheet prints it with `settings`. A date that
// cannot be formed is left empty and `warnings` (UTF-8) says so, as it says
// which texts hold characters plain Shift_JIS lacks.
SiteRefusal FormatExchangeXml(const ExchangePoint& p, const SheetSettings& settings, std::string& bytes,
                              std::vector<std::string>& warnings);

// A depth in centimetres as metres, by moving the decimal point of the text
// two places: its significant digits stay ("150" → "1.50", "5" → "0.05").
std::string CentimetresAsMetres(std::string_view cm);

}  // namespace vosk
