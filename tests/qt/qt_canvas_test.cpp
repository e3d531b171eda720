// The Qt canvas checked on real pixels: fonts by cell height, text anchors,
// Japanese glyphs, wrapping, lines, circles, clipping; and the file outputs.

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt_canvas.h"
#include "platform/sheet_output.h"

namespace vosk {
namespace {

// CP932 texts, as escaped bytes.
constexpr std::string_view kMsMincho = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";                  // ＭＳ 明朝
constexpr std::string_view kMsPMincho = "\x82\x6c\x82\x72\x20\x82\x6f\x96\xbe\x92\xa9";          // ＭＳ Ｐ明朝
constexpr std::string_view kMsGothic = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
constexpr std::string_view kMsPGothic = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ Ｐゴシック
constexpr std::string_view kMsGothicHalfKana = "\x82\x6c\x82\x72\x20\xba\xde\xbc\xaf\xb8";  // ＭＳ ｺﾞｼｯｸ
constexpr std::string_view kKanniDoteki = "\x8a\xc8\x88\xd5\x93\xae\x93\x49";                // 簡易動的
constexpr std::string_view kKan = "\x8a\xc8";                                              // 簡
constexpr std::string_view kI = "\x88\xd5";                                                // 易
constexpr std::string_view kKannyuShiken = "\x8a\xd1\x93\xfc\x8e\x8e\x8c\xb1";              // 貫入試験

constexpr Colour kBlack = 0x000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

std::string Repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// Draws on a white image through a fresh canvas and returns the picture.
QImage Draw(QSize size, const std::function<void(QtCanvas&)>& draw, bool antialias = true) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(&painter, antialias);
    draw(canvas);
    painter.end();
    return image;
}

// The bounding box of the pixels darker than `below` (any ink at all with the
// default); a null rectangle when there are none.
QRect Ink(const QImage& image, int below = 255) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < below) box |= QRect(x, y, 1, 1);
    return box;
}

int DifferentPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

FontRequest Font(std::string_view face, int height, double angle = 0, Colour colour = kBlack) {
    FontRequest f;
    f.face = std::string(face);
    f.heightPx = height;
    f.angleDegrees = angle;
    f.colour = colour;
    return f;
}

QString Utf8(const char* s) { return QString::fromUtf8(s); }

TEST(QtFontTest, FaceNamesMapToInstalledJapaneseFamilies) {
    struct Case {
        std::string_view face;
        const char* family;
    } cases[] = {
        {kMsMincho, "IPAMincho"},
        {kMsPMincho, "IPAPMincho"},
        {kMsGothic, "IPAGothic"},
        {kMsPGothic, "IPAPGothic"},
        {kMsGothicHalfKana, "IPAGothic"},
        {"MS Mincho", "IPAMincho"},
        {"MS PMincho", "IPAPMincho"},
        {"MS Gothic", "IPAGothic"},
        {"MS PGothic", "IPAPGothic"},
        {"ms  gothic", "IPAGothic"},
        {"IPAPGothic", "IPAPGothic"},  // installed: used as it is
        {"No Such Face 42", "IPAMincho"},
        {"", "IPAMincho"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtCanvas::FamilyForFace(c.face), Utf8(c.family)) << c.face;
    }
}

TEST(QtFontTest, CellHeightMatchesTheRequestedHeight) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(&painter);
    for (std::string_view face : {kMsMincho, kMsPGothic, std::string_view("No Such Face")}) {
        for (int height : {9, 13, 17, 23, 50, 200}) {
            ASSERT_TRUE(canvas.SelectFont(Font(face, height)));
            QFontMetrics metrics(canvas.CurrentFont().font);
            EXPECT_LE(std::abs(metrics.ascent() + metrics.descent() - height), 1)
                << face << " at " << height << " px";
        }
    }
    // A negative height is the character height, as Windows takes it.
    ASSERT_TRUE(canvas.SelectFont(Font(kMsMincho, -40)));
    EXPECT_EQ(QFontInfo(canvas.CurrentFont().font).pixelSize(), 40);
    // No font has a zero cell: the selection fails and the font stays.
    ASSERT_TRUE(canvas.SelectFont(Font(kMsGothic, 30)));
    EXPECT_FALSE(canvas.SelectFont(Font(kMsMincho, 0)));
    EXPECT_EQ(QFontInfo(canvas.CurrentFont().font).family(), Utf8("IPAGothic"));
    EXPECT_LE(std::abs(canvas.CurrentFont().CellHeight() - 30), 1);
}

