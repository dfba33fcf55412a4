#include "shell/Newcanvas.h"

#include "platform/Bitmaphandle.h"
#include "platform/Inifile.h"
#include "shell/Stringtable.h"

namespace {

// Entries of the "NewCanvas" table: the sheets in centimetres from 18, in
// inches from 26, the dot formats from 34; "User Defines" at 17.
constexpr int kCmTexts = 18, kInchTexts = 26, kDotTexts = 34, kUserText = 17;

} // namespace

int PaperTypeOfSizeIndex(int index) {
    if (index < 0 || index >= kUserDefinesIndex) return kPaperCustom;
    return index >= 5 ? index + 1 : index;
}

int SizeIndexOfPaperType(int type) {
    if (type == kPaperCustom || type < 0 || type >= kPaperTypes) return kUserDefinesIndex;
    return type >= 6 ? type - 1 : type;
}

QStringList SizeListTexts(const TStringTable& texts, int unit, int dpi) {
    QStringList list;
    for (int k = 0; k < kUserDefinesIndex; ++k) {
        if (unit == UnitCm) {
            list << texts.Get(kCmTexts + k);
        } else if (unit == UnitInch) {
            list << texts.Get(kInchTexts + k);
        } else {
            const int type = PaperTypeOfSizeIndex(k);
            // The sheet in dots as typing its inches would give them.
            const int w = TypedSizeToDots(PaperInchWidth(type), UnitInch, dpi);
            const int h = TypedSizeToDots(PaperInchHeight(type), UnitInch, dpi);
            list << QString::asprintf(texts.Get(kDotTexts + k).toLatin1().constData(), w, h);
        }
    }
    list << texts.Get(kUserText);
    return list;
}

int TextToDots(const QString& text, int unit, int dpi, bool* ok) {
    bool good = false;
    const double v = text.trimmed().toDouble(&good);
    if (ok) *ok = good;
    return good ? TypedSizeToDots(v, unit, dpi) : 0;
}

TNewCanvasSettings ReadNewCanvasSettings(const TIniFile& env) {
    TNewCanvasSettings s;
    s.Dpi = env.ReadInteger(QStringLiteral("CanvasInfor"), QStringLiteral("DPI"), 160);
    const int choice = env.ReadInteger(QStringLiteral("MainImage"), QStringLiteral("Size"), 0);
    s.SizeIndex = choice >= 0 && choice < kUserDefinesIndex ? choice : 0;
    return s;
}

TNewCanvasSettings DefaultNewCanvas() {
    TNewCanvasSettings s;
    s.SizeIndex = 0;
    s.Orientation = 0;
    s.Dpi = 160;
    s.Unit = UnitInch;
    return s;
}

bool NewCanvasPaper(const TNewCanvasSettings& s, TPaper& paper) {
    if (s.Dpi < kMinDpi || s.Dpi > kMaxDpi) return false;
    TPaper p;
    p.dpi = uint16_t(s.Dpi);
    const int type = PaperTypeOfSizeIndex(s.SizeIndex);
    if (type == kPaperCustom) {
        bool okW = false, okH = false;
        const int w = TextToDots(s.WidthText, s.Unit, s.Dpi, &okW);
        const int h = TextToDots(s.HeightText, s.Unit, s.Dpi, &okH);
        if (!okW || !okH || w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide) return false;
        SetPaper(p, kPaperCustom, w, h);
    } else {
        p.orientation = uint8_t(s.Orientation ? 1 : 0);
        SetPaper(p, type);
    }
    paper = p;
    return true;
}
