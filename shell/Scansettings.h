#pragma once
// The chosen scanner and resolution, kept in the settings ini's "Scanner"
// section ("Device", "Resolution").

#include <QString>

class TIniFile;

constexpr int kMaxScanResolution = 19200;

struct TScanSettings {
    QString Device;     // empty: the first device found
    int Resolution = 0; // dpi; 0 keeps the device's own
};

// Reads the settings; a resolution out of 0 .. kMaxScanResolution reads as 0.
TScanSettings ReadScanSettings(const TIniFile& ini);
// Writes them into ini (memory only).
void WriteScanSettings(TIniFile& ini, const TScanSettings& settings);