TEST(QtCanvasTextTest, AlignmentAnchorsTheCell) {
    constexpr int kX = 200, kY = 100, kHeight = 40;
    struct Case {
        HAlign h;
        VAlign v;
    } cases[] = {
        {HAlign::Left, VAlign::Top},    {HAlign::Center, VAlign::Top},    {HAlign::Right, VAlign::Top},
        {HAlign::Left, VAlign::Bottom}, {HAlign::Center, VAlign::Bottom}, {HAlign::Right, VAlign::Bottom},
    };
    for (const Case& c : cases) {
        QFont font;
        QImage image = Draw(QSize(400, 200), [&](QtCanvas& canvas) {
            ASSERT_TRUE(canvas.SelectFont(Font(kMsMincho, kHeight)));
            canvas.SetTextAlign(c.h, c.v);
            canvas.TextOut(kX, kY, kKanniDoteki);
            font = canvas.CurrentFont().font;
        });
        QFontMetricsF metrics(font);
        double advance = metrics.horizontalAdvance(Utf8("簡易動的"));
        double cell = metrics.ascent() + metrics.descent();
        double left = c.h == HAlign::Left ? kX : c.h == HAlign::Center ? kX - advance / 2 : kX - advance;
        double top = c.v == VAlign::Top ? kY : kY - cell;

        QRect ink = Ink(image);
        SCOPED_TRACE(testing::Message() << "h " << int(c.h) << " v " << int(c.v) << " ink " << ink.x() << ","
                                        << ink.y() << " " << ink.width() << "x" << ink.height());
        ASSERT_FALSE(ink.isNull());
        // Inside the cell, with a pixel for the smoothed edges...
        EXPECT_GE(ink.left(), left - 1);
        EXPECT_LE(ink.right(), left + advance + 1);
        EXPECT_GE(ink.top(), top - 1);
        EXPECT_LE(ink.bottom(), top + cell + 1);
        // ...and filling most of it: four ideographs nearly span the advance
        // and the em, which is most of the cell.
        EXPECT_GE(ink.width(), 0.85 * advance);
        EXPECT_GE(ink.height(), 0.7 * cell);
        if (c.h == HAlign::Center) {
            EXPECT_LE(std::abs(ink.center().x() - kX), 2);
        }
    }
}

TEST(QtCanvasTextTest, JapaneseGlyphsAreDrawnNotPlaceholders) {
    auto drawOne = [](std::string_view face, std::string_view text) {
        return Draw(QSize(80, 80), [&](QtCanvas& canvas) {
            canvas.SelectFont(Font(face, 60));
            canvas.TextOut(5, 5, text);
        });
    };
    QImage kan = drawOne(kMsMincho, kKan);
    QImage i = drawOne(kMsMincho, kI);
    ASSERT_FALSE(Ink(kan, 128).isNull());
    // Placeholder boxes would look alike for every character.
    EXPECT_GT(DifferentPixels(kan, i), 300);
    // An unknown face falls back to the Mincho the Windows Mincho maps to...
    EXPECT_EQ(DifferentPixels(drawOne("No Such Face", kKan), kan), 0);
    // ...while the Gothic really is another design.
    EXPECT_GT(DifferentPixels(drawOne(kMsGothic, kKan), kan), 100);
}

