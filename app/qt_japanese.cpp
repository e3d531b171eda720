#include "app/qt_japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace vosk {
namespace {

// Texts Qt shows that qtbase_ja does not translate, by Qt's context and
// source text; asked only after qtbase_ja found nothing.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char*, int) const override {
        struct Text {
            const char* context;
            const char* source;
            const char* japanese;
        };
        static const Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "フォルダー"},
            {"QAbstractFileIconProvider", "File Folder", "ファイル フォルダー"},  // Windows: as Explorer says it
            {"QAbstractFileIconProvider", "Drive", "ドライブ"},
            {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
            {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
             "競合するオプションがあります。修正してください。"},
            {"QPrintSettingsOutput", "Pages", "ページ指定"},
            {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
            {"QPrintSettingsOutput", "Off", "オフ"},
            {"QPrintSettingsOutput", "Long side binding", "長辺綴じ"},
            {"QPrintSettingsOutput", "Short side binding", "短辺綴じ"},
            {"QPrintSettingsOutput",
             "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
             "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
             "印刷するページまたは範囲をカンマで区切って指定します。範囲はハイフンでつないだ二つの数で"
             "指定します。例: 3,5-7,9 は 3、5、6、7、9 ページを印刷します。"},
        };
        if (!context || !source) return QString();
        for (const Text& t : kTexts)
            if (std::strcmp(context, t.context) == 0 && std::strcmp(source, t.source) == 0)
                return QString::fromUtf8(t.japanese);
        return QString();
    }

    bool isEmpty() const override { return false; }
};

}  // namespace

QList<QTranslator*> InstallQtTranslations(QCoreApplication& app) {
    auto* qtbase = new QTranslator(&app);
    if (!qtbase->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtbase;
        return {};
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // The translator installed last is asked first.
    auto* missing = new MissingQtTexts(&app);
    QCoreApplication::installTranslator(missing);
    QCoreApplication::installTranslator(qtbase);
    return {qtbase, missing};
}

}  // namespace vosk
