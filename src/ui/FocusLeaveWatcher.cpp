#include "ui/FocusLeaveWatcher.h"

#include <QApplication>
#include <QMenuBar>
#include <QWidget>

namespace vcm::ui {

FocusLeaveWatcher::FocusLeaveWatcher(QObject* parent) : QObject(parent) {
    connect(qApp, &QApplication::focusChanged, this, &FocusLeaveWatcher::onFocusChanged);
}

void FocusLeaveWatcher::watch(QWidget* control, std::function<void()> onLeave) {
    entries_.push_back(Entry{control, std::move(onLeave)});
}

void FocusLeaveWatcher::onFocusChanged(QWidget* old, QWidget* now) {
    if (old == nullptr || now == nullptr || old == now || old->window() != now->window()) {
        return;
    }
    // Alt puts the focus on the menu bar for a moment; the menu bar is not one of the window's controls.
    if (qobject_cast<QMenuBar*>(now) != nullptr) {
        return;
    }
    for (const Entry& entry : entries_) {
        if (entry.control == old) {
            // Copy: the handler may open a modal box whose event loop reaches this watcher again.
            const std::function<void()> handler = entry.onLeave;
            handler();
            return;
        }
    }
}

}  // namespace vcm::ui
