#include "ui/settings/guide_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/editor_launch.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/guide_rules.h"
#include "ui/settings/settings_services.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/field_guard.h"

namespace vosk {

CGuideDlg::CGuideDlg(const SettingsStore& store, SettingsServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setWindowTitle(QStringLiteral("操作案内"));
    resize(720, 520);
    std::filesystem::path path = RealPath(GuideFilePath(store));
    guidePath_ = QString::fromStdString(PathToUtf8(path));
    folder_ = QString::fromStdString(PathToUtf8(RealPath(store.installFolder)));

    list_ = new QListWidget;
    list_->setObjectName(ControlName(guide_control::kList));
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* print = new QPushButton(QStringLiteral("開いて印刷"));
    print->setObjectName(ControlName(guide_control::kOpenAndPrint));
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &CGuideDlg::OnOpenAndPrint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(print);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(bottom);

    if (auto bytes = ReadFileBytes(path)) {
        for (const FieldText& line : GuideLines(*bytes)) list_->addItem(FieldToQString(line));
    } else {
        ShowMessage(message::kFileNotFound, PathToUtf8(path));
    }
}

void CGuideDlg::OnOpenAndPrint() {
    // The editor gets the full path, so it finds the file whatever the case
    // of its name on this system.
    ProgramStarter start = [this](const QString& program, const QStringList& arguments, const QString& folder) {
        return services_.StartProgram(program, arguments, folder);
    };
    if (!OpenInEditor(guidePath_, folder_, start)) ShowMessage(message::kCannotRun);
}

}  // namespace vosk
