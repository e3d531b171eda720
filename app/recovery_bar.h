#pragma once
// The bar above the sheet that offers a recovery copy left by an earlier
// run: what is there and when, with 復元 and 破棄. It blocks nothing: the
// user may work on and answer later, or never.

#include <QFrame>
#include <vector>

#include "survey/recovery_copy.h"

class QLabel;
class QPushButton;

namespace vosk {

class RecoveryBar : public QFrame {
    Q_OBJECT
public:
    explicit RecoveryBar(QWidget* parent = nullptr);

    // Offers the first of `copies` (newest first); hidden when there is none.
    void Offer(std::vector<RecoveryCopy> copies);
    // The copy on offer, or nullptr.
    const RecoveryCopy* Current() const { return copies_.empty() ? nullptr : &copies_.front(); }

    QLabel* Text() const { return text_; }
    QPushButton* RestoreButton() const { return restore_; }
    QPushButton* DiscardButton() const { return discard_; }

signals:
    void RestoreRequested(const RecoveryCopy& copy);

private:
    void ShowCurrent();
    void OnDiscard();

    std::vector<RecoveryCopy> copies_;
    QLabel* text_;
    QPushButton* restore_;
    QPushButton* discard_;
};

}  // namespace vosk
