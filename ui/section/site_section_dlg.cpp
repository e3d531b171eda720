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
#include <QMenu>
#include <QProgressDialog>
#include <QSpinBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "platform/qt_canvas.h"
#include "platform/sheet_output.h"
#include "platform/string_table.h"
#include "render/site_section_drawing.h"
#include "settings/settings_store.h"
#include "site/delivery.h"
#include "site/site_file.h"

namespace vosk {
namespace {

QString U(const std::string& utf8) { return QString::fromStdString(utf8); }
// The section names its files in UTF-8 on every system.
std::string Path(const QString& path) { return path.toStdString(); }
QString Shown(const std::string& path) { return U(path); }

void ShowRefusal(const SectionRefusal& r) {
    if (r) ShowMessage(r.text);
}

// The columns that edit a value of the point, with the field they edit.
struct PointColumn {
    int column;
    PointField field;
};
constexpr PointColumn kPointColumns[] = {
    {CSiteSectionDlg::kLatitudeColumn, PointField::Latitude},
    {CSiteSectionDlg::kLongitudeColumn, PointField::Longitude},
    {CSiteSectionDlg::kMethodCodeColumn, PointField::MethodCode},
    {CSiteSectionDlg::kMethodColumn, PointField::Method},
    {CSiteSectionDlg::kAccuracyColumn, PointField::Accuracy},
};

bool IsEditable(int column) {
    if (column == CSiteSectionDlg::kPositionColumn) return true;
    for (const PointColumn& c : kPointColumns)
        if (c.column == column) return true;
    return false;
}

const char* const kSiteFilter = "地点ファイル (*.vks);;すべてのファイル (*)";

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
    DrawSiteSection(canvas, section_, settings_);
}

CSiteSectionDlg::CSiteSectionDlg(const SettingsStore& settings, QWidget* parent, RecentSites* recent)
    : QDialog(parent), settings_(settings), recent_(recent) {
    setWindowTitle(QStringLiteral("地点一覧・断面図"));
    auto* layout = new QHBoxLayout(this);

    // Left: the points, the survey's values and what is made from them.
    auto* left = new QVBoxLayout;
    table_ = new QTableWidget(0, kColumnCount);
    table_->setObjectName(QStringLiteral("points"));
    table_->setHorizontalHeaderLabels({QStringLiteral("位置 m"), QStringLiteral("地点"), QStringLiteral("地盤高"),
                                       QStringLiteral("緯度 (度 分 秒)"), QStringLiteral("経度 (度 分 秒)"),
                                       QStringLiteral("取得方法コード"), QStringLiteral("取得方法"),
                                       QStringLiteral("読取精度"), QStringLiteral("ファイル")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setMinimumWidth(560);
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
    rowButtons->addStretch();
    auto* open = new QPushButton(QStringLiteral("地点ファイルを開く(&O)..."));
    auto* saveSite = new QPushButton(QStringLiteral("地点ファイルの保存(&W)..."));
    recentButton_ = new QPushButton(QStringLiteral("最近の地点ファイル(&R)"));
    open->setObjectName(QStringLiteral("openSite"));
    saveSite->setObjectName(QStringLiteral("saveSite"));
    recentButton_->setObjectName(QStringLiteral("recentSites"));
    recentButton_->setMenu(new QMenu(recentButton_));
    for (QPushButton* b : {open, saveSite, recentButton_}) rowButtons->addWidget(b);
    left->addLayout(rowButtons);

    auto* options = new QGridLayout;
    auto label = [](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text));
        l->setBuddy(buddy);
        return l;
    };
    client_ = new QLineEdit(U(list_.Client()));
    client_->setObjectName(QStringLiteral("client"));
    datum_ = new QLineEdit(U(list_.Datum()));
    datum_->setObjectName(QStringLiteral("datum"));
    datum_->setMaximumWidth(80);
    threshold_ = new QLineEdit(U(list_.Threshold()));
    threshold_->setObjectName(QStringLiteral("threshold"));
    threshold_->setMaximumWidth(80);
    options->addWidget(label("発注機関名称(&C):", client_), 0, 0);
    options->addWidget(client_, 0, 1, 1, 3);
    options->addWidget(label("測地系コード(&G):", datum_), 1, 0);
    options->addWidget(datum_, 1, 1);
    options->addWidget(label("しきい値 Nd:", threshold_), 1, 2);
    options->addWidget(threshold_, 1, 3);
    byDepth_ = new QCheckBox(QStringLiteral("深さで並べる (地盤高を使わない)(&B)"));
    options->addWidget(byDepth_, 2, 0, 1, 4);
    firstDrawn_ = new QSpinBox;
    firstDrawn_->setObjectName(QStringLiteral("firstDrawn"));
    firstDrawn_->setRange(1, 1);
    options->addWidget(label("断面図の最初の地点:", firstDrawn_), 3, 0);
    options->addWidget(firstDrawn_, 3, 1);
    options->setColumnStretch(4, 1);
    left->addLayout(options);

    drawnNote_ = new QLabel;
    drawnNote_->setObjectName(QStringLiteral("drawnNote"));
    left->addWidget(drawnNote_);
    note_ = new QLabel;
    note_->setWordWrap(true);
    note_->setObjectName(QStringLiteral("note"));
    left->addWidget(note_);

    auto* outputButtons = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("印刷(&P)..."));
    auto* save = new QPushButton(QStringLiteral("断面図の保存(&S)..."));
    auto* deliver = new QPushButton(QStringLiteral("電子納品(&E)..."));
    deliver->setObjectName(QStringLiteral("deliver"));
    firstSite_ = new QSpinBox;
    firstSite_->setObjectName(QStringLiteral("firstSite"));
    firstSite_->setRange(1, kMaxSiteNumber);
    firstSite_->setPrefix(QStringLiteral("SIT"));
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    outputButtons->addWidget(print);
    outputButtons->addWidget(save);
    outputButtons->addWidget(deliver);
    outputButtons->addWidget(label("最初の番号:", firstSite_));
    outputButtons->addWidget(firstSite_);
    outputButtons->addStretch();
    outputButtons->addWidget(close);
    left->addLayout(outputButtons);
    layout->addLayout(left, 0);

