#include "app/vosk_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <algorithm>

#include "platform/message_service.h"
#include "platform/qt_canvas.h"
#include "render/report_page.h"
#include "settings/settings_store.h"
#include "survey/survey_data.h"
#include "ui/entry/blow_data_dlg.h"
#include "ui/entry/heading_dlg.h"
#include "ui/entry/page_footer_dlg.h"
#include "ui/settings/digits_dlg.h"
#include "ui/settings/enter_key_dlg.h"
#include "ui/settings/font_set_dlg.h"
#include "ui/settings/guide_dlg.h"
#include "ui/settings/layout_dlg.h"
#include "ui/settings/line_style_dlg.h"
#include "ui/settings/master_list_dlg.h"
#include "ui/settings/settings_services.h"
#include "ui/settings/setup_dlg.h"
#include "ui/soil/jacic_soil_dlg.h"
#include "ui/soil/soil_name_dlg.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

// Scroll sizes in device units at 100 %: the whole sheet, a page and a line.
constexpr int kTotalWidth = 831, kTotalHeight = 1247;
constexpr int kPageStepX = 103, kPageStepY = 155;
constexpr int kLineStepX = 25, kLineStepY = 38;
constexpr int kMinZoom = 25, kMaxZoom = 400;
// A4 paper drawn behind the sheet on screen, in mm.
constexpr double kPaperWidthMm = 210, kPaperHeightMm = 297;

}  // namespace

CVoskView::CVoskView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

int CVoskView::ScreenDpiX() const { return std::max(1, logicalDpiX() * zoom_ / 100); }
int CVoskView::ScreenDpiY() const { return std::max(1, logicalDpiY() * zoom_ / 100); }

void CVoskView::OnInitialUpdate() {
    OnUpdate();
    UpdateScrollSizes();
}

void CVoskView::OnUpdate() {
    LoadSettings(Settings(), Survey(), false);
    DetectPaperSize(Settings());
    viewport()->update();
    emit PageChanged();
}

void CVoskView::UpdateScrollSizes() {
    int width = kTotalWidth * zoom_ / 100, height = kTotalHeight * zoom_ / 100;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    horizontalScrollBar()->setPageStep(kPageStepX * zoom_ / 100);
    verticalScrollBar()->setPageStep(kPageStepY * zoom_ / 100);
    horizontalScrollBar()->setSingleStep(kLineStepX * zoom_ / 100);
    verticalScrollBar()->setSingleStep(kLineStepY * zoom_ / 100);
}

void CVoskView::OnDraw(Canvas& canvas) {
    lastDpiY_ = canvas.DpiY();
    DrawSheetPage(canvas, Survey(), Settings(), Pages().currentPage, Pages());
}

void CVoskView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const int dpiX = ScreenDpiX(), dpiY = ScreenDpiY();
    painter.fillRect(QRect(0, 0, static_cast<int>(kPaperWidthMm * dpiX / 25.4),
                           static_cast<int>(kPaperHeightMm * dpiY / 25.4)),
                     Qt::white);
    QtCanvas canvas(&painter, dpiX, dpiY);
    OnDraw(canvas);
}

int CVoskView::CurrentPage() const { return Pages().currentPage; }

bool CVoskView::CanTurnPages() const { return CountSheetPages(Survey(), Pages()) >= 2; }

void CVoskView::OnKeyDown(int key) {
    PageState& state = Pages();
    int pages = CountSheetPages(Survey(), state);
    if (key == Qt::Key_PageUp || key == Qt::Key_Up) {
        if (state.currentPage > 1) --state.currentPage;
    } else if (key == Qt::Key_PageDown || key == Qt::Key_Down) {
        if (state.currentPage < pages) ++state.currentPage;
    } else {
        return;
    }
    viewport()->update();
    emit PageChanged();
}

void CVoskView::keyPressEvent(QKeyEvent* event) {
    // While a page is being printed no key turns pages.
    if (Pages().printing) return;
    OnKeyDown(event->key());
    // Page keys would also scroll; the page turn is what they mean here.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown || event->key() == Qt::Key_Up ||
        event->key() == Qt::Key_Down)
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void CVoskView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        int steps = event->angleDelta().y() / 120;
        if (steps > 0) SetZoom(zoom_ * 5 / 4);
        if (steps < 0) SetZoom(zoom_ * 4 / 5);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CVoskView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CVoskView::SetZoom(int percent) {
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    UpdateScrollSizes();
    viewport()->update();
}

void CVoskView::ZoomToFitWidth() {
    int widthAt100 = static_cast<int>(kPaperWidthMm * logicalDpiX() / 25.4);
    SetZoom(std::max(1, viewport()->width() * 100 / std::max(1, widthAt100)));
}

void CVoskView::OnPreviousPage() {
    if (Pages().printing) return;
    PageState& state = Pages();
    int pages = CountSheetPages(Survey(), state);
    if (state.currentPage > pages)
        state.currentPage = 1;
    else if (state.currentPage > 1)
        --state.currentPage;
    viewport()->update();
    emit PageChanged();
}

void CVoskView::OnNextPage() {
    if (Pages().printing) return;
    PageState& state = Pages();
    int pages = CountSheetPages(Survey(), state);
    if (state.currentPage > pages) state.currentPage = 1;
    if (state.currentPage < pages) ++state.currentPage;
    viewport()->update();
    emit PageChanged();
}

