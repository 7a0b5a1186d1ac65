#pragma once

#include <QHash>
#include <QLabel>
#include <QString>

namespace lumetra {

// The text of the value label under `key`, or empty when there is none.
inline QString labelText(const QHash<QString, QLabel *> &labels, const QString &key)
{
    const QLabel *label = labels.value(key);
    return label ? label->text() : QString();
}

} // namespace lumetra
