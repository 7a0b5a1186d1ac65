#include "cli/CausticCsv.h"

#include "cli/CliCommand.h"

#include <QFile>
#include <QStringList>

#include <cmath>

namespace lumetra::cli {

std::vector<beam::CausticAxis> readDiametersCsv(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw CliError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    std::vector<beam::CausticAxis> axes;
    int lineNumber = 0;
    for (QString line : lines) {
        ++lineNumber;
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char(','));
        for (QString &f : fields)
            f = f.trimmed();
        if (axes.empty()) {
            if (fields == QStringList{QStringLiteral("z_mm"), QStringLiteral("d_um")})
                axes = {{QStringLiteral("x"), {}}};
            else if (fields == QStringList{QStringLiteral("z_mm"), QStringLiteral("dx_um"), QStringLiteral("dy_um")})
                axes = {{QStringLiteral("x"), {}}, {QStringLiteral("y"), {}}};
            else
                throw CliError(QStringLiteral("%1 line %2: the header must be z_mm,d_um or z_mm,dx_um,dy_um, "
                                              "not '%3'")
                                   .arg(path)
                                   .arg(lineNumber)
                                   .arg(line));
            continue;
        }
        if (fields.size() != qsizetype(axes.size()) + 1)
            throw CliError(QStringLiteral("%1 line %2: %3 values where the header has %4")
                               .arg(path)
                               .arg(lineNumber)
                               .arg(fields.size())
                               .arg(axes.size() + 1));
        double values[3] = {};
        for (qsizetype i = 0; i < fields.size(); ++i) {
            bool ok = false;
            values[i] = fields[i].toDouble(&ok);
            if (!ok || !std::isfinite(values[i]))
                throw CliError(QStringLiteral("%1 line %2: '%3' is not a number").arg(path).arg(lineNumber).arg(fields[i]));
        }
        for (std::size_t a = 0; a < axes.size(); ++a)
            axes[a].points.push_back({values[0], values[a + 1]});
    }
    if (axes.empty())
        throw CliError(QStringLiteral("%1 is empty: it needs the header z_mm,d_um or z_mm,dx_um,dy_um").arg(path));
    return axes;
}

} // namespace lumetra::cli
