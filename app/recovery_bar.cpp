#include "app/recovery_bar.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <chrono>

namespace vosk {
namespace {

QDateTime LocalTime(std::filesystem::file_time_type time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(system.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms);
}

}  // namespace

RecoveryBar::RecoveryBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("recoveryBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tint = palette();
    tint.setColor(QPalette::Window, QColor(255, 244, 206));
    tint.setColor(QPalette::WindowText, Qt::black);
    setPalette(tint);
    text_ = new QLabel(this);
    restore_ = new QPushButton(QStringLiteral("復元"), this);
    discard_ = new QPushButton(QStringLiteral("破棄"), this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(text_, 1);
    layout->addWidget(restore_);
    layout->addWidget(discard_);
    connect(restore_, &QPushButton::clicked, this, [this] {
        if (copies_.empty()) return;
        const RecoveryCopy copy = copies_.front();
        // The other copies wait for the next start: one survey at a time.
        copies_.clear();
        hide();
        emit RestoreRequested(copy);
    });
    connect(discard_, &QPushButton::clicked, this, &RecoveryBar::OnDiscard);
    hide();
}

void RecoveryBar::Offer(std::vector<RecoveryCopy> copies) {
    copies_ = std::move(copies);
    ShowCurrent();
}

void RecoveryBar::ShowCurrent() {
    if (copies_.empty()) {
        hide();
        return;
    }
    const RecoveryCopy& copy = copies_.front();
    const QString name = copy.originalPath.empty()
                             ? QStringLiteral("無題")
                             : QFileInfo(QString::fromStdString(copy.originalPath)).fileName();
    text_->setText(QStringLiteral("未保存のデータがあります: %1 (%2)")
                       .arg(name, LocalTime(copy.time).toString(QStringLiteral("yyyy/MM/dd HH:mm"))));
    show();
}

void RecoveryBar::OnDiscard() {
    if (copies_.empty()) return;
    RecoveryStore::Remove(copies_.front());
    copies_.erase(copies_.begin());
    ShowCurrent();
}

}  // namespace vosk
