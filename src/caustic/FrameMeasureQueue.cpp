#include "caustic/FrameMeasureQueue.h"
#include "platform/framefiles/PictureFiles.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <new>

namespace lumetra {

FrameMeasureQueue::FrameMeasureQueue(Report report, QObject *parent) : QObject(parent), m_report(std::move(report))
{
}

FrameMeasureQueue::~FrameMeasureQueue()
{
    for (auto &watcher : m_watchers) {
        watcher->disconnect();
        watcher->cancel();
        watcher->waitForFinished();
    }
}

void FrameMeasureQueue::measure(const QList<int> &ids, const QStringList &paths)
{
    QList<Job> jobs;
    for (qsizetype i = 0; i < ids.size() && i < paths.size(); ++i)
        jobs.push_back({ids[i], paths[i]});
    if (jobs.isEmpty())
        return;
    // Finished batches are dropped when a new one starts.
    std::erase_if(m_watchers, [](const auto &w) { return w->isFinished(); });
    auto watcher = std::make_unique<QFutureWatcher<Done>>();
    QFutureWatcher<Done> *w = watcher.get();
    QObject::connect(w, &QFutureWatcherBase::resultReadyAt, this, [this, w](int index) {
        const Done done = w->resultAt(index);
        m_report(done.id, done.result);
    });
    // One file per task: the pool spreads the files over the cores.
    // A task never throws: whatever goes wrong is that frame's error, reported like any result
    // (an exception would otherwise resurface from the future on the interface thread).
    w->setFuture(QtConcurrent::mapped(jobs, [](const Job &job) noexcept {
        Done done{job.id, {}};
        try {
            done.result = beam::measureBeamFiles({job.path}, beam::BeamOptions{}, nullptr, pictureFileReaders().frame).front();
        } catch (const std::bad_alloc &) {
            done.result.path = job.path;
            done.result.error =
                QCoreApplication::translate("FrameMeasureQueue", "内存不足，无法测量: %1").arg(job.path);
        } catch (...) {
            done.result.path = job.path;
            done.result.error =
                QCoreApplication::translate("FrameMeasureQueue", "测量失败: %1").arg(job.path);
        }
        return done;
    }));
    m_watchers.push_back(std::move(watcher));
}

bool FrameMeasureQueue::busy() const
{
    return std::any_of(m_watchers.begin(), m_watchers.end(), [](const auto &w) { return !w->isFinished(); });
}

} // namespace lumetra
