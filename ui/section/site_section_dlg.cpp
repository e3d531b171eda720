#include "ui/section/site_section_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/qt_canvas.h"
#include "platform/sheet_output.h"
#include "platform/string_table.h"
#include "render/site_section_drawing.h"
#include "settings/settings_store.h"

namespace vosk {
namespace {

QString U(const std::string& utf8) { return QString::fromStdString(utf8); }
// The section names its files in UTF-8 on every system.
std::string Path(const QString& path) { return path.toStdString(); }
QString Shown(const std::string& path) { return U(path); }

void ShowRefusal(const SectionRefusal& r) {
    if (r) ShowMessage(r.text);
}

// Table columns.
enum { kPositionColumn, kNameColumn, kElevationColumn, kFileColumn, kColumnCount };

}  // namespace

SectionPreview::SectionPreview(const SettingsStore& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    setMinimumSize(297, 210);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SectionPreview::Show(const SiteSection* section) {
    shown_ = section != nullptr;
    section_ = section ? *section : SiteSection{};
    update();
}

void SectionPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    // The page as large as fits, centred.
    const double scale = std::min((width() - 8) / kSectionPageWidthMm, (height() - 8) / kSectionPageHeightMm);
    if (!(scale > 0)) return;
    const int dpi = std::max(1, static_cast<int>(std::floor(scale * 25.4)));
    const QSize page(static_cast<int>(kSectionPageWidthMm * dpi / 25.4), static_cast<int>(kSectionPageHeightMm * dpi / 25.4));
    painter.translate((width() - page.width()) / 2, (height() - page.height()) / 2);
    painter.fillRect(QRect(QPoint(0, 0), page), shown_ ? Qt::white : palette().color(QPalette::Window));
    if (!shown_) return;
    painter.setClipRect(QRect(QPoint(0, 0), page));
    QtCanvas canvas(&painter, dpi, dpi);
    canvas.SetScreenText(true);
    DrawSiteSection(canvas, section_, settings_);
}

CSiteSectionDlg::CSiteSectionDlg(const SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("断面図"));
    auto* layout = new QHBoxLayout(this);

    // Left: the sheets and the options.
    auto* left = new QVBoxLayout;
    table_ = new QTableWidget(0, kColumnCount);
    table_->setObjectName(QStringLiteral("points"));
    table_->setHorizontalHeaderLabels({QStringLiteral("位置 m"), QStringLiteral("地点"), QStringLiteral("地盤高"),
                                       QStringLiteral("ファイル")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setMinimumWidth(330);
    left->addWidget(table_, 1);

    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("追加(&A)..."));
    remove_ = new QPushButton(QStringLiteral("削除(&D)"));
    up_ = new QPushButton(QStringLiteral("上へ(&U)"));
    down_ = new QPushButton(QStringLiteral("下へ(&N)"));
    add->setObjectName(QStringLiteral("add"));
    remove_->setObjectName(QStringLiteral("remove"));
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    for (QPushButton* b : {add, remove_, up_, down_}) rowButtons->addWidget(b);
    left->addLayout(rowButtons);

    auto* options = new QGridLayout;
    threshold_ = new QLineEdit(U(list_.Threshold()));
    threshold_->setObjectName(QStringLiteral("threshold"));
    threshold_->setMaximumWidth(80);
    auto* thresholdLabel = new QLabel(QStringLiteral("しきい値 Nd:"));
    thresholdLabel->setBuddy(threshold_);
    options->addWidget(thresholdLabel, 0, 0);
    options->addWidget(threshold_, 0, 1);
    byDepth_ = new QCheckBox(QStringLiteral("深さで並べる (地盤高を使わない)(&B)"));
    options->addWidget(byDepth_, 1, 0, 1, 3);
    options->setColumnStretch(2, 1);
    left->addLayout(options);

    note_ = new QLabel;
    note_->setWordWrap(true);
    note_->setObjectName(QStringLiteral("note"));
    left->addWidget(note_);

    auto* outputButtons = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("印刷(&P)..."));
    auto* save = new QPushButton(QStringLiteral("保存(&S)..."));
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    outputButtons->addWidget(print);
    outputButtons->addWidget(save);
    outputButtons->addStretch();
    outputButtons->addWidget(close);
    left->addLayout(outputButtons);
    layout->addLayout(left, 0);

