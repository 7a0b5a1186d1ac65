#include "support/CausticOracle.h"

#include "support/FrameImage.h"
#include "support/SyntheticBeam.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>
#include <numbers>
#include <random>

namespace lumetra::test {

double KnownCaustic::thetaMrad() const
{
    // theta [mrad] = 4 M^2 lambda / (pi d0) with lambda in nm and d0 in um.
    return 4 * m2 * wavelengthNm / (std::numbers::pi * d0Um);
}

double KnownCaustic::diameterAt(double zMm) const
{
    const double theta = thetaMrad();
    return std::sqrt(d0Um * d0Um + theta * theta * (zMm - z0Mm) * (zMm - z0Mm));
}

std::vector<beam::CausticPoint> KnownCaustic::sample(const std::vector<double> &zMm) const
{
    std::vector<beam::CausticPoint> points;
    for (double z : zMm)
        points.push_back({z, diameterAt(z)});
    return points;
}

std::vector<std::vector<beam::CausticPoint>> noisyCaustics(const KnownCaustic &caustic, const std::vector<double> &zMm,
                                                           double relativeNoise, int runs, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, relativeNoise);
    std::vector<std::vector<beam::CausticPoint>> sets;
    for (int run = 0; run < runs; ++run) {
        std::vector<beam::CausticPoint> points = caustic.sample(zMm);
        for (beam::CausticPoint &p : points)
            p.dUm *= 1 + noise(random);
        sets.push_back(std::move(points));
    }
    return sets;
}

double sampleSd(const std::vector<double> &values)
{
    double mean = 0;
    for (double v : values)
        mean += v;
    mean /= double(values.size());
    double squares = 0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return std::sqrt(squares / double(values.size() - 1));
}

std::vector<double> isoPositions(const KnownCaustic &caustic, int near, int far)
{
    const double zr = caustic.zrMm();
    std::vector<double> z;
    for (int i = 0; i < near; ++i)
        z.push_back(caustic.z0Mm + zr * (near == 1 ? 0.0 : -0.9 + 1.8 * i / (near - 1)));
    for (int i = 0; i < far; ++i) {
        const double distance = zr * (2.2 + 1.8 * (far < 3 ? 0.0 : double(i / 2) / ((far - 1) / 2)));
        z.push_back(caustic.z0Mm + (i % 2 == 0 ? -distance : distance));
    }
    return z;
}

namespace {

Scene causticScene(const CausticFrameSpec &spec)
{
    Scene scene;
    scene.width = spec.width;
    scene.height = spec.height;
    scene.bitDepth = spec.bitDepth;
    const double top = spec.bitDepth > 8 ? 65535 : 255;
    scene.darkLevel = 0.012 * top;
    scene.noise = 0.0009 * top;
    scene.seed = spec.seed;
    scene.spots.front().cx = (spec.width - 1) / 2.0;
    scene.spots.front().cy = (spec.height - 1) / 2.0;
    scene.spots.front().phiDeg = spec.tiltDeg;
    scene.spots.front().peak = spec.peak * top;
    scene.smear = spec.smear * spec.peak * top;
    scene.smearFollowsBeam = true;
    return scene;
}

} // namespace

bool writeCausticFrame(const QString &path, const KnownCaustic &major, const KnownCaustic &minor, double zMm,
                       const CausticFrameSpec &spec)
{
    Scene scene = causticScene(spec);
    scene.spots.front().dMajor = major.diameterAt(zMm) / spec.pixelUm;
    scene.spots.front().dMinor = minor.diameterAt(zMm) / spec.pixelUm;
    return frameImage(makeFrame(scene).frame).save(path);
}

bool writeDarkFrame(const QString &path, const CausticFrameSpec &spec)
{
    return frameImage(makeDarkFrame(causticScene(spec))).save(path);
}

IndependentFit numpyCausticFit(const std::vector<beam::CausticPoint> &points, double wavelengthNm)
{
    static const char *script = R"(
import json, sys, math
import numpy as np
data = json.load(sys.stdin)
z = np.array(data["z"], dtype=float)
d = np.array(data["d"], dtype=float)
C, B, A = np.polyfit(z, d * d, 2)
z0 = -B / (2 * C)
d0 = math.sqrt(A - B * B / (4 * C))
theta = math.sqrt(C)
fitted = np.sqrt(d0 * d0 + theta * theta * (z - z0) ** 2)
print(json.dumps({"d0": d0, "z0": z0, "theta": theta,
                  "m2": math.pi * d0 * theta / (4 * data["lambda"]),
                  "rms": float(np.sqrt(np.mean((d - fitted) ** 2)))}))
)";
    IndependentFit fit;
    QJsonArray z, d;
    for (const beam::CausticPoint &p : points) {
        z.append(p.zMm);
        d.append(p.dUm);
    }
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script)});
    if (!python.waitForStarted(10000)) {
        fit.error = QStringLiteral("/usr/bin/python3 does not start");
        return fit;
    }
    python.write(QJsonDocument(QJsonObject{{"z", z}, {"d", d}, {"lambda", wavelengthNm}}).toJson());
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        fit.error = QString::fromUtf8(python.readAllStandardError()).trimmed();
        return fit;
    }
    const QJsonObject out = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    fit.ok = true;
    fit.d0Um = out[QStringLiteral("d0")].toDouble();
    fit.z0Mm = out[QStringLiteral("z0")].toDouble();
    fit.thetaMrad = out[QStringLiteral("theta")].toDouble();
    fit.m2 = out[QStringLiteral("m2")].toDouble();
    fit.residualRmsUm = out[QStringLiteral("rms")].toDouble();
    return fit;
}

} // namespace lumetra::test
