#include "ui/widgets/list_pick.h"

#include <QEvent>
#include <QListWidget>

namespace vosk {
namespace {

// Remembers the current row when the button goes down, before the list
// moves it.
class PressWatcher : public QObject {
public:
    PressWatcher(QListWidget* list) : QObject(list), list_(list) { list->viewport()->installEventFilter(this); }
    int rowAtPress = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) rowAtPress = list_->currentRow();
        return false;
    }

private:
    QListWidget* list_;
};

}  // namespace

void PickOnClickOfCurrentItem(QListWidget* list, std::function<void(int row)> pick) {
    auto* watcher = new PressWatcher(list);
    QObject::connect(list, &QListWidget::itemClicked, watcher, [list, watcher, pick](QListWidgetItem* item) {
        const int row = list->row(item);
        if (row == watcher->rowAtPress) pick(row);
    });
}

}  // namespace vosk
