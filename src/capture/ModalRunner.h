#pragma once

#include <QDialog>

#include <functional>

namespace lumetra {

// Shows a dialog modally and returns its result. The program runs exec(); tests put in a runner
// that works the dialog's controls and closes it, so that nothing blocks.
using ModalRunner = std::function<int(QDialog &dialog)>;

inline ModalRunner execRunner()
{
    return [](QDialog &dialog) { return dialog.exec(); };
}

} // namespace lumetra
