#include "platform/qt_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>

#include "platform/cp932.h"

namespace vosk {
namespace {

const QString kMincho = QStringLiteral("IPAMincho");

QString Decode(std::string_view cp932) { return QString::fromUtf8(Cp932ToUtf8(cp932)); }

QColor ToQColor(Colour c) { return QColor(ColourRed(c), ColourGreen(c), ColourBlue(c)); }

// The pixels of a device rectangle: right and bottom are outside, as on Windows.
QRect PixelRect(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// The family a missing face falls back to: IPAMincho, or any Japanese
// family when that is not installed.
QString DefaultFamily() {
    static const QString family = [] {
        if (QFontDatabase::hasFamily(kMincho)) return kMincho;
        QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        return japanese.isEmpty() ? kMincho : japanese.first();
    }();
    return family;
}

// Face names compare the way the settings may spell them: full- or
// half-width letters and kana, any spacing, any case.
QString FaceKey(const QString& face) {
    QString key = face.normalized(QString::NormalizationForm_KC).toLower();
    key.removeIf([](QChar c) { return c.isSpace(); });
    return key;
}

QString ResolveFamily(std::string_view faceCp932) {
    static const std::unordered_map<QString, QString> windowsFaces = {
        {QStringLiteral("ms明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("msmincho"), QStringLiteral("IPAMincho")},
        {QStringLiteral("msp明朝"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("mspmincho"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("msゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("msgothic"), QStringLiteral("IPAGothic")},
        {QStringLiteral("mspゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("mspgothic"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("msuigothic"), QStringLiteral("IPAPGothic")},
    };
    QString face = Decode(faceCp932).trimmed();
    auto it = windowsFaces.find(FaceKey(face));
    if (it != windowsFaces.end() && QFontDatabase::hasFamily(it->second)) return it->second;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) return face;
    return DefaultFamily();
}

// Makes the font whose ascent + descent comes nearest to `cell`; among equal
// candidates the one that does not overflow the cell, then the larger glyphs.
QFont FontForCell(QFont font, int cell) {
    QFont probe = font;
    probe.setPixelSize(100);
    QFontMetricsF m(probe);
    double perPixel = (m.ascent() + m.descent()) / 100.0;
    int guess = std::max(1, static_cast<int>(std::lround(cell / (perPixel > 0 ? perPixel : 1.0))));
    std::tuple<int, bool, int> best{INT32_MAX, true, 0};
    for (int px = std::max(1, guess - 2); px <= guess + 2; ++px) {
        font.setPixelSize(px);
        QFontMetrics fm(font);
        int got = fm.ascent() + fm.descent();
        std::tuple<int, bool, int> rank{std::abs(got - cell), got > cell, -px};
        if (rank < best) best = rank;
    }
    font.setPixelSize(-std::get<2>(best));
    return font;
}

struct FontCache {
    std::mutex mutex;
    std::unordered_map<std::string, QString> families;
    std::unordered_map<std::string, std::shared_ptr<const QtFontEntry>> fonts;
};

FontCache& Cache() {
    static FontCache* cache = new FontCache;  // lives to the end, after any painting
    return *cache;
}

// Texts of the sheet are single lines or paragraphs separated by CR LF, CR
// or LF; the layout takes U+2028 as the break.
QString WithLineBreaks(QString s) {
    s.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    s.replace(QLatin1Char('\r'), QChar::LineSeparator);
    s.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return s;
}

}  // namespace

QtFontEntry::QtFontEntry(const QFont& f) : font(f), metrics(f) {
    QFontMetrics m(f);
    ascent = m.ascent();
    descent = m.descent();
    leading = std::max(0, m.leading());
}

QString QtCanvas::FamilyForFace(std::string_view faceCp932) {
    FontCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    std::string key(faceCp932);
    auto it = cache.families.find(key);
    if (it == cache.families.end()) it = cache.families.emplace(key, ResolveFamily(faceCp932)).first;
    return it->second;
}

std::shared_ptr<const QtFontEntry> QtCanvas::FontFor(std::string_view faceCp932, int heightPx, bool pixelText) {
    if (heightPx == 0 || heightPx > 32767 || heightPx < -32767) return nullptr;
    QString family = FamilyForFace(faceCp932);
    FontCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    std::string key(faceCp932);
    key.push_back('\0');
    key += std::to_string(heightPx);
    if (pixelText) key += 'p';
    auto it = cache.fonts.find(key);
    if (it != cache.fonts.end()) return it->second;

    QFont font;
    // A face without Japanese glyphs still shows the Japanese of the sheet.
    QStringList families{family};
    if (family != DefaultFamily()) families << DefaultFamily();
    font.setFamilies(families);
    // Hinting bends the outlines to the pixel grid: at the sheet's small
    // sizes it drops the hairlines of Mincho figures ("8" reads as "3", the
    // decimal point as a comma). On pixels the outlines are kept as they are
    // and smoothed, as the paper shows them scaled down.
    if (pixelText) font.setHintingPreference(QFont::PreferNoHinting);
    if (heightPx < 0) {
        font.setPixelSize(-heightPx);
    } else {
        font = FontForCell(font, heightPx);
    }
    auto entry = std::make_shared<const QtFontEntry>(font);
    cache.fonts.emplace(std::move(key), entry);
    return entry;
}

QtCanvas::QtCanvas(QPainter* painter, bool antialias)
    : QtCanvas(painter,
               painter && painter->device() ? painter->device()->logicalDpiX() : 96,
               painter && painter->device() ? painter->device()->logicalDpiY() : 96, antialias) {}

QtCanvas::QtCanvas(QPainter* painter, int dpiX, int dpiY, bool antialias)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY) {
    const QPaintEngine* engine = painter_->paintEngine();
    fillsRules_ = engine && engine->type() == QPaintEngine::Raster;
    hairlines_ = engine && engine->type() == QPaintEngine::Picture;
    pixelText_ = fillsRules_;
    request_.heightPx = 16;
    font_ = FontFor(request_.face, request_.heightPx, pixelText_);
    painter_->setBackgroundMode(Qt::TransparentMode);
    SetAntialiasing(antialias);
}

void QtCanvas::SetAntialiasing(bool on) {
    antialias_ = on;
    painter_->setRenderHint(QPainter::TextAntialiasing, on);
}

void QtCanvas::SmoothShapes(bool on) { painter_->setRenderHint(QPainter::Antialiasing, on && antialias_); }

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2, int widthPx, Colour colour) {
    if (widthPx <= 0) return;
    bool straight = x1 == x2 || y1 == y2;
    if (straight && fillsRules_) {
        // The rectangle a square-capped pen centred on the pixels covers:
        // every pixel from end to end, widthPx thick. Filling it unsmoothed
        // gives the same pixels and is many times faster than stroking.
        SmoothShapes(false);
        int left = std::min(x1, x2) - widthPx / 2, right = std::max(x1, x2) + (widthPx + 1) / 2;
        int top = std::min(y1, y2) - widthPx / 2, bottom = std::max(y1, y2) + (widthPx + 1) / 2;
        painter_->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(colour));
        return;
    }
    // An odd width is centred on the pixel centres so it covers whole pixels:
    // the same rectangle as the fill above. A straight rule stays unsmoothed,
    // so the hairline drawn along it is one solid pixel.
    double off = widthPx % 2 ? 0.5 : 0.0;
    QLineF line(QPointF(x1 + off, y1 + off), QPointF(x2 + off, y2 + off));
    SmoothShapes(!straight);
    painter_->setPen(QPen(ToQColor(colour), widthPx, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter_->drawLine(line);
    if (hairlines_) {
        painter_->setPen(QPen(ToQColor(colour), 0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter_->drawLine(line);
    }
}

void QtCanvas::DrawCircle(int cx, int cy, int radius, int widthPx, Colour colour) {
    if (widthPx <= 0 || radius <= 0) return;
    double off = widthPx % 2 ? 0.5 : 0.0;
    SmoothShapes(true);
    painter_->setBrush(Qt::NoBrush);
    painter_->setPen(QPen(ToQColor(colour), widthPx, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter_->drawEllipse(QPointF(cx + off, cy + off), radius, radius);
    if (hairlines_) {
        painter_->setPen(QPen(ToQColor(colour), 0));
        painter_->drawEllipse(QPointF(cx + off, cy + off), radius, radius);
    }
}

bool QtCanvas::SelectFont(const FontRequest& font) {
    if (font.heightPx != request_.heightPx || font.face != request_.face) {
        auto entry = FontFor(font.face, font.heightPx, pixelText_);
        if (!entry) return false;
        font_ = std::move(entry);
    }
    request_ = font;
    textColour_ = ToQColor(font.colour);
    return true;
}

void QtCanvas::SetTextAlign(HAlign h, VAlign v) {
    hAlign_ = h;
    vAlign_ = v;
}

void QtCanvas::UseFont() {
    if (painterFont_ == font_.get()) return;
    painter_->setFont(font_->font);
    painterFont_ = font_.get();
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    QString s = Decode(text);
    const QtFontEntry& f = *font_;
    int dx = 0;
    if (hAlign_ != HAlign::Left) {
        double advance = f.metrics.horizontalAdvance(s);
        dx = -static_cast<int>(std::lround(hAlign_ == HAlign::Center ? advance / 2 : advance));
    }
    int dy = vAlign_ == VAlign::Top ? f.ascent : -f.descent;
    UseFont();
    painter_->setPen(QPen(textColour_));
    if (request_.angleDegrees == 0) {
        painter_->drawText(QPoint(x + dx, y + dy), s);
        return;
    }
    // The alignment holds along the rotated baseline, as for any escapement.
    painter_->save();
    painter_->translate(x, y);
    painter_->rotate(-request_.angleDegrees);  // device y points down: counter-clockwise is negative
    painter_->drawText(QPoint(dx, dy), s);
    painter_->restore();
}

int QtCanvas::DrawTextInRect(int left, int top, int right, int bottom, std::string_view text, unsigned flags) {
    if (text.empty()) return 0;
    const QtFontEntry& f = *font_;
    int lineHeight = f.CellHeight() + ((flags & kExternalLeading) ? f.leading : 0);

    QTextLayout layout(WithLineBreaks(Decode(text)), f.font);
    QTextOption option(Qt::AlignLeft);
    // Words wrap at spaces; Japanese between characters; a word too long for
    // the width anywhere.
    option.setWrapMode((flags & kWordBreak) ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    double width = std::max(0, right - left);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * lineHeight));
        ++lines;
    }
    layout.endLayout();
    int height = lines * lineHeight;
    if (flags & kMeasureOnly) return height;

    UseFont();
    painter_->setPen(QPen(textColour_));
    bool clip = !(flags & kNoClip);
    if (clip) {
        painter_->save();
        painter_->setClipRect(PixelRect(left, top, right, bottom),
                              painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    for (int i = 0; i < layout.lineCount(); ++i) {
        QTextLine line = layout.lineAt(i);
        // Whole-pixel baselines, as TextOut has them.
        line.draw(painter_, QPointF(left, top + f.ascent - line.ascent()));
    }
    if (clip) painter_->restore();
    return height;
}

void QtCanvas::ClipRect(int left, int top, int right, int bottom) {
    painter_->setClipRect(PixelRect(left, top, right, bottom),
                          painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtCanvas::ResetClip() { painter_->setClipping(false); }

}  // namespace vosk
