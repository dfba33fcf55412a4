#include "colour/Palette.h"

#include <algorithm>

void TColorData::SetFlagsKeeping(uint16_t flags) {
    Flags = uint16_t((Flags & (kColorKeptFlags | kColorProtectedFlag)) |
                     (flags & ~(kColorKeptFlags | kColorProtectedFlag)));
}

void TColorData::SetProtected(bool on) {
    Flags = on ? uint16_t(Flags | kColorProtectedFlag) : uint16_t(Flags & ~kColorProtectedFlag);
}

void TColorData::SetRGB(int red, int green, int blue) {
    SetLibrary(KindNormal, 0, 0, red, green, blue);
}

void TColorData::SetLibrary(int kind, int page, int number, int red, int green, int blue) {
    SetFlagsKeeping(uint16_t(kind & kColorKindMask));
    Page = uint16_t(page);
    Number = uint8_t(number);
    Color = TRGBQuad{uint8_t(blue), uint8_t(green), uint8_t(red), 0};
    FileName.clear();
    ColorName.clear();
}

void TColorData::SetUser(int kind, int page, int number, int red, int green, int blue,
                         const QByteArray& fileName, const QByteArray& colorName) {
    SetLibrary(kind, page, number, red, green, blue);
    SetFlagsKeeping(uint16_t((kind & kColorKindMask) | kColorUserFlag));
    FileName = fileName;
    ColorName = colorName;
}

bool operator==(const TColorData& a, const TColorData& b) {
    if (a.Flags != b.Flags || a.Page != b.Page || a.Number != b.Number || a.Color.rgbRed != b.Color.rgbRed ||
        a.Color.rgbGreen != b.Color.rgbGreen || a.Color.rgbBlue != b.Color.rgbBlue)
        return false;
    return !a.IsUser() || (a.FileName == b.FileName && a.ColorName == b.ColorName);
}

void TPalette::GetQuads(TRGBQuad* quads) const {
    for (int i = 0; i < kSize; ++i)
        quads[i] = TRGBQuad{Entries[i].Color.rgbBlue, Entries[i].Color.rgbGreen, Entries[i].Color.rgbRed, 0};
}

void TPalette::SetQuads(const TRGBQuad* quads) {
    for (int i = 0; i < kSize; ++i)
        Entries[i].SetRGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
}

TRGBQuad SystemPaletteEntry(int index) {
    // The twenty fixed colours of a 256-colour display at both ends, a 6 x 6 x 6
    // colour cube and a grey ramp between them.
    static const uint8_t low[10][3] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                                       {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                                       {192, 220, 192}, {166, 202, 240}};
    static const uint8_t high[10][3] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                        {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                        {0, 255, 255},   {255, 255, 255}};
    auto quad = [](int r, int g, int b) { return TRGBQuad{uint8_t(b), uint8_t(g), uint8_t(r), 0}; };
    index &= 0xFF;
    if (index < 10) return quad(low[index][0], low[index][1], low[index][2]);
    if (index >= 246) return quad(high[index - 246][0], high[index - 246][1], high[index - 246][2]);
    const int k = index - 10;
    if (k < 216) return quad(k / 36 * 51, k / 6 % 6 * 51, k % 6 * 51);
    const int grey = (k - 216 + 1) * 255 / 21;
    return quad(grey, grey, grey);
}

void TPalette::SetDefault() {
    for (int i = 0; i < kSize; ++i) {
        const TRGBQuad q = SystemPaletteEntry(i);
        Entries[i].SetRGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    Entries[0].SetRGB(0, 0, 0);
    Entries[1].SetRGB(255, 255, 255);
    Entries[2].SetRGB(0, 0, 0);
    Entries[255].SetRGB(255, 255, 255);
}

std::vector<TColorData> GradationEntries(const std::vector<TColorData>& keys, const std::vector<int>& steps) {
    std::vector<TColorData> out;
    if (keys.size() < 2 || steps.size() + 1 != keys.size() ||
        std::any_of(steps.begin(), steps.end(), [](int s) { return s < 1; }))
        return out;
    for (size_t p = 0; p + 1 < keys.size(); ++p) {
        const TColorData &a = keys[p], &b = keys[p + 1];
        const int s = steps[p];
        out.push_back(a);
        for (int k = 1; k < s; ++k) {
            auto mix = [&](int ca, int cb) { return uint8_t(ca + (cb - ca) * k / s); };
            out.emplace_back().SetRGB(mix(a.Red(), b.Red()), mix(a.Green(), b.Green()),
                                      mix(a.Blue(), b.Blue()));
        }
    }
    out.push_back(keys.back());
    return out;
}

int TPalette::Gradation(const std::vector<int>& keys, const std::vector<int>& steps) {
    if (std::any_of(keys.begin(), keys.end(), [](int k) { return k < 0 || k >= kSize; })) return -1;
    std::vector<TColorData> entries;
    for (int k : keys)
        entries.push_back(Entries[k]);
    const std::vector<TColorData> made = GradationEntries(entries, steps);
    const int total = int(made.size());
    if (made.empty() || UseColor + total > kSize - 1) return -1;
    std::copy(made.begin(), made.end(), Entries + UseColor + 1);
    UseColor = uint16_t(UseColor + total);
    return total;
}

TChoiceColor::TChoiceColor() {
    std::fill(std::begin(Reverse), std::end(Reverse), int16_t(-1));
}

bool TChoiceColor::Add(int index, const TPalette& palette) {
    return AddEntry(index, palette[index]);
}

bool TChoiceColor::AddEntry(int index, const TColorData& entry) {
    if (index < 0 || index > 255 || Count() >= 256 || Contains(index)) return false;
    Reverse[index] = int16_t(Count());
    Entries.push_back(entry);
    Indices.push_back(uint8_t(index));
    return true;
}

void TChoiceColor::Remove(int index) {
    if (!Contains(index)) return;
    const size_t k = size_t(Reverse[index]);
    Entries.erase(Entries.begin() + ptrdiff_t(k));
    Indices.erase(Indices.begin() + ptrdiff_t(k));
    std::fill(std::begin(Reverse), std::end(Reverse), int16_t(-1));
    for (size_t i = 0; i < Indices.size(); ++i)
        Reverse[Indices[i]] = int16_t(i);
}

void TChoiceColor::Clear() {
    Entries.clear();
    Indices.clear();
    std::fill(std::begin(Reverse), std::end(Reverse), int16_t(-1));
}

void TChoiceColor::Bind(const TPalette& palette) {
    for (size_t i = 0; i < Indices.size(); ++i)
        Entries[i] = palette[Indices[i]];
}
