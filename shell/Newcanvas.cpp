#include "shell/Newcanvas.h"

#include <algorithm>

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

namespace {
const QString kLast = QStringLiteral("NewCanvas");
}

TNewCanvasSettings ReadNewCanvasSettings(const TIniFile& env) {
    TNewCanvasSettings s;
    s.Dpi = env.ReadInteger(QStringLiteral("CanvasInfor"), QStringLiteral("DPI"), 160);
    const int choice = env.ReadInteger(QStringLiteral("MainImage"), QStringLiteral("Size"), 0);
    s.SizeIndex = choice >= 0 && choice < kUserDefinesIndex ? choice : 0;
    const int last = env.ReadInteger(kLast, QStringLiteral("Size"), -1);
    if (last < 0 || last > kUserDefinesIndex) return s;
    s.SizeIndex = last;
    s.Dpi = std::clamp(env.ReadInteger(kLast, QStringLiteral("DPI"), s.Dpi), kMinDpi, kMaxDpi);
    s.Unit = std::clamp(env.ReadInteger(kLast, QStringLiteral("Unit"), s.Unit), int(UnitDot), int(UnitCm));
    s.Orientation = env.ReadInteger(kLast, QStringLiteral("Orientation"), 0) ? 1 : 0;
    s.WidthText = env.ReadString(kLast, QStringLiteral("Width"), QString());
    s.HeightText = env.ReadString(kLast, QStringLiteral("Height"), QString());
    return s;
}

void WriteNewCanvasSettings(TIniFile& env, const TNewCanvasSettings& s) {
    env.WriteInteger(kLast, QStringLiteral("Size"), s.SizeIndex);
    env.WriteInteger(kLast, QStringLiteral("DPI"), s.Dpi);
    env.WriteInteger(kLast, QStringLiteral("Unit"), s.Unit);
    env.WriteInteger(kLast, QStringLiteral("Orientation"), s.Orientation);
    env.WriteString(kLast, QStringLiteral("Width"), s.WidthText);
    env.WriteString(kLast, QStringLiteral("Height"), s.HeightText);
}

QString PaperSideText(int dots, int unit, int dpi) {
    if (unit == UnitDot) return QString::number(dots);
    return QString::number(DotsToLength(dots, unit, dpi), 'f', 3);
}

TNewCanvasSettings DefaultNewCanvas() {
    TNewCanvasSettings s;
    s.SizeIndex = 0;
    s.Orientation = 0;
    s.Dpi = 160;
    s.Unit = UnitInch;
    return s;
}

TNewCanvasProblem NewCanvasPaper(const TNewCanvasSettings& s, int bitsPerPixel, TPaper& paper) {
    if (s.Dpi < kMinDpi || s.Dpi > kMaxDpi) return TNewCanvasProblem::BadDpi;
    TPaper p;
    p.dpi = uint16_t(s.Dpi);
    const int type = PaperTypeOfSizeIndex(s.SizeIndex);
    if (type == kPaperCustom) {
        bool okW = false, okH = false;
        const int w = TextToDots(s.WidthText, s.Unit, s.Dpi, &okW);
        const int h = TextToDots(s.HeightText, s.Unit, s.Dpi, &okH);
        if (!okW || !okH || w <= 0 || h <= 0) return TNewCanvasProblem::NoSize;
        if (w > kMaxBitmapSide || h > kMaxBitmapSide) return TNewCanvasProblem::TooLarge;
        SetPaper(p, kPaperCustom, w, h);
    } else {
        p.orientation = uint8_t(s.Orientation ? 1 : 0);
        SetPaper(p, type);
    }
    if (!BitmapSizeAllowed(p.width, p.height, bitsPerPixel)) return TNewCanvasProblem::TooLarge;
    paper = p;
    return TNewCanvasProblem::None;
}
