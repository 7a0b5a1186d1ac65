#pragma once

#include "analysis/beam/BeamBatch.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace lumetra {

// Measures frames in the background, on every core, and reports each one on the user-interface
// thread as soon as it is done. Destroying the queue abandons what has not started and waits for
// what has.
class FrameMeasureQueue : public QObject
{
    Q_OBJECT

public:
    using Report = std::function<void(int id, const beam::BeamFileResult &result)>;

    explicit FrameMeasureQueue(Report report, QObject *parent = nullptr);
    ~FrameMeasureQueue() override;

    // Starts measuring the files; ids[i] is reported with the result of paths[i].
    void measure(const QList<int> &ids, const QStringList &paths);
    bool busy() const;

private:
    struct Job
    {
        int id = 0;
        QString path;
    };
    struct Done
    {
        int id = 0;
        beam::BeamFileResult result;
    };

    Report m_report;
    std::vector<std::unique_ptr<QFutureWatcher<Done>>> m_watchers;
};

} // namespace lumetra
