#include "tools/Pensettings.h"

#include "colour/Colorset.h"
#include "platform/Inifile.h"
#include "tools/Penobject.h"

#include <algorithm>

namespace {

const QString kPen = QStringLiteral("Pen");
const QString kColor = QStringLiteral("Color");
const char* const kAirKeys[3] = {"S", "M", "P"};

int Read(const TIniFile& ini, const QString& key, int def, int low, int high) {
    return std::clamp(ini.ReadInteger(kPen, key, def), low, high);
}

QString Indexed(const char* name, int i) {
    return QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i + 1);
}

} // namespace

TPenSettings ReadPenSettings(const TIniFile& ini) {
    TPenSettings s;
    s.Kind = Read(ini, "Kind", s.Kind, PenNormal, PenMask);
    s.Size = Read(ini, "Size", s.Size, TPenObject::kMinSize, TPenObject::kMaxSize);
    s.Shape = Read(ini, "Shape", s.Shape, PenCircular, PenSquare);
    s.Spacing = Read(ini, "Spacing", s.Spacing, 1, 64);
    s.Pressure = ini.ReadBool(kPen, "Pressure", s.Pressure);
    s.Density = Read(ini, "Density", s.Density, 1, 5);
    s.Bristles = Read(ini, "Bristles", s.Bristles, 1, 8);
    s.Scale = Read(ini, "Scale", s.Scale, 1, 1000);
    s.AirMode = Read(ini, "AirMode", s.AirMode, AirSingle, AirPattern);
    for (int m = 0; m < 3; ++m) {
        s.Air[size_t(m)].DotNum = Read(ini, QString(kAirKeys[m]) + "DotNum", 3, 1, 5);
        s.Air[size_t(m)].Nozzle = Read(ini, QString(kAirKeys[m]) + "Nozzle", 1, 1, 5);
    }
    for (int i = 0; i < kAirColours; ++i) {
        s.AirColours[size_t(i)] = Read(ini, Indexed("AirColor", i), 0, 0, 255);
        s.AirNumbers[size_t(i)] = Read(ini, Indexed("AirNumber", i), 0, 0, 999);
    }
    s.WaterFunction = Read(ini, "WaterFunction", s.WaterFunction, WaterSimple, WaterDiffuse);
    s.WaterDensity = Read(ini, "WaterDensity", s.WaterDensity, 1, 5);
    for (int f = 0; f < 4; ++f) {
        TWaterAmounts& w = s.Water[size_t(f)];
        w.Colour = Read(ini, Indexed("WaterColor", f), w.Colour, 0, 100);
        w.Effect = Read(ini, Indexed("WaterEffect", f), w.Effect, 0, 100);
    }
    s.MaskDelete = ini.ReadBool(kPen, "MaskDelete", s.MaskDelete);
    s.MaskFill = ini.ReadBool(kPen, "MaskFill", s.MaskFill);
    s.InsertColours = ini.ReadBool(kPen, "InsertColor", s.InsertColours);
    s.Spread = ini.ReadBool(kPen, "Spread", s.Spread);
    s.First = Read(ini, "First", s.First, 0, 255);
    s.Second = Read(ini, "Second", s.Second, 0, 255);
    s.Grade = Read(ini, "Grade", s.Grade, 2, TPalette::kLastDrawing - TPalette::kFirstDrawing + 1);
    s.Restricted = ini.ReadBool(kPen, "Restricted", s.Restricted);
    LoadColorSet(ini, kColor, s.Colours);
    return s;
}

void WritePenSettings(TIniFile& ini, const TPenSettings& s) {
    const std::pair<const char*, int> values[] = {{"Kind", s.Kind},
                                                  {"Size", s.Size},
                                                  {"Shape", s.Shape},
                                                  {"Spacing", s.Spacing},
                                                  {"Density", s.Density},
                                                  {"Bristles", s.Bristles},
                                                  {"Scale", s.Scale},
                                                  {"AirMode", s.AirMode},
                                                  {"WaterFunction", s.WaterFunction},
                                                  {"WaterDensity", s.WaterDensity},
                                                  {"First", s.First},
                                                  {"Second", s.Second},
                                                  {"Grade", s.Grade}};
    for (const auto& [key, value] : values)
        ini.WriteInteger(kPen, key, value);
    for (int m = 0; m < 3; ++m) {
        ini.WriteInteger(kPen, QString(kAirKeys[m]) + "DotNum", s.Air[size_t(m)].DotNum);
        ini.WriteInteger(kPen, QString(kAirKeys[m]) + "Nozzle", s.Air[size_t(m)].Nozzle);
    }
    for (int i = 0; i < kAirColours; ++i) {
        ini.WriteInteger(kPen, Indexed("AirColor", i), s.AirColours[size_t(i)]);
        ini.WriteInteger(kPen, Indexed("AirNumber", i), s.AirNumbers[size_t(i)]);
    }
    for (int f = 0; f < 4; ++f) {
        ini.WriteInteger(kPen, Indexed("WaterColor", f), s.Water[size_t(f)].Colour);
        ini.WriteInteger(kPen, Indexed("WaterEffect", f), s.Water[size_t(f)].Effect);
    }
    const std::pair<const char*, bool> switches[] = {
        {"Pressure", s.Pressure},     {"Spread", s.Spread},     {"Restricted", s.Restricted},
        {"MaskDelete", s.MaskDelete}, {"MaskFill", s.MaskFill}, {"InsertColor", s.InsertColours}};
    for (const auto& [key, on] : switches)
        ini.WriteBool(kPen, key, on);
    // SaveColorSet leaves the section as it was for an empty set: a list the user
    // emptied would come back at the next start.
    ReplaceColorSet(ini, kColor, s.Colours);
}

void ApplyPenSettings(TPenObject& pen, const TPenSettings& s) {
    pen.Settings = s;
    pen.SetSize(s.Size);
    pen.SetShape(s.Shape);
    pen.SetSpacing(s.Spacing);
    pen.PressureOn = s.Pressure;
}
