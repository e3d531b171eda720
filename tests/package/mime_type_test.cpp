// The data sheet's MIME type as a desktop reads it: the shared-mime-info
// package the program installs, found through XDG_DATA_DIRS.

#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>

class MimeTypeTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The database must be the one with the program's package in it.
        QVERIFY(QMimeDatabase().mimeTypeForName("application/x-vosk-datasheet").isValid());
    }

    void typeOfAFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("dataSheet");
        QFile sample(QStringLiteral(VOSK_SOURCE_DIR "/examples/sample.vkr"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QByteArray sheet = sample.readAll();
        QTest::newRow("the example") << "sample.vkr" << sheet << true;
        QTest::newRow("suffix in capitals") << "SAMPLE.VKR" << sheet << true;
        // Without the suffix the mark on the first line tells.
        QTest::newRow("no suffix") << "sample" << sheet << true;
        QTest::newRow("mark after a blank line") << "sheet" << QByteArray("\r\n$$_VSKTARVO100\r\n$$Z\r\n") << true;
        QTest::newRow("mark beyond the first lines") << "late"
                                                     << QByteArray(600, ' ') + "$$_VSKTARVO100\r\n" << false;
        QTest::newRow("other text") << "notes" << QByteArray("just some text\r\n") << false;
        QTest::newRow("vkr inside the name") << "sample.vkr.txt" << QByteArray("just some text\r\n") << false;
    }

    void typeOfAFile() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, dataSheet);
        const QString path = dir_.filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
        QCOMPARE(type.name() == QLatin1String("application/x-vosk-datasheet"), dataSheet);
        if (dataSheet) {
            QCOMPARE(type.iconName(), QString("application-x-vosk-datasheet"));
            QVERIFY(type.inherits("text/plain"));
            QCOMPARE(type.globPatterns(), QStringList{"*.vkr"});
        }
    }
};

QTEST_GUILESS_MAIN(MimeTypeTest)
#include "mime_type_test.moc"