    preview_ = new SectionPreview(settings_);
    layout->addWidget(preview_, 1);

    // Enter in the threshold or a position only takes the value: no button
    // is the default.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(add, &QPushButton::clicked, this, &CSiteSectionDlg::OnAdd);
    connect(remove_, &QPushButton::clicked, this, &CSiteSectionDlg::OnRemove);
    connect(up_, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { OnMove(1); });
    connect(print, &QPushButton::clicked, this, &CSiteSectionDlg::OnPrint);
    connect(save, &QPushButton::clicked, this, &CSiteSectionDlg::OnSave);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != kPositionColumn) return;
        list_.SetPosition(static_cast<size_t>(item->row()), item->text().toStdString());
        Refresh();
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { FillTable(table_->currentRow()); });
    connect(threshold_, &QLineEdit::textChanged, this, [this](const QString& text) {
        list_.SetThreshold(text.toStdString());
        Refresh();
    });
    connect(byDepth_, &QCheckBox::toggled, this, [this](bool on) {
        if (SectionRefusal r = list_.SetByDepth(on)) {
            ShowRefusal(r);
            QSignalBlocker block(byDepth_);
            byDepth_->setChecked(list_.ByDepth());
        }
        Refresh();
    });
    FillTable(-1);
    Refresh();
    resize(1100, 560);
}

CSiteSectionDlg::~CSiteSectionDlg() {
    // Hiding the dialog on its way out can still commit an open cell editor:
    // nothing may reach the list, which is gone by then.
    for (QObject* sender : {static_cast<QObject*>(table_), static_cast<QObject*>(threshold_),
                            static_cast<QObject*>(byDepth_)})
        disconnect(sender, nullptr, this, nullptr);
}

void CSiteSectionDlg::FillTable(int current) {
    if (filling_) return;
    filling_ = true;
    const auto& rows = list_.Rows();
    if (table_->rowCount() != static_cast<int>(rows.size())) table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const Site::Row& row = rows[static_cast<size_t>(r)];
        const SectionPoint p = MakeSectionPoint(*row.point.sheet.survey, row.point.sheet.file, 0, 1, false);
        const QString texts[kColumnCount] = {U(row.position), U(Cp932ToUtf8(p.name)),
                                             p.hasElevation ? U(Cp932ToUtf8(row.point.sheet.survey->heading[heading::kElevation])) : QString(),
                                             QFileInfo(Shown(row.point.sheet.file)).fileName()};
        for (int c = 0; c < kColumnCount; ++c) {
            QTableWidgetItem* item = table_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (c != kPositionColumn) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                table_->setItem(r, c, item);
            }
            if (item->text() != texts[c]) item->setText(texts[c]);
            if (c == kFileColumn) item->setToolTip(Shown(row.point.sheet.file));
        }
    }
    if (current >= static_cast<int>(rows.size())) current = static_cast<int>(rows.size()) - 1;
    if (current >= 0 && table_->currentRow() != current) table_->setCurrentCell(current, kPositionColumn);
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    const int at = table_->currentRow();
    remove_->setEnabled(at >= 0);
    up_->setEnabled(at > 0);
    down_->setEnabled(at >= 0 && at + 1 < static_cast<int>(rows.size()));
    filling_ = false;
}

bool CSiteSectionDlg::Refresh() {
    SiteSection section;
    SectionRefusal r = list_.Build(section);
    if (r) {
        // An empty list is no fault: the page just stays empty.
        note_->setText(r.kind == SectionRefusal::NoPoints ? QStringLiteral("データシートを追加してください")
                                                           : U(r.text));
        preview_->Show(nullptr);
        return false;
    }
    note_->setText(U(DatumWarning(section)));
    preview_->Show(&section);
    return true;
}

