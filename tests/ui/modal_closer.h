#pragma once
// A test that drives a modal dialog from a timer must not leave it running
// when a check fails half-way: this closes it on the way out.

#include <QDialog>

namespace vosk::test {

struct ModalCloser {
    QDialog* dialog;
    ~ModalCloser() {
        if (dialog && dialog->isVisible()) dialog->done(QDialog::Rejected);
    }
};

}  // namespace vosk::test
