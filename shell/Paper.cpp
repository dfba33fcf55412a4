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

int Dots(int dpi, double inches) {
    return int(dpi * inches + 0.5);
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

int PaperWidth(const TPaper& paper) {
    if (paper.type == kPaperCustom) return paper.width;
    const PaperSize& s = SizeOf(paper.type);
    return Dots(paper.dpi, paper.orientation == 0 ? s.Width : s.Height);
}

int PaperHeight(const TPaper& paper) {
    if (paper.type == kPaperCustom) return paper.height;
    const PaperSize& s = SizeOf(paper.type);
    return Dots(paper.dpi, paper.orientation == 0 ? s.Height : s.Width);
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
    switch (unit) {
    case UnitInch:
        size = QString::asprintf("%f x %f", DotsToInches(w, paper.dpi), DotsToInches(h, paper.dpi));
        break;
    case UnitCm:
        size = QString::asprintf("%f x %f", DotsToCm(w, paper.dpi), DotsToCm(h, paper.dpi));
        break;
    default:
        size = QString::asprintf("%d x %d", w, h);
        break;
    }
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

double DotsToInches(double dots, int dpi) {
    return dpi > 0 ? dots / dpi : 0.0;
}
double DotsToCm(double dots, int dpi) {
    return dpi > 0 ? dots * 2.54 / dpi : 0.0;
}
int InchesToDots(double inches, int dpi) {
    return int(dpi * inches + 0.5);
}
int CmToDots(double cm, int dpi) {
    return InchesToDots(cm / 2.54, dpi);
}
