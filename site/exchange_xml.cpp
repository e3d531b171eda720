#include "site/exchange_xml.h"

#include <cmath>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "render/sheet_drawing.h"
#include "site/test_date.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

// The graph's Nd axis runs to 50; its depth axis ends on the first half
// metre at or past the last depth, 1 m at the least.
constexpr double kNdAxisMax = 50;
constexpr double kDepthAxisStep = 0.5;
constexpr double kDepthAxisLeast = 1;

std::string Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
}

bool IsNumber(std::string_view text) {
    double value = 0;
    return ParseSectionNumber(text, value);
}

// Lead bytes of characters that Windows' code page has and Shift_JIS lacks:
// NEC specials (row 13), the NEC-selected and IBM extensions, user-defined.
bool IsVendorLeadByte(unsigned char c) { return c == 0x87 || c == 0xED || c == 0xEE || (c >= 0xF0 && c <= 0xFC); }

// Lines of XML text in CP932, indented by tabs.
class XmlLines {
public:
    // Notes texts that would not read as XML: control characters become
    // blanks, bytes that are no CP932 become "?", and vendor characters are
    // kept but reported.
    explicit XmlLines(std::vector<std::string>& doubts) : doubts_(doubts) {}

    void Open(std::string_view name, std::string_view attributes = {}) {
        Indent();
        out_ += "<" + Cp932Literal(name) + std::string(attributes) + ">\r\n";
        ++depth_;
    }
    void Close(std::string_view name) {
        --depth_;
        Indent();
        out_ += "</" + Cp932Literal(name) + ">\r\n";
    }
    // An element of CP932 text; empty text gives an empty element.
    void Leaf(std::string_view name, std::string_view cp932) {
        const std::string tag = Cp932Literal(name);
        Indent();
        out_ += "<" + tag + ">" + Escaped(name, cp932) + "</" + tag + ">\r\n";
    }
    // An element of UTF-8 text (labels, the site's own values).
    void Utf8Leaf(std::string_view name, std::string_view utf8) { Leaf(name, Utf8ToCp932(utf8).value_or("")); }
    // An element holding elements of UTF-8 text, in order.
    using Leaves = std::initializer_list<std::pair<std::string_view, std::string_view>>;
    void Group(std::string_view name, Leaves leaves) {
        Open(name);
        for (const auto& [leaf, text] : leaves) Utf8Leaf(leaf, text);
        Close(name);
    }

    std::string Take() { return std::move(out_); }

private:
    void Indent() { out_.append(static_cast<size_t>(depth_), '\t'); }

    std::string Escaped(std::string_view name, std::string_view text) {
        std::string out;
        bool vendor = false, broken = false;
        for (size_t i = 0; i < text.size();) {
            const size_t len = Cp932CharLength(text, i);
            const std::string_view c = text.substr(i, len);
            i += len;
            const unsigned char b = static_cast<unsigned char>(c[0]);
            if (!IsValidCp932(c)) {
                out += '?';
                broken = true;
            } else if (len == 2) {
                vendor = vendor || IsVendorLeadByte(b);
                out += c;
            } else if (b == '&') {
                out += "&amp;";
            } else if (b == '<') {
                out += "&lt;";
            } else if (b == '>') {
                out += "&gt;";
            } else {
                out += b < 0x20 && b != '\t' ? std::string_view(" ") : c;
            }
        }
        if (broken) doubts_.push_back(std::string(name) + ": Shift_JIS として読めないバイトを ? にしました");
        if (vendor) doubts_.push_back(std::string(name) + ": 機種依存文字があります (Shift_JIS にない文字)");
        return out;
    }

    std::vector<std::string>& doubts_;
    std::string out_;
    int depth_ = 0;
};

void Axis(XmlLines& x, const char* number, const char* place, const char* title, double max, double step,
          const char* crossing, const char* reversed) {
    x.Open("軸");
    x.Utf8Leaf("軸番号", number);
    x.Utf8Leaf("軸の位置", place);
    x.Utf8Leaf("軸オフセット", "0");
    x.Group("軸の書式", {{"軸_線種", "01"}});
    x.Group("軸タイトル", {{"タイトル名", title}, {"直交方向オフセット", "0"}, {"水平方向オフセット", "0"}});
    x.Group("目盛", {{"最小値", "0"},
                   {"最大値", FormatSectionNumber(max)},
                   {"目盛間隔", FormatSectionNumber(step)},
                   {"補助目盛間隔", FormatSectionNumber(step / 2)},
                   {"交差する軸番号", crossing},
                   {"軸交点", "0"},
                   {"軸反転", reversed},
                   {"使用する目盛", "00"}});
    x.Group("目盛グリッド", {{"目盛グリッド_線種", "01"}});
    x.Group("補助目盛グリッド", {{"補助目盛グリッド_線種", "02"}});
    x.Group("目盛ラベル", {{"オフセット", "0"}, {"表示", "01"}});
    x.Close("軸");
}

