#include "ui/settings/setup_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/setup_rules.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

constexpr int kFolderMaxLength = 30;

}  // namespace

using namespace setup_control;

CSetupDlg::CSetupDlg(const QString& drive, const QString& folder, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("セットアップ"));
    drive_ = MakeSettingEdit(kDrive, 32);
    drive_->setMaxLength(1);
    folder_ = MakeSettingEdit(kFolder, 240);
    folder_->setMaxLength(kFolderMaxLength);
    drive_->setText(drive);
    folder_->setMaxLength(std::max(kFolderMaxLength, static_cast<int>(folder.size())));
    folder_->setText(folder);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("本システムのインストール場所")), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("ドライブ")), 1, 0);
    grid->addWidget(drive_, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("フォルダ")), 2, 0);
    grid->addWidget(folder_, 2, 1);

    auto* standard = new QPushButton(QStringLiteral("標準の設定"));
    standard->setObjectName(ControlName(kStandard));
    standard->setAutoDefault(false);
    connect(standard, &QPushButton::clicked, this, [this] {
        InstallLocation location = StandardInstallLocation();
        drive_->setText(FieldToQString(location.drive));
        folder_->setText(FieldToQString(location.folder));
    });
    auto* bottom = MakeButtonRow(this, {standard});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    OnLeavingControl(folder_, [this] { OnLeaveFolder(); });
}

QString CSetupDlg::Drive() const { return drive_->text(); }

QString CSetupDlg::Folder() const { return folder_->text(); }

void CSetupDlg::OnLeaveFolder() {
    // The folder is checked as the settings hold it, in CP932.
    std::string folder = Cp932Literal(folder_->text().toStdString());
    if (folder.empty() && !folder_->text().isEmpty()) return;  // the view refuses it at OK
    FolderCheck check = LeaveInstallFolder(folder);
    if (check.tooShort) ShowMessage(message::kNoDataGiven);
    QString text = FieldToQString(check.folder);
    // The added "\" must not push the last character out of the edit.
    folder_->setMaxLength(std::max(kFolderMaxLength, static_cast<int>(text.size())));
    if (text != folder_->text()) folder_->setText(text);
}

}  // namespace vosk
