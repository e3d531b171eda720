#include "ui/settings/line_style_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "settings/sheet_settings.h"
#include "ui/settings/settings_services.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/enter_key_filter.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

QLabel* Label(const char* text) { return new QLabel(QString::fromUtf8(text)); }

}  // namespace

using namespace line_style_control;

CLineStyleDlg::CLineStyleDlg(const LineStyleForm& form, const SettingsStore& settings, SettingsServices& services,
                             QWidget* parent)
    : QDialog(parent), form_(form), services_(services) {
    setWindowTitle(QStringLiteral("線種 調査業者名"));
    for (const LineStyleIntegerControl& c : LineStyleIntegerControls())
        edits_.insert(c.control, MakeSettingEdit(c.control, 40));
    for (const LineStyleColourControl& c : LineStyleColourControls())
        edits_.insert(c.control, MakeSettingEdit(c.control, 80));
    edits_.insert(kCompanyName, MakeSettingEdit(kCompanyName, 260));

    // A "色" button with the colour edit it belongs to.
    auto colourRow = [this](int editId, int buttonId) {
        auto* row = new QHBoxLayout;
        auto* button = new QPushButton(QStringLiteral("色"));
        button->setObjectName(ControlName(buttonId));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, editId] { ChooseColour(editId); });
        row->addWidget(Edit(editId));
        row->addWidget(button);
        return row;
    };

    auto* underline = new QGroupBox(QStringLiteral("調査件名の下線 "));
    auto* g1 = new QGridLayout(underline);
    g1->addWidget(Label("太さ"), 0, 0);
    g1->addWidget(Edit(kUnderlineWidth), 0, 1);
    g1->addWidget(Label("実線部"), 0, 2);
    g1->addWidget(Edit(kUnderlineDash), 0, 3);
    g1->addWidget(Label("空白部"), 0, 4);
    g1->addWidget(Edit(kUnderlineGap), 0, 5);

    auto* box = new QGroupBox(QStringLiteral("上下の横線"));
    auto* g2 = new QGridLayout(box);
    g2->addWidget(Label("太さ"), 0, 0);
    g2->addWidget(Edit(kBoxLineWidth), 0, 1);
    g2->addWidget(Label("タイトル枠線、"), 0, 2);
    g2->addWidget(Label("特記事項、"), 1, 2);
    g2->addWidget(Label("用紙下端の横線"), 2, 2);

    auto* frame = new QGroupBox(QStringLiteral("図表枠線"));
    auto* g3 = new QGridLayout(frame);
    g3->addWidget(Label("太さ"), 0, 0);
    g3->addWidget(Edit(kFrameLineWidth), 0, 1);

    auto* rules = new QGroupBox(QStringLiteral("表の横罫線"));
    auto* g4 = new QGridLayout(rules);
    g4->addWidget(Label("太さ"), 0, 0);
    g4->addWidget(Edit(kTableRuleWidth), 0, 1);
    g4->addWidget(Label("実線部"), 0, 2);
    g4->addWidget(Edit(kTableRuleDash), 0, 3);
    g4->addWidget(Label("空白部"), 0, 4);
    g4->addWidget(Edit(kTableRuleGap), 0, 5);
    g4->addLayout(colourRow(kTableRuleColour, kTableRuleColourButton), 1, 0, 1, 3);
    colour_ = new QRadioButton(QStringLiteral("カラー"));
    colour_->setObjectName(ControlName(kColour));
    monochrome_ = new QRadioButton(QStringLiteral("白黒"));
    monochrome_->setObjectName(ControlName(kMonochrome));
    auto* modes = new QButtonGroup(this);
    modes->addButton(colour_);
    modes->addButton(monochrome_);
    g4->addWidget(colour_, 1, 3);
    g4->addWidget(monochrome_, 1, 4);
    connect(colour_, &QRadioButton::clicked, this, &CLineStyleDlg::ApplyMode);
    connect(monochrome_, &QRadioButton::clicked, this, &CLineStyleDlg::ApplyMode);

    auto* graph = new QGroupBox(QStringLiteral("グラフ"));
    auto* g5 = new QGridLayout(graph);
    g5->addWidget(Label("グリッド1"), 0, 0);
    g5->addWidget(Label("太さ"), 0, 1);
    g5->addWidget(Edit(kGrid1Width), 0, 2);
    g5->addLayout(colourRow(kGrid1Colour, kGrid1ColourButton), 0, 3);
    g5->addWidget(Label("グリッド2"), 1, 0);
    g5->addWidget(Label("太さ"), 1, 1);
    g5->addWidget(Edit(kGrid2Width), 1, 2);
    g5->addLayout(colourRow(kGrid2Colour, kGrid2ColourButton), 1, 3);

    auto* plot = new QGroupBox(QStringLiteral("データプロット"));
    auto* g6 = new QGridLayout(plot);
    g6->addWidget(Label("折れ線"), 0, 0);
    g6->addWidget(Label("太さ"), 0, 1);
    g6->addWidget(Edit(kPlotLineWidth), 0, 2);
    g6->addWidget(Label("○印"), 1, 0);
    g6->addWidget(Label("太さ"), 1, 1);
    g6->addWidget(Edit(kPlotMarkWidth), 1, 2);

    auto* company = new QGroupBox(QStringLiteral("名称"));
    auto* g7 = new QVBoxLayout(company);
    g7->addWidget(Label("社名・調査業者名の初期設定"));
    g7->addWidget(Edit(kCompanyName));

    auto standardButton = [this](const char* caption, int id, bool fine) {
        auto* button = new QPushButton(QString::fromUtf8(caption));
        button->setObjectName(ControlName(id));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, fine] { OnStandard(fine); });
        return button;
    };
    auto* bottom = MakeButtonRow(this, {Label("単位 ピクセル"), standardButton("カラー 標準", kColourStandard, false),
                                        standardButton("カラー 細密", kColourFine, true)});

    auto* layout = new QVBoxLayout(this);
    for (QWidget* group : {static_cast<QWidget*>(underline), static_cast<QWidget*>(box), static_cast<QWidget*>(frame),
                           static_cast<QWidget*>(rules), static_cast<QWidget*>(graph), static_cast<QWidget*>(plot),
                           static_cast<QWidget*>(company)})
        layout->addWidget(group);
    layout->addLayout(bottom);

    SetTabOrder(this, {kUnderlineWidth, kUnderlineDash, kUnderlineGap, kBoxLineWidth, kFrameLineWidth, kTableRuleWidth,
                       kTableRuleDash, kTableRuleGap, kTableRuleColour, kTableRuleColourButton, kColour, kMonochrome,
                       kGrid1Width, kGrid1Colour, kGrid1ColourButton, kGrid2Width, kGrid2Colour, kGrid2ColourButton,
                       kPlotLineWidth, kPlotMarkWidth, kCompanyName, kColourStandard, kColourFine});
    for (const LineStyleColourControl& c : LineStyleColourControls()) {
        const int id = c.control;
        connect(Edit(id), &QLineEdit::textChanged, this, [this, id] { PaintColour(id); });
    }
    EnterKeyFilter::Install(this, settings.sheet.enterKeyMode);
    Show(form_);
}