void AngleElement(XmlLines& x, const char* name, const std::string& text) {
    const Angle a = SplitAngle(text);
    const std::string n = name;
    x.Open(n);
    x.Utf8Leaf(n + "_度", a.degrees);
    x.Utf8Leaf(n + "_分", a.minutes);
    x.Utf8Leaf(n + "_秒", a.seconds);
    x.Close(n);
}

}  // namespace

std::string CentimetresAsMetres(std::string_view cm) {
    std::string text = Trimmed(cm);
    std::string sign;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        if (text[0] == '-') sign = "-";
        text.erase(0, 1);
    }
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string digits = whole + (point == std::string::npos ? "" : text.substr(point + 1));
    const long at = static_cast<long>(whole.size()) - 2;
    std::string out;
    if (at <= 0) {
        out = "0." + std::string(static_cast<size_t>(-at), '0') + digits;
    } else {
        std::string head = digits.substr(0, static_cast<size_t>(at));
        head.erase(0, std::min(head.find_first_not_of('0'), head.size() - 1));
        out = head + (static_cast<size_t>(at) < digits.size() ? "." + digits.substr(static_cast<size_t>(at)) : "");
    }
    return (out.find_first_not_of("0.") == std::string::npos ? "" : sign) + out;
}

SiteRefusal CheckDeliverableTable(const SurveyData& survey, const std::string& file) {
    const std::string shown = PathToUtf8(PathFromUtf8(file));
    const int rows = CountBlowRows(survey);
    if (rows == 0) return {shown + ": 打撃の行がありません"};
    // N and the depth are needed; the increment and Nd may be left out.
    static constexpr const char* kColumns[] = {nullptr, "打撃回数", "貫入深さ", "貫入量", "Nd"};
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= 4; ++c) {
            const FieldText& cell = survey.blow[r][c];
            if (IsNumber(cell) || (c >= 3 && Trimmed(cell).empty())) continue;
            return {shown + ": " + std::to_string(r) + " 行目の" + kColumns[c] + "が数値ではありません: " +
                    Cp932ToUtf8(cell)};
        }
    return {};
}