    preview_ = new SectionPreview(settings_);
    layout->addWidget(preview_, 1);

    // Enter in the threshold or a cell only takes the value: no button is
    // the default.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(add, &QPushButton::clicked, this, &CSiteSectionDlg::OnAdd);
    connect(remove_, &QPushButton::clicked, this, &CSiteSectionDlg::OnRemove);
    connect(up_, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { OnMove(1); });
    connect(open, &QPushButton::clicked, this, &CSiteSectionDlg::OnOpenSite);
    connect(saveSite, &QPushButton::clicked, this, &CSiteSectionDlg::OnSaveSite);
    connect(print, &QPushButton::clicked, this, &CSiteSectionDlg::OnPrint);
    connect(save, &QPushButton::clicked, this, &CSiteSectionDlg::OnSave);
    connect(deliver, &QPushButton::clicked, this, &CSiteSectionDlg::OnDeliver);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_) OnCellChanged(item->row(), item->column(), item->text());
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { FillTable(table_->currentRow()); });
    connect(threshold_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (filling_) return;
        list_.SetThreshold(text.toStdString());
        Changed();
    });
    // The survey's texts are checked when the user has typed them.
    connect(client_, &QLineEdit::editingFinished, this, [this] {
        if (client_->text().toStdString() == list_.Client()) return;
        if (SiteRefusal r = list_.SetClient(client_->text().toStdString())) ShowMessage(r.text);
        else Changed();
        FillSurveyFields();
    });
    connect(datum_, &QLineEdit::editingFinished, this, [this] {
        if (datum_->text().toStdString() == list_.Datum()) return;
        if (SiteRefusal r = list_.SetDatum(datum_->text().toStdString())) ShowMessage(r.text);
        else Changed();
        FillSurveyFields();
    });
    connect(byDepth_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        if (SectionRefusal r = list_.SetByDepth(on)) {
            ShowRefusal(r);
            QSignalBlocker block(byDepth_);
            byDepth_->setChecked(list_.ByDepth());
        } else {
            modified_ = true;
        }
        Refresh();
    });
    connect(firstDrawn_, &QSpinBox::valueChanged, this, [this] {
        if (!filling_) Refresh();
    });
    RebuildRecentMenu();
    FillTable(-1);
    Refresh();
    resize(1320, 640);
}

CSiteSectionDlg::~CSiteSectionDlg() {
    // Hiding the dialog on its way out can still commit an open cell editor:
    // nothing may reach the list, which is gone by then.
    for (QObject* sender : {static_cast<QObject*>(table_), static_cast<QObject*>(threshold_),
                            static_cast<QObject*>(client_), static_cast<QObject*>(datum_),
                            static_cast<QObject*>(byDepth_), static_cast<QObject*>(firstDrawn_)})
        disconnect(sender, nullptr, this, nullptr);
}