bool CVoskView::PrintPages(QPrinter& printer, int from, int to) {
    // The sheet's origin is the paper's corner, as on the screen and in PDFs.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int page = from; page <= to; ++page) {
        if (page > from) printer.newPage();
        Pages().printing = 1;
        Pages().currentPage = page;
        QtCanvas canvas(&painter, printer.resolution(), printer.resolution());
        OnDraw(canvas);
        Pages().printing = 0;
    }
    painter.end();
    QApplication::restoreOverrideCursor();
    viewport()->update();
    emit PageChanged();
    return true;
}

void CVoskView::OnFilePrint(QPrinter& printer) {
    DetectPaperSize(Settings());
    int pages = CountSheetPages(Survey(), Pages());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    int from = 1, to = pages;
    if (printer.printRange() == QPrinter::PageRange) {
        from = std::max(1, printer.fromPage());
        to = std::min(pages, printer.toPage());
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = Pages().currentPage;
    }
    PrintPages(printer, from, to);
}

void CVoskView::OnFilePrintPreview(QPrinter& printer) {
    DetectPaperSize(Settings());
    int pages = CountSheetPages(Survey(), Pages());
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, pages](QPrinter* p) { PrintPages(*p, 1, pages); });
    preview.exec();
}

void CVoskView::OnHeading() {
    CHeadingDlg dialog(LoadHeadingForm(Survey().heading), this);
    if (dialog.exec() == QDialog::Accepted) StoreHeadingForm(dialog.Form(), Survey().heading);
    OnUpdate();
}

void CVoskView::OnEngineers() {
    CEngineerMasterDlg dialog(this);
    dialog.exec();
    OnUpdate();
}

void CVoskView::OnRemarks() {
    CRemarkMasterDlg dialog(this);
    dialog.exec();
    OnUpdate();
}

void CVoskView::OnPageFooter() {
    DetectPaperSize(Settings());
    CPageFooterDlg dialog(LoadFooterForm(Survey().heading), Settings().paperWidthMm, Settings().paperHeightMm, this);
    if (dialog.exec() == QDialog::Accepted) StoreFooterForm(dialog.Form(), Survey().heading);
    OnUpdate();
}

void CVoskView::OnBlowData() {
    // The dialog stores the table itself when confirmed.
    CBlowDataDlg dialog(this);
    dialog.exec();
    OnUpdate();
}

void CVoskView::OnJacicSoilName() {
    // The dialog stores the soil rows itself when confirmed.
    CJacicSoilDlg dialog(this);
    dialog.exec();
    OnUpdate();
}

void CVoskView::OnSoilName() {
    // The dialog stores the soil rows itself when confirmed.
    CSoilNameDlg dialog(this);
    dialog.exec();
    OnUpdate();
}

namespace {

// Saves Sys.ndx, or says which file could not be written.
void SaveSheetSettings() {
    const SettingsStore& store = Settings();
    if (!SaveSettings(store, store.sysPath)) ShowMessage(SaveFailedText({RealPath(store.sysPath).string()}));
}

}  // namespace

void CVoskView::SetSettingsServices(SettingsServices* services) { services_ = services; }

void CVoskView::OnLayout() {
    CLayoutDlg dialog(LoadLayoutForm(Settings().sheet), this);
    if (dialog.exec() == QDialog::Accepted && StoreLayoutForm(dialog.Form(), Settings().sheet) == 0) SaveSheetSettings();
    OnUpdate();
}

void CVoskView::OnLineStyle() {
    CLineStyleDlg dialog(LoadLineStyleForm(Settings().sheet), services_ ? *services_ : DefaultSettingsServices(), this);
    if (dialog.exec() == QDialog::Accepted && StoreLineStyleForm(dialog.Form(), Settings().sheet) == 0)
        SaveSheetSettings();
    OnUpdate();
}

void CVoskView::OnDigits() {
    CDigitsDlg dialog(LoadDigitsForm(Settings().sheet), this);
    if (dialog.exec() == QDialog::Accepted) {
        StoreDigitsForm(dialog.Form(), Settings().sheet);
        SaveSheetSettings();
    }
    OnUpdate();
}

void CVoskView::OnFontSet() {
    CFontSetDlg dialog(Settings(), lastDpiY_, services_ ? *services_ : DefaultSettingsServices(), this);
    dialog.exec();
    OnUpdate();
}

void CVoskView::OnEnterKey() {
    CEnterKeyDlg dialog(Settings().sheet.enterKeyMode, this);
    // With no choice selected (a setting outside the three) OK keeps it.
    if (dialog.exec() == QDialog::Accepted && dialog.Mode() >= 0) {
        Settings().sheet.enterKeyMode = dialog.Mode();
        SaveSheetSettings();
    }
    OnUpdate();
}

void CVoskView::OnSetup() {
    SettingsStore& store = Settings();
    CSetupDlg dialog(FieldToQString(store.installDrive), FieldToQString(store.installFolderPath), this);
    if (dialog.exec() == QDialog::Accepted) {
        std::optional<InstallLocation> location;
        FieldText drive, folder;
        if (TakeFieldText(dialog.Drive(), FieldKind::Heading, nullptr, drive) &&
            TakeFieldText(dialog.Folder(), FieldKind::Heading, nullptr, folder)) {
            location = CheckInstallLocation(drive, folder);
            if (!location) ShowMessage(std::string(kBadPathText));
        }
        if (location && !ChangeInstallLocation(store, Survey(), *location))
            ShowMessage(SaveFailedText({RealPath(LocationFileWindowsPath()).string()}));
    }
    OnUpdate();
}

void CVoskView::OnGuide() {
    CGuideDlg dialog(Settings(), services_ ? *services_ : DefaultSettingsServices(), this);
    dialog.exec();
    OnUpdate();
}

}  // namespace vosk