TEST(QtCanvasTextTest, EscapementTurnsCounterClockwiseAroundTheAnchor) {
    constexpr int kX = 200, kY = 200;
    for (double angle : {90.0, -90.0}) {
        int cell = 0;
        double advance = 0;
        QImage image = Draw(QSize(400, 400), [&](QtCanvas& canvas) {
            canvas.SelectFont(Font(kMsGothic, 30, angle));
            canvas.TextOut(kX, kY, kKannyuShiken);
            cell = canvas.CurrentFont().CellHeight();
            advance = canvas.CurrentFont().metrics.horizontalAdvance(Utf8("貫入試験"));
        });
        QRect ink = Ink(image);
        SCOPED_TRACE(angle);
        ASSERT_FALSE(ink.isNull());
        EXPECT_GT(ink.height(), 0.85 * advance);  // the text runs vertically
        EXPECT_LE(ink.width(), cell + 1);
        if (angle > 0) {  // reads upwards, the cell's top to the left of the anchor
            EXPECT_LE(ink.bottom(), kY + 1);
            EXPECT_GE(ink.top(), kY - advance - 1);
            EXPECT_GE(ink.left(), kX - 1);
        } else {  // reads downwards, the cell's top to the right
            EXPECT_GE(ink.top(), kY - 1);
            EXPECT_LE(ink.bottom(), kY + advance + 1);
            EXPECT_LE(ink.right(), kX + 1);
        }
    }
}

TEST(QtCanvasTextTest, ColoursAreReadAsBlueGreenRed) {
    QImage image = Draw(QSize(120, 60), [](QtCanvas& canvas) {
        canvas.DrawLine(0, 5, 119, 5, 3, 0x00FF0000);  // blue
        canvas.SelectFont(Font(kMsGothic, 40, 0, 0x000000FF));  // red
        canvas.TextOut(10, 15, kKan);
    });
    EXPECT_EQ(image.pixel(60, 5), qRgb(0, 0, 255));
    QRect ink = Ink(image.copy(0, 10, 120, 50), 128);
    ASSERT_FALSE(ink.isNull());
    int reds = 0, others = 0;
    for (int y = 10; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
            QRgb p = image.pixel(x, y);
            if (p == kWhite) continue;
            (qRed(p) == 255 && qGreen(p) == qBlue(p) ? reds : others)++;
        }
    EXPECT_GT(reds, 50);
    EXPECT_EQ(others, 0);
}

TEST(QtCanvasTextTest, MeasureOnlyGivesTheHeightAndDrawsNothing) {
    std::string text = Repeat(kKannyuShiken, 6);
    int measured = 0, drawn = 0;
    QImage image = Draw(QSize(200, 300), [&](QtCanvas& canvas) {
        canvas.SelectFont(Font(kMsMincho, 20));
        measured = canvas.DrawTextInRect(10, 10, 110, 290, text, kWordBreak | kMeasureOnly);
    });
    EXPECT_TRUE(Ink(image).isNull());
    Draw(QSize(200, 300), [&](QtCanvas& canvas) {
        canvas.SelectFont(Font(kMsMincho, 20));
        drawn = canvas.DrawTextInRect(10, 10, 110, 290, text, kWordBreak);
    });
    EXPECT_GT(measured, 20);
    EXPECT_EQ(measured, drawn);
}

