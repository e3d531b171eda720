// The main window as a user meets it from run to run: where it opens and at
// what zoom, how the sheet's small figures show on the screen, the page count
// of each new sheet, the letters of the menus and the file dialogs. The
// offscreen screen is 1920 × 1080 at 96 dpi (screen_1920x1080.json).

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>

#include "app/command_table.h"
#include "app/file_dialogs.h"
#include "app/main_frame.h"
#include "app/profile.h"
#include "app/vosk_app.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "app/window_placement.h"
#include "platform/message_service.h"
#include "platform/recording_canvas.h"
#include "platform/sheet_output.h"
#include "render/report_page.h"
#include "render/sheet_drawing.h"
#include "settings/settings_store.h"
#include "tests/ui/modal_closer.h"
#include "ui/section/site_section_dlg.h"
#include "ui/widgets/dialog_support.h"

namespace vosk {
namespace {

// A data sheet of `rows` blow rows, 5 cm apart (within the 4 m of a page of
// style 1 at the default depth scale), with heading fields set.
std::string Sheet(int rows, std::initializer_list<std::pair<int, const char*>> heading = {}) {
    std::string s = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int field = 1; field <= kHeadingFieldCount; ++field) {
        for (const auto& [f, text] : heading)
            if (f == field) s += text;
        s += "\r\n";
    }
    s += "$$C\r\n";
    for (int r = 1; r <= rows; ++r) s += "3," + std::to_string(r * 5) + ",5,6,\r\n";
    return s;
}

// The rows of `image` inside `box` darker than mid-grey: the figures' height.
int InkHeight(const QImage& image, QRect box) {
    int top = -1, bottom = -1;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

// The letter after "&" in a menu caption, upper case; empty without one.
QString Mnemonic(const QString& caption) {
    static const QRegularExpression letter("&([^&])");
    const QRegularExpressionMatch m = letter.match(caption);
    return m.hasMatch() ? m.captured(1).toUpper() : QString();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    MessageRecorder messages_;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Write(const QString& name, const std::string& bytes) {
        std::ofstream(Path(name).toStdString(), std::ios::binary) << bytes;
        return Path(name);
    }
    static void ForgetWindow() { Profile().remove(QStringLiteral("Window")); }

    // Runs `act` on the modal dialog the action opens, then closes it.
    template <typename Dialog>
    static bool OnModal(const std::function<void()>& open, const std::function<void(Dialog*)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            test::ModalCloser closer{dialog};
            if (!dialog) return;
            seen = true;
            act(dialog);
        });
        open();
        return seen;
    }
    static void ClickOk(QDialog* dialog) {
        for (auto* box : dialog->findChildren<QDialogButtonBox*>())
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) return button->click();
        QFAIL("no OK button");
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", Path("drives").toUtf8());
        qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());
        qputenv("XDG_DATA_HOME", Path("data").toUtf8());
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
    }

    void firstStartShowsTheSmallestFiguresElevenPixelsHigh() {
        ForgetWindow();
        CVoskApp app(&messages_);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk"}, exitCode));
        CMainFrame* frame = app.MainFrame();
        CVoskView* view = frame->View();
        const int logicalDpi = view->logicalDpiY();
        const int zoom = view->Zoom();

        // The smallest zoom at which every font's figures reach 11 px.
        QCOMPARE(zoom, ReadableZoom(Settings(), logicalDpi));
        int smallest = 1;
        for (int i = 2; i <= kSheetFontCount; ++i)
            if (Settings().fonts[i].size < Settings().fonts[smallest].size) smallest = i;
        const SheetFont& font = Settings().fonts[smallest];
        QVERIFY(FigureHeightPx(font, CVoskView::SurfaceDpi(logicalDpi, zoom)) >= kMinFigurePx);
        QVERIFY(zoom == 100 || FigureHeightPx(font, CVoskView::SurfaceDpi(logicalDpi, zoom - 1)) < kMinFigurePx);

        // On the screen itself: the Nd axis labels, in the smallest font (8 pt).
        QCOMPARE(font.size, Settings().fonts[5].size);
        const int dpi = CVoskView::SurfaceDpi(logicalDpi, zoom);
        const int cell = SheetFontMetrics(MakeSheetMapping(dpi, dpi, 0, 0), font.size).heightDevice;
        RecordingCanvas recorded(dpi, dpi);
        view->OnDraw(recorded);
        const QImage shown = view->viewport()->grab().toImage();
        int labels = 0;
        for (const DrawOp& op : recorded.ops()) {
            if (op.kind != DrawOp::Text || op.font.heightPx != cell || op.text.size() != 2 || op.text.back() != '0') continue;
            const int half = static_cast<int>(op.text.size()) * cell / 4;
            const QRect box(op.x1 - half - 1, op.y1 - cell, 2 * half + 2, cell - 1);  // above the box line
            QVERIFY(shown.rect().contains(box));
            const int height = InkHeight(shown, box);
            QVERIFY2(height >= kMinFigurePx, qPrintable(QString("%1: %2 px").arg(op.text.c_str()).arg(height)));
            ++labels;
        }
        QCOMPARE(labels, 7);  // 10 … 70

        // As tall as the screen, as wide as the sheet: no sideways scrolling.
        const QRect free = frame->screen()->availableGeometry();
        QVERIFY(frame->frameGeometry().height() <= free.height());
        QVERIFY(frame->height() >= free.height() - 40);
        QVERIFY(frame->width() <= free.width());
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
        qInfo("first start on %dx%d at %d dpi: window %dx%d, zoom %d %%, smallest figures %d px", free.width(),
              free.height(), logicalDpi, frame->width(), frame->height(), zoom,
              FigureHeightPx(font, CVoskView::SurfaceDpi(logicalDpi, zoom)));
    }

    void theWindowOpensAsItWasClosed() {
        ForgetWindow();
        const QRect placed(140, 90, 1000, 720);
        {
            CVoskApp app(&messages_);
            int exitCode = 0;
            QVERIFY(app.InitInstance({"vosk"}, exitCode));
            app.MainFrame()->setGeometry(placed);
            app.MainFrame()->View()->SetZoom(80);
            QVERIFY(app.MainFrame()->close());
        }
        CVoskApp app(&messages_);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk"}, exitCode));
        QCOMPARE(app.MainFrame()->geometry(), placed);
        QCOMPARE(app.MainFrame()->View()->Zoom(), 80);
        // Saved again as it is at the next close.
        app.MainFrame()->View()->SetZoom(125);
        QVERIFY(app.MainFrame()->close());
        QCOMPARE(Profile().value("Window/Zoom").toInt(), 125);
    }

    // At 100 % on a 96-dpi screen the window shows the very pixels of the
    // sheet's PNG at 96 dpi, whose small figures the picture tests hold
    // against the paper.
    void theScreenAt100ShowsWhatThePngShows() {
        CVoskDoc doc;
        CMainFrame frame(&doc);
        frame.View()->OnInitialUpdate();
        QVERIFY(doc.OpenDocumentFile(VOSK_SOURCE_DIR "/examples/sample.vkr"));
        frame.resize(900, 1000);
        frame.show();
        CVoskView* view = frame.View();
        if (view->logicalDpiX() != 96 || view->logicalDpiY() != 96) QSKIP("the screen is not at 96 dpi");
        view->SetZoom(100);
        const QImage shown = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage png = RenderPageImage(96, [&](Canvas& canvas) { DrawSheetPage(canvas, doc.Survey(), Settings(), 1); });
        // The paper as the view fills it: whole pixels of its width.
        const QRect paper(0, 0, static_cast<int>(kA4WidthMm * 96 / 25.4), static_cast<int>(kA4HeightMm * 96 / 25.4));
        const QRect common = shown.rect() & paper;
        QVERIFY(common.width() > 700 && common.height() > 800);
        int differing = 0;
        for (int y = common.top(); y <= common.bottom(); ++y)
            for (int x = common.left(); x <= common.right(); ++x) differing += shown.pixel(x, y) != png.pixel(x, y);
        QCOMPARE(differing, 0);
    }

    void pageCountOfEachNewSheetIsKnownBeforeItIsDrawn() {
        ForgetWindow();
        // Style 2 (heading field 31 = 1) has 38 rows a page: 39 rows are two pages.
        const QString style2 = Write("style2.vkr", Sheet(39, {{heading::kSheetStyle, "1"}}));
        CVoskApp app(&messages_);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk", style2}, exitCode));
        CMainFrame* frame = app.MainFrame();
        CVoskView* view = frame->View();
        QAction* next = frame->Action(command::kNextPage);
        QAction* previous = frame->Action(command::kPreviousPage);
        QCOMPARE(frame->PageIndicator()->text(), QString("1 / 2 ページ"));
        QVERIFY(next->isEnabled() && previous->isEnabled());
        next->trigger();
        QCOMPARE(frame->PageIndicator()->text(), QString("2 / 2 ページ"));

        // A one-page sheet of style 1 (41 rows a page) opened on page 2 of it.
        const QString style1 = Write("style1.vkr", Sheet(41));
        QVERIFY(app.Document()->OpenDocumentFile(style1));
        QCOMPARE(frame->PageIndicator()->text(), QString("1 / 1 ページ"));
        QCOMPARE(view->CurrentPage(), 1);
        QVERIFY(!next->isEnabled() && !previous->isEnabled());

        // The rows per page chosen in the heading dialog: 40 rows a page.
        QVERIFY(OnModal<QDialog>([&] { frame->Action(command::kHeading)->trigger(); }, [&](QDialog* d) {
            auto* rows = d->findChild<QComboBox*>(HeadingFieldName(heading::kRowsPerPage));
            QVERIFY(rows);
            rows->setFocus();
            QTest::keyClick(rows, Qt::Key_Down);
            QCOMPARE(rows->currentIndex(), 1);
            ClickOk(d);
        }));
        QCOMPARE(app.Document()->Survey().heading[heading::kRowsPerPage], std::string("1"));
        QCOMPARE(frame->PageIndicator()->text(), QString("1 / 2 ページ"));
        QVERIFY(next->isEnabled());
        next->trigger();
        QCOMPARE(view->CurrentPage(), 2);

        // Back to 41 rows while on page 2: page 1 of 1 is shown.
        QVERIFY(OnModal<QDialog>([&] { frame->Action(command::kHeading)->trigger(); }, [&](QDialog* d) {
            auto* rows = d->findChild<QComboBox*>(HeadingFieldName(heading::kRowsPerPage));
            rows->setFocus();
            QTest::keyClick(rows, Qt::Key_Up);
            ClickOk(d);
        }));
        QCOMPARE(frame->PageIndicator()->text(), QString("1 / 1 ページ"));
        QCOMPARE(view->CurrentPage(), 1);

        // The style chosen there: style 2 counts 38 rows a page.
        QVERIFY(OnModal<QDialog>([&] { frame->Action(command::kHeading)->trigger(); }, [&](QDialog* d) {
            auto* style2Button = d->findChild<QRadioButton*>("style1");
            QVERIFY(style2Button);
            style2Button->click();
            ClickOk(d);
        }));
        QCOMPARE(frame->PageIndicator()->text(), QString("1 / 2 ページ"));
        QVERIFY(next->isEnabled());
    }

    void everyItemOfAMenuHasALetterOfItsOwn() {
        CVoskDoc doc;
        CMainFrame frame(&doc);
        for (QAction* title : frame.menuBar()->actions()) {
            QStringList letters;
            for (QAction* item : title->menu()->actions()) {
                const QString letter = Mnemonic(item->text());
                if (letter.isEmpty()) continue;
                QVERIFY2(!letters.contains(letter), qPrintable(title->text() + ": " + item->text()));
                letters << letter;
            }
        }
        QCOMPARE(frame.Action(command::kSiteSection)->text(), QString("断面図(&D)..."));
    }

    // Alt+F, D opens the section: the letter no longer stands for closing too.
    void altFThenDOpensTheSection() {
        CVoskDoc doc;
        CMainFrame frame(&doc);
        frame.View()->OnInitialUpdate();
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_F, Qt::AltModifier);
        QMenu* file = frame.MenuAt(menu::kFile);
        QTRY_VERIFY(file->isVisible());
        const bool opened =
            OnModal<CSiteSectionDlg>([&] { QTest::keyClick(file, Qt::Key_D); }, [](CSiteSectionDlg*) {});
        QVERIFY(opened);
        QVERIFY(frame.isVisible());
    }

    // The desktop's own file dialog (GTK's on GNOME) writes sizes and dates in
    // the desktop's language; Qt's, with its Japanese texts, writes them in
    // Japanese.
    void fileDialogsAreQtsOwn() {
        std::unique_ptr<QFileDialog> dialogs[] = {
            QtFileDialogs::MakeOpenDialog("簡易動的コーン試験Ver.1(.vkr)|*.vkr|", "vkr", dir_.path()),
            QtFileDialogs::MakeSaveDialog("簡易動的コーン試験Ver.1(.vkr)|*.vkr|", dir_.path())};
        for (auto& dialog : dialogs) QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::WindowTest)
#include "window_test.moc"