SiteRefusal FormatExchangeXml(const ExchangePoint& p, const SheetSettings& settings, std::string& bytes,
                              std::vector<std::string>& warnings) {
    const std::string& file = p.point.sheet.file;
    if (SiteRefusal r = CheckDeliverableTable(p.survey, file)) return r;
    const HeadingFields& hd = p.survey.heading;
    const std::string shown = PathToUtf8(PathFromUtf8(file));
    std::vector<std::string> doubts;
    XmlLines x(doubts);

    const std::optional<std::string> date = DeliveryDate(hd);
    if (!date)
        warnings.push_back(shown + ": 試験年月日 (見出し 6〜9) が日付になりません: " +
                           Cp932ToUtf8(hd[heading::kDatePrefix] + hd[heading::kYear] + "/" + hd[heading::kMonth] + "/" + hd[heading::kDay]) + " (空のまま書きます)");

    const int rows = CountBlowRows(p.survey);
    const double lastCm = ParseDecimal(p.survey.blow[rows][2]);
    const double lastMetres = lastCm / 100;

    x.Open("簡易動的コーン貫入試験データシート情報", " DTD_version=\"03\"");
    x.Open("標題情報", " DTD_version=\"03\"");
    x.Utf8Leaf("試験コード", "B1433");
    x.Utf8Leaf("試験名称", "簡易動的コーン貫入試験");
    x.Utf8Leaf("規格番号", "");
    x.Utf8Leaf("基準番号", "JGS 1433-2003");
    x.Leaf("調査件名", hd[heading::kSurveyName1] + hd[heading::kSurveyName2]);
    x.Utf8Leaf("試験開始年月日", date.value_or(""));
    x.Utf8Leaf("試験終了年月日", date.value_or(""));
    x.Leaf("試験者", hd[heading::kTester]);
    x.Leaf("調査業者名", hd[heading::kCompanyName]);
    x.Utf8Leaf("発注機関名称", p.client);
    x.Open("位置情報");
    x.Leaf("地点名", SectionPointName(p.survey, file));
    x.Utf8Leaf("フォルダ名", p.folder);
    AngleElement(x, "経度", p.point.longitude);
    AngleElement(x, "緯度", p.point.latitude);
    x.Group("経緯度取得方法",
            {{"経緯度取得方法_コード", p.point.methodCode}, {"経緯度取得方法_説明", p.point.method}});
    x.Utf8Leaf("経緯度読取精度", p.point.accuracy);
    x.Utf8Leaf("測地系", p.datum);
    x.Leaf("標高", Trimmed(hd[heading::kElevation]));
    x.Utf8Leaf("上端深度", "0.00");
    // Rounded half up on the centimetres, which hold the ties exactly.
    x.Utf8Leaf("下端深度", FormatFixed(std::round(lastCm) / 100, 2));
    x.Close("位置情報");
    x.Close("標題情報");

    std::vector<std::string> nd(static_cast<size_t>(rows) + 1);
    for (int r = 1; r <= rows; ++r) nd[static_cast<size_t>(r)] = Trimmed(FormatTableValue(p.survey, settings, r, 4, ""));
    x.Open("試験情報");
    x.Group("測定", {{"打撃回数", "0"}, {"貫入深さ", "0"}, {"貫入量", ""}, {"Nd", ""}});
    for (int r = 1; r <= rows; ++r) {
        const BlowRow& row = p.survey.blow[r];
        x.Open("測定");
        x.Leaf("打撃回数", Trimmed(row[1]));
        x.Leaf("貫入深さ", Trimmed(row[2]));
        x.Leaf("貫入量", Trimmed(row[3]));
        x.Leaf("Nd", nd[static_cast<size_t>(r)]);
        x.Close("測定");
    }
    x.Open("グラフ", " DTD_version=\"03\"");
    x.Group("グラフ基本情報",
            {{"グラフ番号", "1"}, {"繰返し番号", "0"}, {"グラフタイトル", "深度-Ndグラフ"}, {"グラフの向き", "0"}});
    x.Group("グラフの位置",
            {{"横方向オフセット", "120"}, {"縦方向オフセット", "60"}, {"横方向長さ", "80"}, {"縦方向長さ", "100"}});
    x.Group("外枠線の書式", {{"外枠線の書式_線種", "01"}});
    x.Open("データ系列");
    x.Utf8Leaf("データ項目番号", "1");
    x.Utf8Leaf("X項目名", "Nd");
    x.Utf8Leaf("Y項目名", "深度");
    x.Utf8Leaf("データ番号", "1");
    x.Utf8Leaf("データ名", "Nd");
    // The graph has a point where the table has an Nd, as the sheet's graph.
    for (int r = 1; r <= rows; ++r)
        if (!nd[static_cast<size_t>(r)].empty())
            x.Leaf("XY値", nd[static_cast<size_t>(r)] + "," + CentimetresAsMetres(p.survey.blow[r][2]));
    x.Group("データ系列_点の書式", {{"データ系列_点_スタイル", "03"}});
    x.Group("データ系列_線の書式", {{"データ系列_線_線種", "01"}});
    x.Utf8Leaf("使用するX軸番号", "1");
    x.Utf8Leaf("使用するY軸番号", "2");
    x.Close("データ系列");
    const double depthMax = std::max(kDepthAxisLeast, std::ceil(lastMetres / kDepthAxisStep - 1e-9) * kDepthAxisStep);
    Axis(x, "1", "03", "Nd", kNdAxisMax, 10, "2", "00");
    Axis(x, "2", "02", "h (m)", depthMax, 0.1, "1", "01");
    x.Close("グラフ");
    x.Close("試験情報");

    FieldText remarks;
    for (int f : {heading::kRemark1, heading::kRemark2, heading::kRemark3}) {
        const std::string line = Trimmed(hd[f]);
        if (line.empty()) continue;
        if (!remarks.empty()) remarks += "\x81\x40";  // a full-width space
        remarks += line;
    }
    x.Leaf("コメント", remarks);
    x.Close("簡易動的コーン貫入試験データシート情報");

    for (const std::string& d : doubts) warnings.push_back(shown + ": " + d);
    bytes = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!DOCTYPE " +
            Cp932Literal("簡易動的コーン貫入試験データシート情報") + " SYSTEM \"B1433_03.DTD\">\r\n" + x.Take();
    return {};
}

}  // namespace vosk
