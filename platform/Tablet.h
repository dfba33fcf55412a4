#pragma once
// TTablet: pen pressure, position, buttons and orientation from a graphics
// tablet, taken from Qt's tablet events.
//
// The flow:
//   1. at start-up the main window calls Open(true); it is false without a
//      tablet, and then the mouse is in charge;
//   2. it hands every QTabletEvent to ReadEvent, which keeps the packet before
//      and returns what changed since (TTabletChange flags);
//   3. the pen model reads MaxPressure and Current().NormalPressure;
//   4. OnCursorChange tells the pen manager when another tool comes to the
//      tablet (the pen turned over to its eraser, a puck).
// A tablet that is not there at start-up (plugged in later, or only announced
// when it first comes near the surface) opens on its first event.

#include <cstdint>
#include <functional>

class QPointingDevice;
class QTabletEvent;

// What differs between one packet and the one before.
enum TTabletChange : uint32_t {
    TabletCursorChanged = 0x20,
    TabletButtonsChanged = 0x40,
    TabletXChanged = 0x80,
    TabletYChanged = 0x100,
    TabletPressureChanged = 0x400,
    TabletOrientationChanged = 0x1000, // azimuth, altitude or twist
};

// The tool on the tablet.
enum TTabletCursor : int { TabletPuck = 0, TabletPen = 1, TabletEraser = 2 };

struct TTabletPacket {
    int Cursor = TabletPuck;
    uint32_t Buttons = 0;   // bit 0 the tip, bits 1 and 2 the barrel buttons
    int X = 0, Y = 0;       // screen pixels, y down
    int NormalPressure = 0; // 0 .. TTablet::kDevicePressure
    int Azimuth = 0;        // tenths of a degree clockwise from the top of the tablet, 0 .. 3599
    int Altitude = 0;       // tenths of a degree above the surface, 900 upright
    int Twist = 0;          // tenths of a degree about the pen's own axis, 0 .. 3599
};

class TTablet {
  public:
    // Qt gives pressure as 0 .. 1; packets carry it as 0 .. kDevicePressure,
    // the range of a 1024-level pen. "MaxNPressure" is read in the same unit.
    static constexpr int kDevicePressure = 1023;

    // Opens on the first tablet pen among the system's input devices. With
    // readSetting, a positive "MaxNPressure" in section "Common" of the
    // configuration store replaces the maximum pressure. False (closed) when
    // there is none; a pen without pressure counts as none.
    bool Open(bool readSetting);
    // The same for one device; a null device, a mouse or a pen without
    // pressure leaves the tablet closed.
    bool Open(const QPointingDevice* device, bool readSetting);
    bool IsOpen() const { return Opened; }
    // The pressure that means "full": 0 while closed.
    int MaxPressure() const { return Opened ? Maximum : 0; }

    // Takes one packet: the current one becomes the previous one. Returns the
    // TTabletChange flags (0 when closed, nothing is read then) and calls
    // OnCursorChange when the cursor changed.
    uint32_t ReadPacket(const TTabletPacket& packet);
    // The packet of a tablet event, read as above. A closed tablet that Open
    // was asked for opens on an event from a pen with pressure.
    uint32_t ReadEvent(const QTabletEvent& event);
    // The packet of a tablet event: position from its global position
    // (truncated), orientation from its tilts and rotation.
    static TTabletPacket PacketOf(const QTabletEvent& event);

    const TTabletPacket& Current() const { return Now; }
    const TTabletPacket& Previous() const { return Before; }

    // Called with the new cursor number.
    std::function<void(int cursor)> OnCursorChange;

  private:
    bool Opened = false;
    bool Wanted = false; // Open was asked for: a late tablet opens itself
    bool ReadSetting = false;
    int Maximum = 0;
    TTabletPacket Now, Before;
};