TEST(QtCanvasTextTest, TextInRectWrapsToTheWidth) {
    constexpr int kLeft = 20, kTop = 10, kWidth = 100;
    std::string japanese = Repeat(kKannyuShiken, 5);  // 20 ideographs, no spaces
    struct Case {
        const char* name;
        std::string text;
        unsigned flags;
        int minLines, maxLines;
    } cases[] = {
        {"Japanese wraps between characters", japanese, kWordBreak, 4, 6},
        {"Latin wraps at spaces", "alpha beta gamma delta epsilon", kWordBreak, 2, 5},
        {"a word wider than the box breaks anywhere", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", kWordBreak, 2, 4},
        {"no word break keeps one line", japanese, 0, 1, 1},
        {"CR LF starts a line", std::string(kKan) + "\r\n" + std::string(kI), 0, 2, 2},
        {"LF starts a line", std::string(kKan) + "\n" + std::string(kI) + "\n" + std::string(kKan), 0, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int height = 0, cell = 0;
        QImage image = Draw(QSize(400, 400), [&](QtCanvas& canvas) {
            canvas.SelectFont(Font(kMsGothic, 20));
            cell = canvas.CurrentFont().CellHeight();
            height = canvas.DrawTextInRect(kLeft, kTop, kLeft + kWidth, 390, c.text, c.flags | kNoClip);
        });
        ASSERT_GT(cell, 0);
        EXPECT_EQ(height % cell, 0) << height;
        int lines = height / cell;
        EXPECT_GE(lines, c.minLines);
        EXPECT_LE(lines, c.maxLines);
        QRect ink = Ink(image);
        ASSERT_FALSE(ink.isNull());
        EXPECT_GE(ink.left(), kLeft - 1);
        EXPECT_GT(ink.bottom(), kTop + (lines - 1) * cell);  // the last line is drawn
        EXPECT_LE(ink.bottom(), kTop + height);
        if (c.flags & kWordBreak) {
            EXPECT_LE(ink.right(), kLeft + kWidth);
        }
    }
}

TEST(QtCanvasTextTest, TextInRectIsClippedUnlessNoClip) {
    std::string text = std::string(kKan) + "\n" + std::string(kI) + "\n" + std::string(kKan);
    for (unsigned flags : {0u, unsigned(kNoClip)}) {
        int height = 0, cell = 0;
        QImage image = Draw(QSize(200, 200), [&](QtCanvas& canvas) {
            canvas.SelectFont(Font(kMsMincho, 30));
            cell = canvas.CurrentFont().CellHeight();
            height = canvas.DrawTextInRect(10, 10, 150, 10 + cell, text, flags);
            // The box's own clip is gone afterwards.
            canvas.DrawLine(0, 190, 199, 190, 1, kBlack);
        });
        SCOPED_TRACE(flags);
        EXPECT_EQ(height, 3 * cell);
        EXPECT_EQ(qGray(image.pixel(100, 190)), 0);
        QRect below = Ink(image.copy(0, 10 + cell, 200, 180 - (10 + cell)));
        EXPECT_EQ(below.isNull(), flags == 0);
    }
}

TEST(QtCanvasLineTest, LinesCoverWholePixelsFromEndToEnd) {
    struct Case {
        int x1, y1, x2, y2, width;
        QRect pixels;
    } cases[] = {
        {10, 20, 30, 20, 1, QRect(10, 20, 21, 1)},
        {30, 20, 10, 20, 1, QRect(10, 20, 21, 1)},
        {15, 5, 15, 40, 1, QRect(15, 5, 1, 36)},
        {10, 20, 30, 20, 2, QRect(9, 19, 22, 2)},
        {10, 20, 30, 20, 3, QRect(9, 19, 23, 3)},
        {15, 40, 15, 5, 4, QRect(13, 3, 4, 39)},
    };
    for (bool antialias : {true, false}) {
        for (const Case& c : cases) {
            QImage image = Draw(QSize(50, 50), [&](QtCanvas& canvas) {
                canvas.DrawLine(c.x1, c.y1, c.x2, c.y2, c.width, kBlack);
            }, antialias);
            SCOPED_TRACE(testing::Message() << "width " << c.width << " (" << c.x1 << "," << c.y1 << ")-(" << c.x2
                                            << "," << c.y2 << ") antialias " << antialias);
            int wrong = 0;
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 50; ++x)
                    wrong += image.pixel(x, y) != (c.pixels.contains(x, y) ? qRgb(0, 0, 0) : kWhite);
            EXPECT_EQ(wrong, 0);
        }
    }
    // A slanted line reaches both end pixels and stays near its path.
    QImage slanted = Draw(QSize(50, 50), [](QtCanvas& canvas) { canvas.DrawLine(10, 10, 40, 30, 1, kBlack); });
    EXPECT_LT(qGray(slanted.pixel(10, 10)), 128);
    EXPECT_LT(qGray(slanted.pixel(40, 30)), 128);
    EXPECT_TRUE(QRect(9, 9, 33, 23).contains(Ink(slanted)));
    // Width 0 draws nothing.
    EXPECT_TRUE(Ink(Draw(QSize(50, 50), [](QtCanvas& canvas) { canvas.DrawLine(5, 5, 40, 5, 0, kBlack); })).isNull());
}

// Draws on a recording, as the print preview keeps a page, and plays it back
// on a white image scaled by `scale`, as the preview shows it.
QImage DrawRecorded(QSize size, double scale, const std::function<void(QtCanvas&)>& draw) {
    QPicture picture;
    {
        QPainter painter(&picture);
        QtCanvas canvas(&painter, 600, 600);
        draw(canvas);
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, picture);
    return image;
}

// The rows of `image` holding a dark run as long as `minRun` somewhere.
std::vector<int> DarkRows(const QImage& image, int minRun, int below = 160) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < below ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= minRun) rows.push_back(y);
    }
    return rows;
}

