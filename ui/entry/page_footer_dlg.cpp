#include "ui/entry/page_footer_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/enter_key_filter.h"
#include "ui/widgets/field_guard.h"

namespace vosk {

CPageFooterDlg::CPageFooterDlg(const FooterForm& form, int paperW, int paperH, const SettingsStore& settings,
                               QWidget* parent)
    : QDialog(parent), form_(form), paperW_(paperW), topLimit_(paperH - 16) {
    setWindowTitle(QStringLiteral("ページ・フッタ"));
    auto label = [this](const char* t) { return new QLabel(QString::fromUtf8(t), this); };

    auto* format = new QGroupBox(QStringLiteral("書式"), this);
    auto* fl = new QGridLayout(format);
    before_ = new QComboBox(format);
    before_->setEditable(true);
    for (const char* t : {"   <無し>", "-", "("}) before_->addItem(QString::fromUtf8(t));
    startPage_ = new QLineEdit(format);
    after_ = new QComboBox(format);
    after_->setEditable(true);
    for (const char* t : {"", "-", ")"}) after_->addItem(QString::fromUtf8(t));
    // Room for a few characters such as " -" beside the arrow.
    for (QComboBox* box : {before_, after_}) {
        box->setMinimumContentsLength(4);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    sample_ = new QLineEdit(format);
    sample_->setReadOnly(true);
    sample_->setAlignment(Qt::AlignCenter);
    fl->addWidget(label("前文字"), 0, 0);
    fl->addWidget(label("頁(開始頁)"), 0, 1);
    fl->addWidget(label("後文字"), 0, 2);
    fl->addWidget(before_, 1, 0);
    fl->addWidget(startPage_, 1, 1);
    fl->addWidget(after_, 1, 2);
    fl->addWidget(sample_, 2, 0, 1, 3);

    auto* position = new QGroupBox(QStringLiteral("表示位置"), this);
    auto* pl = new QVBoxLayout(position);
    auto* top = new QGroupBox(QStringLiteral("トップマージン mm"), position);
    auto* tl = new QGridLayout(top);
    vertical_ = new QButtonGroup(this);
    auto* fromTop = new QRadioButton(QStringLiteral("用紙上端から"), top);
    auto* fromLine = new QRadioButton(QStringLiteral("下線から"), top);
    vertical_->addButton(fromTop, 0);
    vertical_->addButton(fromLine, 1);
    topMm_ = new QLineEdit(top);
    belowLineMm_ = new QLineEdit(top);
    auto* sameAsCompany = new QPushButton(QStringLiteral("←"), top);
    sameAsCompany->setAutoDefault(false);
    tl->addWidget(fromTop, 0, 0);
    tl->addWidget(topMm_, 0, 1);
    tl->addWidget(fromLine, 1, 0);
    tl->addWidget(belowLineMm_, 1, 1);
    tl->addWidget(sameAsCompany, 1, 2);
    tl->addWidget(label("社名と同じ位置"), 1, 3);
    auto* left = new QGroupBox(QStringLiteral("レフトマージン mm"), position);
    auto* ll = new QGridLayout(left);
    horizontal_ = new QButtonGroup(this);
    auto* fromLeft = new QRadioButton(QStringLiteral("用紙左端から"), left);
    auto* centred = new QRadioButton(QStringLiteral("用紙左右中央"), left);
    horizontal_->addButton(fromLeft, 0);
    horizontal_->addButton(centred, 1);
    leftMm_ = new QLineEdit(left);
    centreMm_ = new QLineEdit(left);
    centreMm_->setReadOnly(true);
    ll->addWidget(fromLeft, 0, 0);
    ll->addWidget(leftMm_, 0, 1);
    ll->addWidget(centred, 1, 0);
    ll->addWidget(centreMm_, 1, 1);
    pl->addWidget(top);
    pl->addWidget(left);

    auto* standard = new QPushButton(QStringLiteral("標準の設定"), this);
    standard->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addWidget(position);
    layout->addWidget(standard);
    layout->addWidget(buttons);

    // Names by heading field, for tests and accessibility tools.
    const std::pair<QWidget*, int> named[] = {
        {before_, heading::kFooterBefore},     {startPage_, heading::kFooterStartPage},
        {after_, heading::kFooterAfter},       {topMm_, heading::kFooterTopMm},
        {belowLineMm_, heading::kFooterBelowLineMm}, {leftMm_, heading::kFooterLeftMm},
        {centreMm_, heading::kFooterCentreMm}};
    for (auto [w, field] : named) w->setObjectName(HeadingFieldName(field));
    sample_->setObjectName(QStringLiteral("sample"));
    fromTop->setObjectName(QStringLiteral("fromTop"));
    standard->setObjectName(QStringLiteral("standard"));
    for (QLineEdit* e : {startPage_, topMm_, belowLineMm_, leftMm_}) GuardFieldText(e, FieldKind::Heading);
    GuardFieldText(before_, FieldKind::Heading);
    GuardFieldText(after_, FieldKind::Heading);

    PrepareFooterForm(form_, paperW_, topLimit_);
    ShowForm();

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(standard, &QPushButton::clicked, this, &CPageFooterDlg::OnStandard);
    connect(sameAsCompany, &QPushButton::clicked, this, [this] { belowLineMm_->setText(QStringLiteral("2.0")); });
    connect(vertical_, &QButtonGroup::idClicked, this, &CPageFooterDlg::UpdateEnabling);
    connect(horizontal_, &QButtonGroup::idClicked, this, &CPageFooterDlg::UpdateEnabling);
    // The sample follows when the start page or the text after it is left,
    // and when the sample itself gets the focus.
    for (QWidget* w : {static_cast<QWidget*>(startPage_), static_cast<QWidget*>(after_),
                       static_cast<QWidget*>(before_), static_cast<QWidget*>(sample_)})
        w->installEventFilter(this);
    EnterKeyFilter::Install(this, settings.sheet.enterKeyMode);
}

void CPageFooterDlg::ShowForm() {
    before_->setEditText(FieldToQString(form_.before));
    startPage_->setText(FieldToQString(form_.startPage));
    after_->setEditText(FieldToQString(form_.after));
    topMm_->setText(FieldToQString(form_.topMm));
    belowLineMm_->setText(FieldToQString(form_.belowLineMm));
    leftMm_->setText(FieldToQString(form_.leftMm));
    centreMm_->setText(FieldToQString(form_.centreMm));
    vertical_->button(form_.fromBottomLine == 1 ? 1 : 0)->setChecked(true);
    horizontal_->button(form_.centred == 1 ? 1 : 0)->setChecked(true);
    UpdateSample();
    UpdateEnabling();
}

bool CPageFooterDlg::TakeTexts(FooterForm& f) {
    return TakeFieldText(before_->currentText(), FieldKind::Heading, before_, f.before) &&
           TakeFieldText(startPage_->text(), FieldKind::Heading, startPage_, f.startPage) &&
           TakeFieldText(after_->currentText(), FieldKind::Heading, after_, f.after) &&
           TakeFieldText(topMm_->text(), FieldKind::Heading, topMm_, f.topMm) &&
           TakeFieldText(belowLineMm_->text(), FieldKind::Heading, belowLineMm_, f.belowLineMm) &&
           TakeFieldText(leftMm_->text(), FieldKind::Heading, leftMm_, f.leftMm);
}

void CPageFooterDlg::UpdateSample() {
    FooterForm f = form_;
    if (TakeTexts(f)) sample_->setText(FieldToQString(FooterSample(f)));
}

void CPageFooterDlg::UpdateEnabling() {
    bool fromLine = vertical_->checkedId() == 1;
    topMm_->setEnabled(!fromLine);
    belowLineMm_->setEnabled(fromLine);
    leftMm_->setEnabled(horizontal_->checkedId() == 0);
}

void CPageFooterDlg::OnStandard() {
    FooterForm f = form_;
    if (!TakeTexts(f)) return;
    f.fromBottomLine = vertical_->checkedId();
    f.centred = horizontal_->checkedId();
    ApplyStandardFooter(f, paperW_, topLimit_);
    form_ = f;
    ShowForm();
}

void CPageFooterDlg::OnLeaveBefore() {
    FooterForm f = form_;
    if (!TakeTexts(f)) return;
    LeaveBeforeText(f);
    before_->setEditText(FieldToQString(f.before));
    after_->setEditText(FieldToQString(f.after));
    sample_->setText(FieldToQString(FooterSample(f)));
}

bool CPageFooterDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == before_)
            OnLeaveBefore();
        else if (watched == startPage_ || watched == after_)
            UpdateSample();
    } else if (event->type() == QEvent::FocusIn && watched == sample_) {
        UpdateSample();
    }
    return QDialog::eventFilter(watched, event);
}

void CPageFooterDlg::done(int result) {
    if (result == QDialog::Accepted) {
        FooterForm f = form_;
        if (!TakeTexts(f)) return;
        f.fromBottomLine = vertical_->checkedId();
        f.centred = horizontal_->checkedId();
        if (FooterMayLeaveThePaper(f, topLimit_)) ShowMessage(message::kFooterOffPaper, Cp932ToUtf8(f.topMm));
        form_ = f;
    }
    QDialog::done(result);
}

}  // namespace vosk