void CSiteSectionDlg::OnCellChanged(int row, int column, const QString& text) {
    const size_t r = static_cast<size_t>(row);
    if (column == kPositionColumn) {
        list_.SetPosition(r, text.toStdString());
        Changed();
        return;
    }
    for (const PointColumn& c : kPointColumns) {
        if (c.column != column) continue;
        if (list_.Rows()[r].point.Field(c.field) == text.toStdString()) return;
        if (SiteRefusal refusal = list_.SetPointField(r, c.field, text.toStdString())) ShowMessage(refusal.text);
        else modified_ = true;
        // The cell shows what the site holds: the tidy form, or the old value.
        FillTable(table_->currentRow());
        return;
    }
}

void CSiteSectionDlg::FillTable(int current) {
    if (filling_) return;
    filling_ = true;
    const auto& rows = list_.Rows();
    if (table_->rowCount() != static_cast<int>(rows.size())) table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const Site::Row& row = rows[static_cast<size_t>(r)];
        const SitePoint& point = row.point;
        QString texts[kColumnCount];
        texts[kPositionColumn] = U(row.position);
        if (point.sheet.survey) {
            const SectionPoint p = MakeSectionPoint(*point.sheet.survey, point.sheet.file, 0, 1, false);
            texts[kNameColumn] = U(Cp932ToUtf8(p.name));
            if (p.hasElevation) texts[kElevationColumn] = U(Cp932ToUtf8(point.sheet.survey->heading[heading::kElevation]));
        }
        for (const PointColumn& c : kPointColumns) texts[c.column] = U(point.Field(c.field));
        texts[kFileColumn] = QFileInfo(Shown(point.sheet.file)).fileName();
        // A sheet that could not be read stays in its row, marked, so the user can mend it.
        if (!point.sheet.survey) texts[kFileColumn] += QStringLiteral(" (読めません)");
        for (int c = 0; c < kColumnCount; ++c) {
            QTableWidgetItem* item = table_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (!IsEditable(c)) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                table_->setItem(r, c, item);
            }
            if (item->text() != texts[c]) item->setText(texts[c]);
            if (c == kFileColumn) {
                item->setToolTip(point.sheet.survey ? Shown(point.sheet.file)
                                                    : Shown(point.sheet.file) + QStringLiteral("\n") + U(point.unreadable));
                item->setForeground(point.sheet.survey ? palette().color(QPalette::Text) : QColor(Qt::red));
            }
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
    // The section draws kMaxSectionPoints from the point chosen.
    const int lastFirst = std::max(1, static_cast<int>(rows.size()) - kMaxSectionPoints + 1);
    firstDrawn_->setRange(1, lastFirst);
    firstDrawn_->setEnabled(lastFirst > 1);
    filling_ = false;
}

void CSiteSectionDlg::FillSurveyFields() {
    filling_ = true;
    client_->setText(U(list_.Client()));
    datum_->setText(U(list_.Datum()));
    threshold_->setText(U(list_.Threshold()));
    byDepth_->setChecked(list_.ByDepth());
    filling_ = false;
}

size_t CSiteSectionDlg::FirstDrawn() const { return static_cast<size_t>(firstDrawn_->value() - 1); }

void CSiteSectionDlg::Changed() {
    modified_ = true;
    Refresh();
}

bool CSiteSectionDlg::Refresh() {
    const size_t count = list_.Count();
    if (count > static_cast<size_t>(kMaxSectionPoints)) {
        const size_t first = FirstDrawn() + 1;
        drawnNote_->setText(QStringLiteral("断面図には %1〜%2 地点目を描きます (全 %3 地点、一度に %4 地点まで)")
                                .arg(first)
                                .arg(std::min(count, first + kMaxSectionPoints - 1))
                                .arg(count)
                                .arg(kMaxSectionPoints));
    } else {
        drawnNote_->clear();
    }
    SiteSection section;
    SectionRefusal r = list_.Build(section, FirstDrawn());
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
    if (added) modified_ = true;
    FillTable(added ? static_cast<int>(list_.Count()) - 1 : table_->currentRow());
    Refresh();
    return added;
}

bool CSiteSectionDlg::AddOpenSheet(const QString& file) {
    SectionSheet sheet;
    if (SectionRefusal r = ReadSectionSheet(Path(file), sheet)) {
        ShowRefusal(r);
        return false;
    }
    SitePoint point;
    point.sheet = std::move(sheet);
    if (SiteRefusal r = list_.Append(std::move(point), list_.NextPosition())) {
        ShowMessage(r.text);
        return false;
    }
    FillTable(static_cast<int>(list_.Count()) - 1);
    Refresh();
    return true;
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
    Changed();
}

void CSiteSectionDlg::OnMove(int step) {
    const int at = table_->currentRow();
    if (at < 0) return;
    const bool moved = step < 0 ? list_.MoveUp(static_cast<size_t>(at)) : list_.MoveDown(static_cast<size_t>(at));
    if (!moved) return;
    FillTable(at + step);
    Changed();
}