TEST(QtCanvasLineTest, RulesOffRasterAreStrokesThatSurviveScalingDown) {
    // Unscaled, the stroked rules cover the pixels the raster fills cover.
    for (int width : {1, 2, 3}) {
        auto rules = [&](QtCanvas& canvas) {
            canvas.DrawLine(10, 20, 30, 20, width, kBlack);
            canvas.DrawLine(15, 40, 15, 5, width, kBlack);
        };
        EXPECT_EQ(DifferentPixels(DrawRecorded(QSize(50, 50), 1.0, rules), Draw(QSize(50, 50), rules)), 0)
            << "width " << width;
    }
    // Rules 100 dots apart at 600 dpi, as the sheet's table has them, shown
    // as the preview shows a page: each is still a solid dot wide, however
    // far below one pixel its width has gone.
    for (double scale : {96.0 / 600, 0.05}) {
        QImage image = DrawRecorded(QSize(400, 200), scale, [](QtCanvas& canvas) {
            for (int k = 1; k <= 10; ++k) canvas.DrawLine(100, k * 100, 2000, k * 100, k % 2 ? 1 : 2, kBlack);
        });
        std::vector<int> rows = DarkRows(image, static_cast<int>(1500 * scale));
        SCOPED_TRACE(scale);
        ASSERT_EQ(rows.size(), 10u);
        for (int k = 1; k <= 10; ++k) EXPECT_LE(std::abs(rows[k - 1] - k * 100 * scale), 1.0);
    }
}

TEST(QtCanvasLineTest, CircleIsAnOutlineAroundTheCentre) {
    QImage image = Draw(QSize(100, 100), [](QtCanvas& canvas) { canvas.DrawCircle(50, 50, 20, 1, kBlack); });
    QRect ink = Ink(image, 128);
    EXPECT_LE(std::abs(ink.left() - 30), 1);
    EXPECT_LE(std::abs(ink.right() - 70), 1);
    EXPECT_LE(std::abs(ink.top() - 30), 1);
    EXPECT_LE(std::abs(ink.bottom() - 70), 1);
    EXPECT_TRUE(Ink(image.copy(38, 38, 25, 25)).isNull());  // not filled
}

TEST(QtCanvasClipTest, ClipRectsIntersectUntilReset) {
    QImage image = Draw(QSize(100, 100), [](QtCanvas& canvas) {
        canvas.ClipRect(20, 20, 60, 60);
        canvas.ClipRect(40, 0, 100, 100);
        for (int y = 0; y < 100; ++y) canvas.DrawLine(0, y, 99, y, 1, kBlack);
        canvas.ResetClip();
        canvas.DrawLine(0, 95, 99, 95, 1, kBlack);
    });
    EXPECT_EQ(Ink(image.copy(0, 0, 100, 90)), QRect(40, 20, 20, 40));
    EXPECT_EQ(Ink(image.copy(0, 90, 100, 10)), QRect(0, 5, 100, 1));
}