void CLineStyleDlg::Show(const LineStyleForm& form) {
    for (const LineStyleIntegerControl& c : LineStyleIntegerControls())
        Edit(c.control)->setText(FieldToQString(form.*c.text));
    for (const LineStyleColourControl& c : LineStyleColourControls()) {
        Edit(c.control)->setText(FieldToQString(form.*c.text));
        PaintColour(c.control);
    }
    Edit(kCompanyName)->setText(FieldToQString(form.companyName));
    (form.monochrome ? monochrome_ : colour_)->setChecked(true);
    ApplyMode();
}

void CLineStyleDlg::ApplyMode() {
    const bool colourMode = colour_->isChecked();
    // Coloured rules are drawn solid: no dash, no gap.
    Edit(kTableRuleColour)->setEnabled(true);
    if (colourMode) Edit(kTableRuleGap)->setText(QStringLiteral("0"));
    Edit(kTableRuleDash)->setEnabled(!colourMode);
    Edit(kTableRuleGap)->setEnabled(!colourMode);
}

void CLineStyleDlg::PaintColour(int id) {
    QLineEdit* edit = Edit(id);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, ToQColor(ParseColour(edit->text().toStdString())));
    edit->setPalette(palette);
}

void CLineStyleDlg::ChooseColour(int id) {
    QLineEdit* edit = Edit(id);
    if (auto chosen = services_.ChooseColour(ParseColour(edit->text().toStdString()), this))
        edit->setText(FieldToQString(FormatColourText(*chosen)));
    PaintColour(id);
}

void CLineStyleDlg::OnStandard(bool fine) {
    LineStyleForm standard;
    ApplyStandardLineStyle(standard, fine);
    // The company name is no part of the standard set: it stays as typed.
    for (const LineStyleIntegerControl& c : LineStyleIntegerControls())
        Edit(c.control)->setText(FieldToQString(standard.*c.text));
    for (const LineStyleColourControl& c : LineStyleColourControls())
        Edit(c.control)->setText(FieldToQString(standard.*c.text));
    colour_->setChecked(true);
    ApplyMode();
}

void CLineStyleDlg::accept() {
    LineStyleForm taken = form_;
    for (const LineStyleIntegerControl& c : LineStyleIntegerControls())
        if (!TakeFieldText(Edit(c.control)->text(), FieldKind::Heading, Edit(c.control), taken.*c.text)) return;
    for (const LineStyleColourControl& c : LineStyleColourControls())
        if (!TakeFieldText(Edit(c.control)->text(), FieldKind::Heading, Edit(c.control), taken.*c.text)) return;
    if (!TakeFieldText(Edit(kCompanyName)->text(), FieldKind::Heading, Edit(kCompanyName), taken.companyName)) return;
    taken.monochrome = monochrome_->isChecked();
    SheetSettings check;
    if (int bad = StoreLineStyleForm(taken, check)) {
        RefuseInteger(Edit(bad));
        return;
    }
    form_ = taken;
    QDialog::accept();
}

}  // namespace vosk
