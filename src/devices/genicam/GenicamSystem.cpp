#include "devices/genicam/GenicamSystem.h"

#include "devices/genicam/AravisError.h"

#include "devices/genicam/Aravis.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

#include <mutex>

namespace lumetra::GenicamSystem {

namespace {

struct InterfaceName
{
    const char *name;
    const char *aravisId;
};
constexpr InterfaceName Interfaces[] = {{"gige", "GigEVision"}, {"usb", "USB3Vision"}, {"fake", "Fake"}};

std::mutex &systemMutex()
{
    static std::mutex mutex;
    return mutex;
}

QStringList &inUse()
{
    static QStringList names{QStringLiteral("gige"), QStringLiteral("usb")};
    return names;
}

void applyLocked(const QStringList &names)
{
    for (const InterfaceName &i : Interfaces) {
        if (names.contains(QLatin1String(i.name)))
            arv_enable_interface(i.aravisId);
        else
            arv_disable_interface(i.aravisId);
    }
}

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

} // namespace

bool useInterfaces(const QStringList &names)
{
    QStringList known;
    for (const InterfaceName &i : Interfaces)
        if (names.contains(QLatin1String(i.name)))
            known << QLatin1String(i.name);
    if (known.isEmpty())
        return false;
    std::lock_guard lock(systemMutex());
    inUse() = known;
    applyLocked(known);
    return true;
}

QStringList interfacesInUse()
{
    std::lock_guard lock(systemMutex());
    return inUse();
}

QList<CameraIdentity> listCameras()
{
    std::lock_guard lock(systemMutex());
    applyLocked(inUse());
    arv_update_device_list();
    QList<CameraIdentity> cameras;
    const unsigned n = arv_get_n_devices();
    for (unsigned i = 0; i < n; ++i) {
        CameraIdentity c;
        c.id = text(arv_get_device_id(i));
        c.vendor = text(arv_get_device_vendor(i));
        c.model = text(arv_get_device_model(i));
        c.serial = text(arv_get_device_serial_nbr(i));
        c.protocol = text(arv_get_device_protocol(i));
        c.address = text(arv_get_device_address(i));
        cameras << c;
    }
    return cameras;
}

bool isFakeId(const QString &id)
{
    static const QRegularExpression fake(QStringLiteral("^Fake_\\d+$"));
    return fake.match(id).hasMatch();
}

namespace {

ArvDevice *openByAddress(const QString &text, GInetAddress *address, QString *error)
{
    GError *failure = nullptr;
    ArvDevice *device = nullptr;
    if (g_inet_address_get_is_loopback(address)) {
        // The camera answers on the loopback interface itself: nothing else is contacted.
        GInetAddress *local = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
        device = arv_gv_device_new(local, address, &failure);
        g_object_unref(local);
    } else {
        std::lock_guard lock(systemMutex());
        applyLocked({QStringLiteral("gige")});
        device = arv_open_device(text.toUtf8().constData(), &failure);
        applyLocked(inUse());
    }
    if (!device && error)
        *error = QStringLiteral("no camera answers at %1: %2").arg(text, takeAravisError(&failure));
    else if (failure)
        g_error_free(failure);
    return device;
}

// Single-character edits that turn a into b (Levenshtein distance).
int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(std::size_t(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[std::size_t(j)];
            row[std::size_t(j)] = std::min({above + 1, row[std::size_t(j - 1)] + 1,
                                            diagonal + (a[i - 1].toLower() == b[j - 1].toLower() ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

} // namespace

bool isSearchableId(const QString &id)
{
    static const QRegularExpression digit(QStringLiteral("\\d"));
    return id.contains(digit);
}

QString unknownIdMessage(const QString &id)
{
    QString hint;
    for (const QString &known : {QStringLiteral("simulated"), QStringLiteral("v4l2")})
        if (editDistance(id, known) <= 2)
            hint = QStringLiteral(" (did you mean '%1'?)").arg(known);
    return QStringLiteral("'%1' is no camera id%2; known ids: simulated, v4l2, an IPv4 address, a serial number, "
                          "vendor-model-serial or an id listed by 'lumetra-cli cameras'")
        .arg(id, hint);
}

ArvDevice *openDevice(const QString &id, QString *error)
{
    static const QRegularExpression ipv4(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
    if (ipv4.match(id).hasMatch()) {
        GInetAddress *address = g_inet_address_new_from_string(id.toLatin1().constData());
        if (!address) {
            if (error)
                *error = QStringLiteral("'%1' is no IPv4 address").arg(id);
            return nullptr;
        }
        ArvDevice *device = openByAddress(id, address, error);
        g_object_unref(address);
        return device;
    }

    std::lock_guard lock(systemMutex());
    QString deviceId;
    if (isFakeId(id)) {
        applyLocked({QStringLiteral("fake")});
        deviceId = id;
    } else {
        // A word without a digit is no serial, device id or vendor-model-serial: nothing is
        // searched for it (a search on GigE Vision broadcasts).
        if (!isSearchableId(id)) {
            if (error)
                *error = unknownIdMessage(id);
            applyLocked(inUse());
            return nullptr;
        }
        applyLocked(inUse());
        arv_update_device_list();
        const unsigned n = arv_get_n_devices();
        for (unsigned i = 0; i < n && deviceId.isEmpty(); ++i) {
            const QString serial = text(arv_get_device_serial_nbr(i));
            const QString full = QStringLiteral("%1-%2-%3").arg(text(arv_get_device_vendor(i)),
                                                                 text(arv_get_device_model(i)), serial);
            if (id == text(arv_get_device_id(i)) || id == serial || id == full)
                deviceId = text(arv_get_device_id(i));
        }
        if (deviceId.isEmpty()) {
            if (error)
                *error = QStringLiteral("no camera '%1' on %2").arg(id, inUse().join(QLatin1Char(',')));
            return nullptr;
        }
    }
    GError *failure = nullptr;
    ArvDevice *device = arv_open_device(deviceId.toUtf8().constData(), &failure);
    applyLocked(inUse());
    if (!device && error)
        *error = QStringLiteral("cannot open camera '%1': %2").arg(id, takeAravisError(&failure));
    else if (failure)
        g_error_free(failure);
    return device;
}

} // namespace lumetra::GenicamSystem
