// lumetra-cli cameras: the GenICam cameras on the chosen interfaces.
#include "cli/ArgumentCursor.h"
#include "cli/CliCommand.h"
#include "devices/genicam/GenicamSystem.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace lumetra::cli {
namespace {

QString csvField(QString text)
{
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')))
        return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return text;
}

int runCameras(const QStringList &args)
{
    QStringList interfaces;
    bool csv = false;
    for (ArgumentCursor cursor(args); cursor.next();) {
        if (cursor.is("--interface")) {
            for (const QString &name : cursor.value().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (name != QLatin1String("gige") && name != QLatin1String("usb") && name != QLatin1String("fake"))
                    throw CliError(QStringLiteral("--interface is gige, usb or fake, not '%1'").arg(name));
                interfaces << name;
            }
        } else if (cursor.is("--format")) {
            const QString value = cursor.value();
            if (value != QLatin1String("json") && value != QLatin1String("csv"))
                throw CliError(QStringLiteral("--format is json or csv, not '%1'").arg(value));
            csv = value == QLatin1String("csv");
        } else {
            throw CliError(QStringLiteral("unknown option %1").arg(cursor.current()));
        }
    }
    if (!interfaces.isEmpty())
        GenicamSystem::useInterfaces(interfaces);
    const QList<CameraIdentity> cameras = GenicamSystem::listCameras();
    if (csv) {
        std::printf("id,vendor,model,serial,protocol,address\n");
        for (const CameraIdentity &c : cameras) {
            const QStringList fields{csvField(c.id),     csvField(c.vendor),   csvField(c.model),
                                     csvField(c.serial), csvField(c.protocol), csvField(c.address)};
            std::printf("%s\n", qPrintable(fields.join(QLatin1Char(','))));
        }
        return 0;
    }
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (const CameraIdentity &c : cameras)
        rows.push_back({{"id", c.id.toStdString()},
                        {"vendor", c.vendor.toStdString()},
                        {"model", c.model.toStdString()},
                        {"serial", c.serial.toStdString()},
                        {"protocol", c.protocol.toStdString()},
                        {"address", c.address.toStdString()}});
    std::printf("%s\n", rows.dump(2).c_str());
    return 0;
}

const CommandRegistration registration{CliCommand{
    QStringLiteral("cameras"), QStringLiteral("cameras [--interface gige|usb|fake ...] [--format json|csv]"),
    QStringLiteral("the GenICam cameras found: id, vendor, model, serial, protocol, address"),
    runCameras}};

} // namespace
} // namespace lumetra::cli