class SheetOutputTest : public testing::Test {
protected:
    std::filesystem::path Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    static QByteArray Contents(const std::filesystem::path& path) {
        QFile file(QString::fromStdString(path.string()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
};

TEST_F(SheetOutputTest, PngIsAnA4PageAtTheGivenDpi) {
    struct Case {
        int dpi;
        QSize size;
    } cases[] = {{96, QSize(794, 1123)}, {150, QSize(1240, 1754)}};
    for (const Case& c : cases) {
        int seenDpi = 0;
        auto path = Path("page.png");
        ASSERT_TRUE(WritePagePng(path, c.dpi, [&](Canvas& canvas) {
            seenDpi = canvas.DpiY();
            canvas.DrawLine(100, 100, 300, 100, 1, kBlack);
        }));
        QImage image(QString::fromStdString(path.string()));
        EXPECT_EQ(seenDpi, c.dpi);
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(std::lround(image.dotsPerMeterX() * 0.0254), c.dpi);
        EXPECT_EQ(qGray(image.pixel(200, 100)), 0);
        EXPECT_EQ(image.pixel(200, 101), kWhite);
    }
}

TEST_F(SheetOutputTest, PdfHoldsEveryPage) {
    auto path = Path("sheet.pdf");
    PdfOutput pdf(path, 300);
    ASSERT_TRUE(pdf.IsOpen());
    for (int page = 0; page < 2; ++page) {
        Canvas* canvas = pdf.BeginPage();
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(canvas->DpiX(), 300);
        canvas->SelectFont(Font(kMsMincho, 50));
        canvas->TextOut(300, 300, kKanniDoteki);
        canvas->DrawLine(300, 400, 2000, 400, 3, kBlack);
    }
    EXPECT_EQ(pdf.PageCount(), 2);
    ASSERT_TRUE(pdf.Finish());
    EXPECT_EQ(pdf.BeginPage(), nullptr);

    QByteArray bytes = Contents(path);
    ASSERT_TRUE(bytes.startsWith("%PDF-"));
    QString text = QString::fromLatin1(bytes);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 2);
    // A4 is 595.3 × 841.9 points; every page has it.
    EXPECT_EQ(text.count(QRegularExpression(
                  QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+59[56](\\.\\d*)?\\s+84[12](\\.\\d*)?\\s*\\]"))),
              2);
}

TEST_F(SheetOutputTest, SvgIsAnA4Drawing) {
    auto path = Path("sheet.svg");
    if (!SvgOutputAvailable()) {
        EXPECT_FALSE(WritePageSvg(path, 96, [](Canvas&) {}));
        EXPECT_FALSE(std::filesystem::exists(path));
        GTEST_SKIP() << "this build writes no SVG (Qt without its SVG module)";
    }
    ASSERT_TRUE(WritePageSvg(path, 96, [](Canvas& canvas) {
        EXPECT_EQ(canvas.DpiX(), 96);
        canvas.SelectFont(Font(kMsGothic, 30));
        canvas.TextOut(100, 100, kKanniDoteki);
        canvas.DrawCircle(300, 300, 40, 2, kBlack);
    }));
    QString svg = QString::fromUtf8(Contents(path));
    EXPECT_TRUE(svg.contains(QStringLiteral("<svg")));
    EXPECT_TRUE(svg.contains(QRegularExpression(QStringLiteral("width=\"21[01](\\.\\d+)?mm\""))));
    EXPECT_TRUE(svg.contains(QRegularExpression(QStringLiteral("height=\"29[78](\\.\\d+)?mm\""))));
    EXPECT_TRUE(svg.contains(Utf8("簡易動的")));
}

TEST_F(SheetOutputTest, FailuresReportFalse) {
    auto draw = [](Canvas& canvas) { canvas.DrawLine(0, 0, 10, 10, 1, kBlack); };
    std::filesystem::path missing = Path("no such folder");
    EXPECT_FALSE(WritePagePng(missing / "page.png", 96, draw));
    EXPECT_FALSE(WritePageSvg(missing / "page.svg", 96, draw));
    EXPECT_FALSE(WritePagePng(Path("zero.png"), 0, draw));
    EXPECT_FALSE(std::filesystem::exists(Path("zero.png")));

    PdfOutput pdf(missing / "sheet.pdf", 300);
    EXPECT_FALSE(pdf.IsOpen());
    EXPECT_EQ(pdf.BeginPage(), nullptr);
    EXPECT_FALSE(pdf.Finish());

    PdfOutput empty(Path("empty.pdf"), 300);  // no page begun: nothing to write
    EXPECT_FALSE(empty.Finish());
    EXPECT_FALSE(std::filesystem::exists(Path("empty.pdf")));
}

}  // namespace
}  // namespace vosk

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
