#pragma once

#include "devices/CameraControls.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumetra {

// The Aravis interfaces the program looks for cameras on. By default USB3 Vision and GigE
// Vision; looking on GigE Vision broadcasts a discovery packet on every network interface, so
// tests restrict the search to the in-process fake camera ("Fake").
namespace GenicamSystem {

// Interface names: "gige", "usb", "fake". An unknown name is ignored; false when none was known.
bool useInterfaces(const QStringList &names);
QStringList interfacesInUse();

// Every camera on the interfaces in use (runs discovery on them).
QList<CameraIdentity> listCameras();

// True when the id names a camera of the in-process fake interface ("Fake_1").
bool isFakeId(const QString &id);

// True when the id may name a camera found by a search: it holds a digit, as serial numbers,
// device ids and "vendor-model-serial" do. Other words are refused without a search.
bool isSearchableId(const QString &id);
// Why `id` names no camera, with the ids that do (and the closest, when one is near).
QString unknownIdMessage(const QString &id);

} // namespace GenicamSystem

} // namespace lumetra

typedef struct _ArvDevice ArvDevice;

namespace lumetra::GenicamSystem {

// Opens the device behind a camera id (see GenicamCamera::open): an IPv4 address is contacted
// directly, a fake id through the fake interface only, anything else is looked up on the
// interfaces in use. Nothing and `error` set when there is no such camera.
ArvDevice *openDevice(const QString &id, QString *error);

} // namespace lumetra::GenicamSystem
