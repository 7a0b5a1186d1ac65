#pragma once

#include <QString>

#include <cstdint>
#include <memory>

typedef struct _ArvFakeCamera ArvFakeCamera;
typedef struct _ArvGvFakeCamera ArvGvFakeCamera;

// Aravis's fake cameras drawing a Gaussian beam of known moments instead of their test ramp:
// amplitude proportional to the exposure, on a flat dark level, no noise, so that every frame at
// one exposure is the same and its second moments are those of the Gaussian (sampled).
namespace lumetra::test {

struct FakeBeam
{
    double cx = 260.5, cy = 240.25;  // centre, pixels
    double sigmaX = 30, sigmaY = 20; // D4σ = 4σ
    double peakPerUs = 0.002;        // peak above dark per µs of exposure, as a fraction of full scale
    double darkFraction = 0.01;      // dark level, fraction of full scale
};

// The code a pixel gets at this exposure from a format's full scale `top` (clipped to top).
std::uint16_t fakeBeamCode(const FakeBeam &beam, int x, int y, double exposureUs, int top);

// Puts the beam on a fake camera (kept alive by the caller; `beam` must outlive it).
void drawFakeBeam(ArvFakeCamera *camera, const FakeBeam *beam);

// A GigE Vision fake camera on 127.0.0.1 in this process, drawing `beam`; stopped when this
// goes. Packets are lost at `lostRatio` (0..1).
class LoopbackCamera
{
public:
    explicit LoopbackCamera(const FakeBeam &beam = {}, double lostRatio = 0, const QString &serial = QStringLiteral("GVTEST"));
    ~LoopbackCamera();
    bool isRunning() const;
    ArvFakeCamera *fake() const;
    void stop(); // the camera goes away (as if unplugged)

private:
    std::unique_ptr<FakeBeam> m_beam;
    ArvGvFakeCamera *m_camera = nullptr;
};

// True when this process sees no network interface but loopback (a private network namespace),
// so that nothing it sends can leave the machine.
bool onlyLoopbackNetwork();

} // namespace lumetra::test