bool CSiteSectionDlg::MayDiscard() {
    if (!modified_ || list_.Count() == 0) return true;
    return ShowMessage("地点一覧の変更は保存されていません。保存しないで進めてよいですか？", MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}

void CSiteSectionDlg::reject() {
    if (MayDiscard()) QDialog::reject();
}

bool CSiteSectionDlg::OpenSite(const QString& file) {
    if (!MayDiscard()) return false;
    Site read;
    std::vector<std::string> notes;
    if (SiteRefusal r = ReadSiteFile(Path(file), read, notes)) {
        ShowMessage(r.text);
        return false;
    }
    list_ = std::move(read);
    siteFile_ = file;
    modified_ = false;
    if (recent_) recent_->Add(file);
    RebuildRecentMenu();
    FillSurveyFields();
    FillTable(list_.Count() ? 0 : -1);
    Refresh();
    // Sheets that could not be read are named once, together.
    std::string joined;
    for (const std::string& n : notes) joined += (joined.empty() ? "" : "\n") + n;
    if (!joined.empty()) ShowMessage(joined);
    return true;
}

bool CSiteSectionDlg::SaveSite(const QString& file) {
    if (SiteRefusal r = WriteSiteFile(list_, Path(file))) {
        ShowMessage(r.text);
        return false;
    }
    siteFile_ = file;
    modified_ = false;
    if (recent_) recent_->Add(file);
    RebuildRecentMenu();
    return true;
}

void CSiteSectionDlg::OnOpenSite() {
    if (!MayDiscard()) return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("地点ファイルを開く"), siteFile_,
                                                      QString::fromUtf8(kSiteFilter));
    if (!file.isEmpty()) {
        modified_ = false;  // already asked
        OpenSite(file);
    }
}

void CSiteSectionDlg::OnSaveSite() {
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("地点ファイルの保存"),
                                                siteFile_.isEmpty() ? QStringLiteral("地点一覧.vks") : siteFile_,
                                                QString::fromUtf8(kSiteFilter));
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".vks");
    SaveSite(file);
}

void CSiteSectionDlg::RebuildRecentMenu() {
    QMenu* menu = recentButton_->menu();
    menu->clear();
    const QStringList files = recent_ ? recent_->Files() : QStringList();
    int n = 0;
    for (const QString& f : files) {
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(f));
        connect(a, &QAction::triggered, this, [this, f] { OpenSite(f); });
    }
    recentButton_->setEnabled(!files.isEmpty());
}

bool CSiteSectionDlg::DeliverTo(const QString& dir) {
    DeliveryOptions options;
    options.dir = Path(dir);
    options.firstSite = firstSite_->value();
    std::unique_ptr<QProgressDialog> progress;
    if (list_.Count() > 1) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("電子納品を書いています..."),
                                                     QStringLiteral("中止"), 0, static_cast<int>(list_.Count()), this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(500);
        options.progress = [&progress](size_t done, size_t) {
            progress->setValue(static_cast<int>(done));
            return !progress->wasCanceled();
        };
    }
    DeliveryResult r = DeliverSite(list_, options, settings_, OpenSheetPdf);
    if (r.kind == DeliveryResult::TargetExists) {
        if (ShowMessage(r.text + "\n置き換えますか？", MessageButtons::YesNo) != MessageAnswer::Yes) return false;
        options.replace = true;
        r = DeliverSite(list_, options, settings_, OpenSheetPdf);
    }
    progress.reset();
    if (r.kind != DeliveryResult::Delivered) {
        ShowMessage(r.text);
        return false;
    }
    // Named with the system's separators, as the warnings after it name the sheets.
    std::string text = "電子納品を書きました: " + PathToUtf8(PathFromUtf8(options.dir).make_preferred()) + " (" +
                       std::to_string(list_.Count()) + " 地点)";
    for (const std::string& w : r.warnings) text += "\n" + w;
    ShowMessage(text);
    return true;
}

void CSiteSectionDlg::OnDeliver() {
    const QString dir = QFileDialog::getExistingDirectory(
        this, QStringLiteral("電子納品のフォルダ (BORING を置くフォルダ)"), QFileInfo(siteFile_).path());
    if (!dir.isEmpty()) DeliverTo(dir);
}

bool CSiteSectionDlg::SectionForOutput(SiteSection& section) {
    SectionRefusal r = list_.Build(section, FirstDrawn());
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
    // A build without SVG output does not offer it.
    const QString filters = SvgOutputAvailable() ? QStringLiteral("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)")
                                                 : QStringLiteral("PDF (*.pdf);;PNG (*.png)");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("断面図の保存"), QStringLiteral("断面図.pdf"),
                                                filters, &selected);
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
