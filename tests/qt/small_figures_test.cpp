// The sheet's smallest texts on pixels: the table's figures (font 4) and the
// axis labels (font 5) drawn at 96 dpi, as the window at 100 % and a PNG draw
// them, held against the same glyphs drawn at 600 dpi and scaled down, which
// is how they read on paper.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/qt_canvas.h"
#include "platform/sheet_output.h"
#include "render/sheet_drawing.h"
#include "settings/settings_store.h"

namespace vosk {
namespace {

constexpr int kScreenDpi = 96;
constexpr int kBox = 32;  // a glyph's picture at 96 dpi: a multiple of 4 px, whole pixels at 600 dpi too
constexpr int kOrigin = 8;
constexpr double kPaperScale = double(kPaperDpi) / kScreenDpi;  // 6.25

// The sheet font's cell at `dpi`, as the sheet asks the canvas for it.
int CellAt(int font, int dpi) {
    return SheetFontMetrics(MakeSheetMapping(dpi, dpi, 0, 0), DefaultFont(font).size).heightDevice;
}

// `text` in sheet font `font` at `dpi`, top-left at (kOrigin, kOrigin) of the
// 96-dpi box, on a picture `margin` 96-dpi pixels wider on every side.
QImage DrawText(const std::string& text, int font, int dpi, int margin = 0) {
    const double scale = double(dpi) / kScreenDpi;
    const int side = static_cast<int>(std::lround((kBox + 2 * margin) * scale));
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(&painter, dpi, dpi);
    FontRequest request;
    request.face = DefaultFont(font).face;
    request.heightPx = CellAt(font, dpi);
    EXPECT_TRUE(canvas.SelectFont(request));
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    const int at = static_cast<int>(std::lround((kOrigin + margin) * scale));
    canvas.TextOut(at, at, text);
    return image;
}

double Distance(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / 255;
}

// The glyphs on paper: drawn at 600 dpi and scaled down to 96 dpi, at every
// phase within a pixel of the screen's, since a glyph on screen sits on
// whole pixels where paper places it finer.
struct PaperGlyph {
    std::vector<QImage> phases;
    double DistanceTo(const QImage& screen) const {
        double best = 1e300;
        for (const QImage& p : phases) best = std::min(best, Distance(screen, p));
        return best;
    }
};

PaperGlyph OnPaper(const std::string& text, int font) {
    constexpr int kMargin = 4;
    const QImage big = DrawText(text, font, kPaperDpi, kMargin);
    const int side = static_cast<int>(std::lround(kBox * kPaperScale));
    const int origin = static_cast<int>(std::lround(kMargin * kPaperScale));
    PaperGlyph glyph;
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx)
            glyph.phases.push_back(big.copy(origin + dx, origin + dy, side, side)
                                       .scaled(kBox, kBox, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return glyph;
}

// The rows from the first to the last where `image` is darker than `below`,
// or darker than `than` by more than 40 where it is given; -1 for none.
std::pair<int, int> InkRows(const QImage& image, const QImage* than = nullptr, int below = 200) {
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            if (than ? grey < qGray(than->pixel(x, y)) - 40 : grey < below) {
                if (top < 0) top = y;
                bottom = y;
            }
        }
    return {top, bottom};
}

struct SheetFont {
    int index;
    const char* what;
};
constexpr SheetFont kSmallFonts[] = {{4, "table figures"}, {5, "axis labels"}};

TEST(SmallFiguresTest, EachFigureReadsAsItsOwnOnPaper) {
    const std::vector<std::string> figures = {"3", "5", "6", "8"};
    for (const SheetFont& font : kSmallFonts) {
        std::vector<PaperGlyph> paper;
        for (const std::string& f : figures) paper.push_back(OnPaper(f, font.index));
        for (size_t a = 0; a < figures.size(); ++a) {
            const QImage screen = DrawText(figures[a], font.index, kScreenDpi);
            const double own = paper[a].DistanceTo(screen);
            for (size_t b = 0; b < figures.size(); ++b) {
                if (a == b) continue;
                // Nearer its own paper glyph than any other, by a clear margin:
                // a hinted "8" that lost its hairlines is as near a "3".
                EXPECT_LT(1.5 * own, paper[b].DistanceTo(screen))
                    << font.what << " (" << CellAt(font.index, kScreenDpi) << " px): " << figures[a] << " against "
                    << figures[b];
            }
        }
    }
}

TEST(SmallFiguresTest, TheDecimalPointSitsOnTheFiguresFoot) {
    // A point hinted below the foot of the figures reads as a comma: "0,5".
    for (const SheetFont& font : kSmallFonts) {
        for (int dpi : {kScreenDpi, kPaperDpi}) {
            auto draw = [&](const char* text) {
                QImage image = DrawText(text, font.index, dpi);
                return dpi == kScreenDpi ? image
                                         : image.scaled(kBox, kBox, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            };
            // The point is what "0.5" has over "0 5" (a blank as wide as the point).
            const QImage figures = draw("0 5"), withPoint = draw("0.5");
            const auto foot = InkRows(figures).second;
            const auto point = InkRows(withPoint, &figures);
            const std::string what = std::string(font.what) + " at " + std::to_string(dpi) + " dpi";
            ASSERT_GE(point.first, 0) << what << ": no point";
            EXPECT_LE(point.first, foot) << what << ": below the figures";
            EXPECT_GE(point.second, foot - 1) << what << ": above their foot";
        }
    }
}

}  // namespace
}  // namespace vosk
