#pragma once

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace almanis::bench {

// The program's QApplication for a benchmark: it counts the events it
// handles, calls a hook after each of them, and answers every dialog that
// opens modally (an alarm, an error report) at once, from inside the dialog's
// own loop, so that a run never waits for a person.
class WatchedApplication final : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        ++handled_;
        const bool result = QApplication::notify(receiver, event);
        if (auto* dialog = qobject_cast<QDialog*>(activeModalWidget());
            dialog && dialog != answered_) {
            answered_ = dialog;
            ++dialogsAnswered_;
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        if (afterEvent) {
            afterEvent();
        }
        return result;
    }

    // Events handled so far, nested ones included; one is counted as it starts.
    quint64 handled() const { return handled_; }
    // Modal dialogs that opened and were answered.
    int dialogsAnswered() const { return dialogsAnswered_; }

    std::function<void()> afterEvent;

  private:
    quint64 handled_ = 0;
    QPointer<QDialog> answered_;
    int dialogsAnswered_ = 0;
};

// Runs the event loop until it has nothing left to do. Neither a zero timer
// posted once nor the dispatcher's aboutToBlock tells that: the glib
// dispatcher announces aboutToBlock before every pass, and what a zero timer's
// event queues (layout, painting, a check queued for later) comes after it. So
// a zero timer goes round until one whole round of the loop has handled no
// event but the timer's own.
inline void runUntilIdle(WatchedApplication& app) {
    QEventLoop loop;
    QTimer round;
    round.setInterval(0);
    quint64 last = app.handled();
    QObject::connect(&round, &QTimer::timeout, &loop, [&] {
        const quint64 now = app.handled();
        if (now - last == 1) {
            loop.quit();
        }
        last = now;
    });
    round.start();
    loop.exec();
}

}  // namespace almanis::bench
