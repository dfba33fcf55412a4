// Tablet input through Qt's tablet events.
#include "platform/Tablet.h"

#include "platform/Inifile.h"
#include "shell/Common.h"

#include <QInputDevice>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

// The pressure range of a device: 0 for anything but a tablet tool with pressure.
int PressureRange(const QPointingDevice* device) {
    if (!device || !device->capabilities().testFlag(QInputDevice::Capability::Pressure)) return 0;
    switch (device->type()) {
    case QInputDevice::DeviceType::Stylus:
    case QInputDevice::DeviceType::Airbrush:
    case QInputDevice::DeviceType::Puck:
        return TTablet::kDevicePressure;
    default:
        return 0;
    }
}

// Degrees as tenths of a degree in 0 .. 3599.
int Tenths(double degrees) {
    const int t = int(std::lround(degrees * 10)) % 3600;
    return t < 0 ? t + 3600 : t;
}

} // namespace

bool TTablet::Open(bool readSetting) {
    for (const QInputDevice* device : QInputDevice::devices())
        if (Open(qobject_cast<const QPointingDevice*>(device), readSetting)) return true;
    Open(nullptr, readSetting);
    return false;
}

bool TTablet::Open(const QPointingDevice* device, bool readSetting) {
    Wanted = true;
    ReadSetting = readSetting;
    Maximum = PressureRange(device);
    if (Maximum > 0 && readSetting) {
        // A pen that never reaches the device's full pressure gets a smaller maximum
        // here; zero, negative or unreadable values would divide by zero: ignored.
        const int stored = TIniFile(ConfigStoreFile()).ReadInteger("Common", "MaxNPressure", 0);
        if (stored > 0) Maximum = stored;
    }
    Opened = Maximum > 0;
    Now = Before = TTabletPacket();
    return Opened;
}

uint32_t TTablet::ReadPacket(const TTabletPacket& packet) {
    if (!Opened) return 0;
    Before = Now;
    Now = packet;
    uint32_t changes = 0;
    if (Now.Cursor != Before.Cursor) changes |= TabletCursorChanged;
    if (Now.Buttons != Before.Buttons) changes |= TabletButtonsChanged;
    if (Now.X != Before.X) changes |= TabletXChanged;
    if (Now.Y != Before.Y) changes |= TabletYChanged;
    if (Now.NormalPressure != Before.NormalPressure) changes |= TabletPressureChanged;
    if (Now.Azimuth != Before.Azimuth || Now.Altitude != Before.Altitude || Now.Twist != Before.Twist)
        changes |= TabletOrientationChanged;
    if ((changes & TabletCursorChanged) && OnCursorChange) OnCursorChange(Now.Cursor);
    return changes;
}

uint32_t TTablet::ReadEvent(const QTabletEvent& event) {
    if (!Opened && Wanted && PressureRange(event.pointingDevice()) > 0)
        Open(event.pointingDevice(), ReadSetting);
    return ReadPacket(PacketOf(event));
}

TTabletPacket TTablet::PacketOf(const QTabletEvent& event) {
    TTabletPacket p;
    switch (event.pointerType()) {
    case QPointingDevice::PointerType::Eraser:
        p.Cursor = TabletEraser;
        break;
    case QPointingDevice::PointerType::Cursor:
        p.Cursor = TabletPuck;
        break;
    default:
        p.Cursor = TabletPen;
    }
    p.Buttons = uint32_t(event.buttons().toInt()) & 0xFFFF;
    p.X = int(event.globalPosition().x());
    p.Y = int(event.globalPosition().y());
    p.NormalPressure = std::clamp(int(std::lround(event.pressure() * kDevicePressure)), 0, kDevicePressure);
    // The tilts are the pen's lean towards the right and towards the bottom; the
    // azimuth is the direction of that lean, the altitude its angle to the surface.
    const double tx = std::tan(qDegreesToRadians(event.xTilt()));
    const double ty = std::tan(qDegreesToRadians(event.yTilt()));
    p.Azimuth = tx == 0 && ty == 0 ? 0 : Tenths(qRadiansToDegrees(std::atan2(tx, -ty)));
    p.Altitude = int(std::lround(qRadiansToDegrees(std::atan2(1.0, std::hypot(tx, ty))) * 10));
    p.Twist = Tenths(event.rotation());
    return p;
}
