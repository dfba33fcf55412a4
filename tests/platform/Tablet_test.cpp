#include "platform/Tablet.h"
#include "support/Settingsdir.h"

#include <QPointingDevice>
#include <QTabletEvent>

#include <array>
#include <memory>

namespace {

using Type = QInputDevice::DeviceType;
using Pointer = QPointingDevice::PointerType;
using Cap = QInputDevice::Capability;

std::unique_ptr<QPointingDevice> Device(Type type, Pointer pointer, QInputDevice::Capabilities caps) {
    static qint64 id = 1000;
    return std::make_unique<QPointingDevice>("test", ++id, type, pointer, caps, 1, 3);
}

// A pen's state for one event: position in screen pixels, pressure 0 .. 1,
// tilts and rotation in degrees.
struct Pen {
    double x = 0, y = 0, pressure = 0, xTilt = 0, yTilt = 0, rotation = 0;
    Qt::MouseButtons buttons = {};
};

QTabletEvent Event(const QPointingDevice* device, const Pen& p) {
    return QTabletEvent(QEvent::TabletMove, device, QPointF(p.x, p.y), QPointF(p.x, p.y), p.pressure,
                        float(p.xTilt), float(p.yTilt), 0, p.rotation, 0, Qt::NoModifier, Qt::NoButton,
                        p.buttons);
}

class TabletTest : public SettingsTest {
  protected:
    const QInputDevice::Capabilities penCaps = Cap::Position | Cap::Pressure | Cap::XTilt | Cap::YTilt;
    std::unique_ptr<QPointingDevice> pen = Device(Type::Stylus, Pointer::Pen, penCaps);
    std::unique_ptr<QPointingDevice> eraser = Device(Type::Stylus, Pointer::Eraser, penCaps);
    std::unique_ptr<QPointingDevice> noPressure = Device(Type::Stylus, Pointer::Pen, Cap::Position);
    std::unique_ptr<QPointingDevice> mouse = Device(Type::Mouse, Pointer::Generic, Cap::Position);
};

} // namespace

TEST_F(TabletTest, TheMouseIsInChargeUntilAPenWithPressureComes) {
    ASSERT_TRUE(WriteConfigValue("Common", "MaxNPressure", "600"));    // makes no tablet of itself
    EXPECT_EQ(TTablet().ReadEvent(Event(pen.get(), {5, 5, 0.5})), 0u); // never asked to open
    TTablet tablet;
    EXPECT_FALSE(tablet.Open(true)); // the offscreen platform has no tablet
    for (QPointingDevice* device : {(QPointingDevice*)nullptr, mouse.get(), noPressure.get()}) {
        EXPECT_FALSE(tablet.Open(device, true));
        EXPECT_EQ(tablet.MaxPressure(), 0);
        EXPECT_EQ(tablet.ReadEvent(Event(device ? device : mouse.get(), {5, 5, 0.5})), 0u);
        EXPECT_FALSE(tablet.IsOpen());
    }
    // A pen plugged in later, or first announced near the surface, opens on its first event.
    EXPECT_NE(tablet.ReadEvent(Event(pen.get(), {3, 4, 1.0})), 0u);
    EXPECT_TRUE(tablet.IsOpen());
    EXPECT_EQ(tablet.MaxPressure(), 600);
}

TEST_F(TabletTest, PressureRangeComesFromTheDeviceOrAPositiveStoredMaximum) {
    struct Case {
        const char* stored; // null: not in the store
        bool readSetting;
        int maximum;
    };
    for (const Case c : {Case{nullptr, true, 1023}, Case{"600", true, 600}, Case{"600", false, 1023},
                         Case{"0", true, 1023}, Case{"-5", true, 1023}, Case{"many", true, 1023}}) {
        SCOPED_TRACE(testing::Message() << (c.stored ? c.stored : "none") << " " << c.readSetting);
        if (c.stored) {
            ASSERT_TRUE(WriteConfigValue("Common", "MaxNPressure", c.stored));
        }
        TTablet tablet;
        ASSERT_TRUE(tablet.Open(pen.get(), c.readSetting));
        EXPECT_EQ(tablet.MaxPressure(), c.maximum);
        // Packets stay in the device's unit whatever the maximum.
        for (const auto& [pressure, value] : {std::pair{0.0, 0}, {0.5, 512}, {1.0, 1023}}) {
            tablet.ReadEvent(Event(pen.get(), {1, 1, pressure}));
            EXPECT_EQ(tablet.Current().NormalPressure, value);
        }
    }
}

TEST_F(TabletTest, ChangeFlagsFollowEachPacketAndTheCursorChangeIsReported) {
    TTablet tablet;
    ASSERT_TRUE(tablet.Open(pen.get(), false));
    std::vector<int> cursors;
    tablet.OnCursorChange = [&](int cursor) { cursors.push_back(cursor); };
    struct Step {
        const QPointingDevice* device;
        Pen pen;
        uint32_t flags;
    };
    const Step steps[] = {
        {pen.get(), {10.7, 20.2}, 0x20 | 0x80 | 0x100 | 0x1000}, // from nothing: upright pen at (10, 20)
        {pen.get(), {10.9, 20.9}, 0},                            // positions truncate
        {pen.get(), {11, 20.9}, 0x80},
        {pen.get(), {11, 21}, 0x100},
        {pen.get(), {11, 21, 0.5}, 0x400},
        {pen.get(), {11, 21, 0.5, 0, 0, 0, Qt::LeftButton}, 0x40},
        {pen.get(), {11, 21, 0.5, 30, 30, 0, Qt::LeftButton}, 0x1000},
        {pen.get(), {11, 21, 0.5, 30, 30, 15, Qt::LeftButton}, 0x1000},
        {eraser.get(), {11, 21, 0.5, 30, 30, 15, Qt::LeftButton}, 0x20},
        {pen.get(), {12, 22}, 0x20 | 0x40 | 0x80 | 0x100 | 0x400 | 0x1000},
    };
    for (const Step& s : steps)
        EXPECT_EQ(tablet.ReadEvent(Event(s.device, s.pen)), s.flags) << &s - steps;
    EXPECT_EQ(cursors, (std::vector<int>{TabletPen, TabletEraser, TabletPen}));
    // The eraser's packet, now the previous one: leaning right and down, turned by 15 degrees.
    const TTabletPacket& p = tablet.Previous();
    EXPECT_EQ((std::array{p.X, p.Azimuth, p.Altitude, p.Twist}), (std::array{11, 1350, 508, 150}));
    EXPECT_EQ(tablet.Current().X, 12);
}
