#pragma once

#include <QStringList>

class QWidget;

namespace lumetra {

class Dialogs;
class ProgramLauncher;

// The desktop's system-information programs, in the order they are looked for on PATH.
QStringList systemInfoPrograms();

// Starts the first system-information program found. When none is found (or there is no
// launcher) or it cannot be started, tells the operator "此时系统信息不可用" and returns false.
bool startSystemInfo(ProgramLauncher *launcher, Dialogs &dialogs, QWidget *parent);

} // namespace lumetra
