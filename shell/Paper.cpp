#include "shell/Paper.h"

namespace {

struct PaperSize {
    const char* Name;
    double Width, Height; // inches, portrait
};

constexpr PaperSize kPapers[kPaperTypes] = {
    {"A4", 7.8, 11.0},     {"A3", 11.0, 15.6},   {"A2", 15.6, 22.0},
    {"A1", 22.0, 31.2},    {"A0", 31.2, 44.0},   {"", 0.0, 0.0},
    {"Letter", 8.0, 10.3}, {"Legal", 8.0, 13.2}, {"Tabloid", 10.3, 16.0},
};

const PaperSize& SizeOf(int type) {
    return type >= 0 && type < kPaperTypes && type != kPaperCustom ? kPapers[type] : kPapers[0];
}

} // namespace

QString PaperName(int type) {
    return type == kPaperCustom ? QString() : QString::fromLatin1(SizeOf(type).Name);
}
double PaperInchWidth(int type) {
    return SizeOf(type).Width;
}
double PaperInchHeight(int type) {
    return SizeOf(type).Height;
}

bool PaperIsLandscape(const TPaper& paper) {
    return paper.type == kPaperCustom ? paper.width > paper.height : paper.orientation != 0;
}

int PaperWidth(const TPaper& paper) {
    if (paper.type == kPaperCustom) return paper.width;
    const PaperSize& s = SizeOf(paper.type);
    return RoundedDots(paper.orientation == 0 ? s.Width : s.Height, UnitInch, paper.dpi);
}

int PaperHeight(const TPaper& paper) {
    if (paper.type == kPaperCustom) return paper.height;
    const PaperSize& s = SizeOf(paper.type);
    return RoundedDots(paper.orientation == 0 ? s.Height : s.Width, UnitInch, paper.dpi);
}

void SetPaper(TPaper& paper, int type, int width, int height) {
    paper.type = int8_t(type);
    if (type == kPaperCustom) {
        paper.width = width;
        paper.height = height;
    } else {
        paper.width = PaperWidth(paper);
        paper.height = PaperHeight(paper);
    }
}

void FormatPaper(const TPaper& paper, int unit, QString& name, QString& size) {
    name = PaperName(paper.type);
    const int w = PaperWidth(paper), h = PaperHeight(paper);
    if (unit == UnitInch || unit == UnitCm)
        size =
            QString::asprintf("%f x %f", DotsToLength(w, unit, paper.dpi), DotsToLength(h, unit, paper.dpi));
    else
        size = QString::asprintf("%d x %d", w, h);
}

int PaperTypeOfSizeChoice(int choice) {
    return choice >= 5 ? choice + 1 : choice;
}
int SizeChoiceOfPaperType(int type) {
    return type >= 6 ? type - 1 : type;
}

QString SizeChoiceCode(int choice) {
    static const char* const codes[] = {"cstA4", "cstA3",     "cstA2",    "cstA1",
                                        "cstA0", "cstLetter", "cstLegal", "cstTabloid"};
    return choice >= 0 && choice < 8 ? QString::fromLatin1(codes[choice]) : QString();
}
