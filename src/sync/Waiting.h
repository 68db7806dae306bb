#pragma once

#include <QEventLoop>
#include <QObject>

namespace almanis {

// Runs the event loop until the job (a DavRequest, a CollectionDiscovery, a
// SecretRequest...) has finished; returns at once when it has. For the
// command line, which does one thing at a time; the window never waits.
template <typename Job>
void waitUntilFinished(Job& job) {
    if (job.isFinished()) {
        return;
    }
    QEventLoop loop;
    QObject::connect(&job, &Job::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace almanis
