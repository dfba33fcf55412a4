#include "tools/Repeatsettings.h"

#include "platform/Inifile.h"

#include <algorithm>

namespace {
const QString kArea = QStringLiteral("WorkArea"), kMatch = QStringLiteral("Match");
const QString kWidth = QStringLiteral("Width"), kHeight = QStringLiteral("Height");

bool Vertical(int function) {
    return function == RepeatHalfDropVer || function == RepeatMatchVer;
}
bool Horizontal(int function) {
    return function == RepeatHalfDropHor || function == RepeatMatchHor;
}
} // namespace

void TRepeatState::Clamp() {
    TRepeatSettings& s = Settings;
    if (s.Tile.width() <= 0 || s.Tile.height() <= 0) s.Tile = QRect();
    s.Function = std::clamp(s.Function, int(RepeatNormal), int(RepeatMatchHor));
    s.CountX = std::clamp(s.CountX, 1, kRepeatCountMax);
    s.CountY = std::clamp(s.CountY, 1, kRepeatCountMax);
    DropVer = std::clamp(DropVer, 0, std::max(s.Tile.height(), 0));
    DropHor = std::clamp(DropHor, 0, std::max(s.Tile.width(), 0));
    Match.Function = std::clamp(Match.Function, int(RepeatMatchNormal), int(RepeatMatchHor));
    Match.Count = std::max(Match.Count, 0);
    const int along = Match.Function == RepeatMatchVer ? Match.Tile.height() : Match.Tile.width();
    Match.Drop = Match.Function == RepeatMatchNormal ? 0 : std::clamp(Match.Drop, 0, std::max(along, 0));
    if (Match.Tile.width() <= 0 || Match.Tile.height() <= 0) Match.Count = 0;
}

TRepeatSettings TRepeatState::Current() const {
    TRepeatSettings s = Settings;
    s.Drop = Vertical(s.Function) ? DropVer : Horizontal(s.Function) ? DropHor : 0;
    return s;
}

TRepeatState ReadRepeatState(const TIniFile& ini) {
    TRepeatState state;
    auto read = [&ini](const QString& section, const QString& key, int fallback) {
        return ini.ReadInteger(section, key, fallback);
    };
    state.Index = read(QStringLiteral("Key"), QStringLiteral("Index"), -1);
    const QRect tile(read(kArea, QStringLiteral("Left"), 0), read(kArea, QStringLiteral("Top"), 0),
                     read(kArea, kWidth, 0), read(kArea, kHeight, 0));
    state.Settings.Tile = tile;
    TRepeatMatch& m = state.Match;
    m.Function = read(kMatch, QStringLiteral("Type"), RepeatMatchNormal);
    // The offset stands in the key of the side it shifts along.
    state.DropHor = read(kMatch, kWidth, 0);
    state.DropVer = read(kMatch, kHeight, 0);
    m.Drop = m.Function == RepeatMatchVer ? state.DropVer : m.Function == RepeatMatchHor ? state.DropHor : 0;
    m.Count = read(kMatch, QStringLiteral("Count"), 0);
    m.Tile = tile; // matches stand on the stored tile
    state.Clamp();
    return state;
}

void WriteRepeatState(TIniFile& ini, const TRepeatState& state) {
    // The tile the matches stand on is the one stored while any stand.
    const QRect tile = state.Match.Count > 0 ? state.Match.Tile : state.Settings.Tile;
    ini.WriteInteger(QStringLiteral("Key"), QStringLiteral("Index"), state.Index);
    ini.WriteInteger(kArea, QStringLiteral("Left"), tile.left());
    ini.WriteInteger(kArea, QStringLiteral("Top"), tile.top());
    ini.WriteInteger(kArea, kWidth, std::max(tile.width(), 0));
    ini.WriteInteger(kArea, kHeight, std::max(tile.height(), 0));
    const TRepeatMatch& m = state.Match;
    ini.WriteInteger(kMatch, QStringLiteral("Type"), m.Function);
    ini.WriteInteger(kMatch, kWidth, m.Function == RepeatMatchHor ? m.Drop : state.DropHor);
    ini.WriteInteger(kMatch, kHeight, m.Function == RepeatMatchVer ? m.Drop : state.DropVer);
    ini.WriteInteger(kMatch, QStringLiteral("Count"), m.Count);
}
