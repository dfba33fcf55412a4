#pragma once
// A small layer over SANE, the scanner access library.
//
// The library is initialised on first use and left once at exit; every call into
// it is serialised, so the device probe may run in a worker thread while the
// windows go on. A scan runs as:
//   1. TScanSession::Open(device) (empty: the first device found);
//   2. SetResolution / SetColourMode where the device offers them;
//   3. Acquire(progress): starts the device, reads every frame (RGB, gray,
//      lineart, or red, green and blue one after another) into one picture, and
//      cancels the device (sane_cancel) as soon as progress answers false.
// Failures are error codes (shell/Exception.h); nothing here shows a message.

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

struct TScanDevice {
    QString Name; // what Open takes
    QString Vendor, Model, Type;
    // "Vendor Model (name)" for a device list.
    QString Caption() const;
};

// The devices SANE can reach (local ones only, so no network is searched); empty
// when there are none or the library cannot start. May take seconds.
std::vector<TScanDevice> ScanDevices();

// Receives percents (0 .. 100) while a scan reads; false cancels the scan.
using TScanProgress = std::function<bool(int percent)>;

struct TScanResult {
    uint32_t Code = 0;      // 0, or the error code of the failure
    bool Cancelled = false; // progress asked to stop: no picture, no error
    QImage Image;           // Format_RGB888 (colour) or Format_Grayscale8
};

class TScanSession {
  public:
    TScanSession() = default;
    // Closes the device.
    ~TScanSession();
    TScanSession(const TScanSession&) = delete;
    TScanSession& operator=(const TScanSession&) = delete;

    // Opens device by name, or the first one for an empty name. NoScanner when
    // there is none or it cannot be opened.
    uint32_t Open(const QString& device);
    bool IsOpen() const { return Handle != nullptr; }
    // The resolutions the device offers in dpi: its list, or for a range a few
    // steps of it; empty when it has no resolution option.
    std::vector<int> Resolutions() const;
    // The present resolution in dpi (0 when unknown).
    int Resolution() const;
    // Sets the resolution (the device may round it); false when it cannot.
    bool SetResolution(int dpi);
    // Asks for colour at 8 bits a sample where the device offers them; a device
    // without those options keeps its own.
    void SetColourMode();
    // Sets an option by its SANE name: text as it stands, a number or "true" /
    // "false" for the other kinds. False when the device has no such option or
    // refuses the value.
    bool SetOption(const char* name, const QString& value);
    // Reads one whole picture (see the top of this file).
    TScanResult Acquire(const TScanProgress& progress);

  private:
    int OptionIndex(const char* name) const;
    void* Handle = nullptr; // SANE_Handle
};
