#include "tools/Spreadsettings.h"

#include "colour/Colorset.h"
#include "platform/Inifile.h"

#include <algorithm>

namespace {

const QString kColourSection = QStringLiteral("ColorSelect");

int Read(const TIniFile& ini, const char* section, const QString& key, int def, int low, int high) {
    return std::clamp(ini.ReadInteger(QLatin1String(section), key, def), low, high);
}

int Read(const TIniFile& ini, const char* section, const char* key, int def, int low, int high) {
    return Read(ini, section, QLatin1String(key), def, low, high);
}

QString SlotKey(const char* name, int slot) {
    return QLatin1String(name) + QString::number(slot);
}

// A slot's colour as the ini keeps it: red * 65536 + green * 256 + blue.
int RgbValue(const TColorData& c) {
    return c.Red() * 65536 + c.Green() * 256 + c.Blue();
}

} // namespace

TSpreadSettings::TSpreadSettings() {
    SetSlotCount(kMinGradeSlots);
    Slots[0].Colour.SetRGB(0, 0, 0); // black to white until colours are picked
}

void TSpreadSettings::SetSlotCount(int count) {
    TGradeSlot white;
    white.Colour.SetRGB(255, 255, 255);
    Slots.resize(size_t(std::clamp(count, kMinGradeSlots, kMaxGradeSlots)), white);
    Current = std::clamp(Current, 0, int(Slots.size()) - 1);
}

TSpreadSettings ReadSpreadSettings(const TIniFile& ini) {
    TSpreadSettings s;
    s.Shape = Read(ini, "DrawType", "Type", SpreadLinear, SpreadLinear, SpreadCircular);
    s.SetSlotCount(Read(ini, "UpDown", "Pos", kMinGradeSlots, kMinGradeSlots, kMaxGradeSlots));
    s.Current = Read(ini, "TrackBar", "Position", 0, 0, int(s.Slots.size()) - 1);
    s.Single = Read(ini, "Single", "Single", 0, 0, 1) == 1;
    s.SingleShape = Read(ini, "Single", "monoItem", SpreadLinear, SpreadLinear, SpreadCircular);
    s.WaveHeight = Read(ini, "Single", "WaveHeight", s.WaveHeight, 0, 100);
    s.WaveFrequency = Read(ini, "Single", "WaveFrequency", s.WaveFrequency, 1, 100);
    for (int k = 0; k < int(s.Slots.size()); ++k) {
        TGradeSlot& slot = s.Slots[size_t(k)];
        slot.Gap = Read(ini, "Grade", SlotKey("Gap", k), slot.Gap, 0, kMaxGradeGap);
        const int rgb = Read(ini, "Grade", SlotKey("Color", k), RgbValue(slot.Colour), 0, 0xFFFFFF);
        slot.Colour.SetRGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    LoadColorSet(ini, kColourSection, s.Colours);
    s.InsertColours = Read(ini, "ColorList", "Insert", 0, 0, 1) == 1;
    return s;
}

void WriteSpreadSettings(TIniFile& ini, const TSpreadSettings& s) {
    ini.WriteInteger(QStringLiteral("DrawType"), QStringLiteral("Type"), s.Shape);
    ini.WriteInteger(QStringLiteral("UpDown"), QStringLiteral("Pos"), int(s.Slots.size()));
    ini.WriteInteger(QStringLiteral("TrackBar"), QStringLiteral("Max"), int(s.Slots.size()) - 1);
    ini.WriteInteger(QStringLiteral("TrackBar"), QStringLiteral("Position"), s.Current);
    ini.WriteInteger(QStringLiteral("Single"), QStringLiteral("Single"), s.Single ? 1 : 0);
    ini.WriteInteger(QStringLiteral("Single"), QStringLiteral("monoItem"), s.SingleShape);
    ini.WriteInteger(QStringLiteral("Single"), QStringLiteral("WaveHeight"), s.WaveHeight);
    ini.WriteInteger(QStringLiteral("Single"), QStringLiteral("WaveFrequency"), s.WaveFrequency);
    for (int k = 0; k < int(s.Slots.size()); ++k) {
        ini.WriteInteger(QStringLiteral("Grade"), SlotKey("Gap", k), s.Slots[size_t(k)].Gap);
        ini.WriteInteger(QStringLiteral("Grade"), SlotKey("Color", k), RgbValue(s.Slots[size_t(k)].Colour));
    }
    // The list saved empty stays empty (a colour set section would keep the old one).
    ReplaceColorSet(ini, kColourSection, s.Colours);
    ini.WriteInteger(QStringLiteral("ColorList"), QStringLiteral("Insert"), s.InsertColours ? 1 : 0);
}
