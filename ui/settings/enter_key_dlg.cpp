#include "ui/settings/enter_key_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/dialog_support.h"

namespace vosk {
namespace {

struct Choice {
    int id;
    const char* caption;
    const char* explanation;
};

constexpr Choice kChoices[] = {
    {enter_key_control::kWindowsStandard, "Windows標準", "OKボタンクリックと同じ"},
    {enter_key_control::kNextField, "次に移動", "次の入力欄に移動"},
    {enter_key_control::kConfirmOnly, "確定のみ", "OKボタンや次に移動しない"},
};

}  // namespace

CEnterKeyDlg::CEnterKeyDlg(long mode, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("キーの動作"));
    auto* group = new QGroupBox(QStringLiteral("Enterキー (Returnキー)"));
    auto* grid = new QGridLayout(group);
    choices_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kChoices[i].caption));
        radio->setObjectName(ControlName(kChoices[i].id));
        choices_->addButton(radio, i);
        grid->addWidget(radio, i, 0);
        grid->addWidget(new QLabel(QString::fromUtf8(kChoices[i].explanation)), i, 1);
    }
    if (QAbstractButton* current = choices_->button(static_cast<int>(mode))) current->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("データ入力画面での動作")));
    layout->addWidget(group);
    layout->addWidget(new QLabel(QStringLiteral("漢字変換やドロップダウン選択等では常にWindowsの")));
    layout->addWidget(new QLabel(QStringLiteral("標準動作になります")));
    layout->addWidget(MakeOkCancel(this));
}

long CEnterKeyDlg::Mode() const { return choices_->checkedId(); }

}  // namespace vosk
