#pragma once

#include "types/ProgressWindows.h"

#include <QString>
#include <QStringList>

#include <vector>

// Progress windows that write down every call, to check what the sampling routines show.
class RecordingProgress : public lumetra::ProgressWindows
{
public:
    struct Step
    {
        Window window;
        float percent;
    };

    void show(Window window, const QString &caption) override
    {
        calls << QStringLiteral("show %1 %2").arg(name(window), caption).trimmed();
    }
    void setProgress(Window window, float percent) override { steps.push_back({window, percent}); }
    void close(Window window) override { calls << QStringLiteral("close %1").arg(name(window)); }
    void repaintWorkspace() override { calls << QStringLiteral("repaint"); }

    QStringList calls;
    std::vector<Step> steps;

private:
    static QString name(Window w) { return w == Window::Waiting ? "Waiting" : "Progress"; }
};