bool CSiteSectionDlg::AddFiles(const QStringList& files) {
    bool added = false;
    for (const QString& f : files) {
        if (SectionRefusal r = list_.AddFile(Path(f))) {
            ShowRefusal(r);
            if (r.kind == SectionRefusal::TooManyPoints) break;
            continue;
        }
        added = true;
    }
    FillTable(added ? static_cast<int>(list_.Count()) - 1 : table_->currentRow());
    Refresh();
    return added;
}

void CSiteSectionDlg::OnAdd() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("データシートを追加"), QString(),
        QStringLiteral("簡易動的ｺｰﾝ貫入試験ﾃﾞｰﾀ (*.vkr);;すべてのファイル (*)"));
    if (!files.isEmpty()) AddFiles(files);
}

void CSiteSectionDlg::OnRemove() {
    const int at = table_->currentRow();
    if (at < 0 || !list_.Remove(static_cast<size_t>(at))) return;
    FillTable(at);
    Refresh();
}

void CSiteSectionDlg::OnMove(int step) {
    const int at = table_->currentRow();
    if (at < 0) return;
    const bool moved = step < 0 ? list_.MoveUp(static_cast<size_t>(at)) : list_.MoveDown(static_cast<size_t>(at));
    if (!moved) return;
    FillTable(at + step);
    Refresh();
}

bool CSiteSectionDlg::SectionForOutput(SiteSection& section) {
    SectionRefusal r = list_.Build(section);
    ShowRefusal(r);
    return !r;
}

bool CSiteSectionDlg::SaveTo(const QString& path) {
    SiteSection section;
    if (!SectionForOutput(section)) return false;
    auto draw = [&](Canvas& canvas) { DrawSiteSection(canvas, section, settings_); };
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::filesystem::path file(path.toStdU16String());
    bool ok;
    if (suffix == QLatin1String("svg")) {
        ok = WritePageSvg(file, kSectionPictureDpi, draw, PageOrientation::Landscape);
    } else if (suffix == QLatin1String("png")) {
        ok = WritePagePng(file, kSectionPictureDpi, draw, PageOrientation::Landscape);
    } else {
        PdfOutput pdf(file, kPaperDpi, PageOrientation::Landscape);
        if (Canvas* canvas = pdf.BeginPage()) draw(*canvas);
        ok = pdf.Finish();
    }
    if (!ok) ShowMessage(message::kSaveFailed);
    return ok;
}

void CSiteSectionDlg::OnSave() {
    SiteSection section;
    if (!SectionForOutput(section)) return;
    QString selected;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("断面図の保存"), QStringLiteral("断面図.pdf"),
                                                QStringLiteral("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"), &selected);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += selected.contains(QLatin1String("svg")) ? QStringLiteral(".svg")
                                                  : selected.contains(QLatin1String("png")) ? QStringLiteral(".png")
                                                                                            : QStringLiteral(".pdf");
    SaveTo(path);
}

bool CSiteSectionDlg::PrintTo(QPrinter& printer) {
    SiteSection section;
    if (!SectionForOutput(section)) return false;
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(message::kDeviceError);
        return false;
    }
    // Drawn on the paper grid and scaled to the printer, as the sheet is.
    painter.setTransform(QTransform::fromScale(static_cast<double>(printer.logicalDpiX()) / kPaperDpi,
                                               static_cast<double>(printer.logicalDpiY()) / kPaperDpi));
    QtCanvas canvas(&painter, kPaperDpi, kPaperDpi);
    DrawSiteSection(canvas, section, settings_);
    painter.end();
    return true;
}

void CSiteSectionDlg::OnPrint() {
    SiteSection section;
    if (!SectionForOutput(section)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

}  // namespace vosk
