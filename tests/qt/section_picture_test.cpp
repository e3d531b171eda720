// One page of the site section as a picture, against the control picture
// kept in tests/pictures: the example site of examples/section drawn with
// the bundled settings, as the tool draws a PNG. VOSK_UPDATE_PICTURES=1
// writes the control picture anew (look at it before committing it).

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/sheet_output.h"
#include "render/site_section.h"
#include "render/site_section_drawing.h"
#include "settings/settings_store.h"

namespace vosk {
namespace {

constexpr int kDpi = 60;

QImage DrawExampleSection() {
    std::vector<SectionSheet> sheets;
    for (int i = 1; i <= 5; ++i) {
        SectionSheet sheet;
        std::string file = std::string(VOSK_SOURCE_DIR) + "/examples/section/P" + std::to_string(i) + ".vkr";
        EXPECT_FALSE(ReadSectionSheet(file, sheet)) << file;
        sheet.file = "P" + std::to_string(i) + ".vkr";
        sheets.push_back(sheet);
    }
    SiteSection section;
    EXPECT_FALSE(BuildSiteSection(sheets, {}, section));
    return RenderPageImage(kDpi, [&](Canvas& c) { DrawSiteSection(c, section, Settings()); },
                           PageOrientation::Landscape);
}

TEST(SectionPictureTest, ExampleSiteMatchesTheControlPicture) {
    QTemporaryDir drives;
    qputenv("VOSK_DRIVES", drives.path().toUtf8());
    LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);

    const QImage page = DrawExampleSection();
    ASSERT_EQ(page.size(), A4SizePx(kDpi, PageOrientation::Landscape));
    const QString control = QStringLiteral(VOSK_SOURCE_DIR "/tests/pictures/site_section.png");
    if (qEnvironmentVariableIsSet("VOSK_UPDATE_PICTURES")) {
        ASSERT_TRUE(page.save(control));
    }
    QImage expected(control);
    ASSERT_FALSE(expected.isNull()) << "no control picture";
    expected = expected.convertToFormat(page.format());
    ASSERT_EQ(expected.size(), page.size());
    // Font rasterising may move a pixel's shade a little; a line or a
    // text that moves or goes missing changes hundreds of pixels.
    int differing = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            differing += std::abs(qGray(page.pixel(x, y)) - qGray(expected.pixel(x, y))) > 64;
    EXPECT_LT(differing, 60) << "pixels that differ from " << control.toStdString();
}

}  // namespace
}  // namespace vosk
