// new: a blank canvas of a paper size at a resolution, as File > New makes it.
#include "Commands.h"
#include "colour/Currentcolour.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/File.h"
#include "shell/Mainimage.h"
#include "shell/Paper.h"

#include <cstdio>

namespace {

// "A4" ... "Tabloid" by name, or a custom "WxH" in dots; -1 when neither.
int PaperOfText(const QString& text, TPaper& paper) {
    for (int type = 0; type < kPaperTypes; ++type)
        if (type != kPaperCustom && PaperName(type).compare(text, Qt::CaseInsensitive) == 0) return type;
    const QStringList wh = text.toLower().split('x');
    bool okW = false, okH = false;
    if (wh.size() == 2) {
        paper.width = wh[0].toInt(&okW);
        paper.height = wh[1].toInt(&okH);
    }
    return okW && okH && paper.width > 0 && paper.height > 0 ? kPaperCustom : -1;
}

} // namespace

int CommandNew(const QStringList& input) {
    QStringList args = input;
    QString paperText = QStringLiteral("A4"), dpiText = QStringLiteral("160"), colors = QStringLiteral("256");
    QString fillText = QStringLiteral("0"), compression = QStringLiteral("2");
    const bool landscape = args.removeAll(QStringLiteral("--landscape")) > 0;
    TPaper paper;
    bool dpiOk = false, fillOk = false;
    const bool parsed = TakeOption(args, "--paper", paperText) && TakeOption(args, "--dpi", dpiText) &&
                        TakeOption(args, "--colors", colors) && TakeOption(args, "--fill", fillText) &&
                        TakeOption(args, "--compression", compression);
    const int type = PaperOfText(paperText, paper);
    const int dpi = dpiText.toInt(&dpiOk), fill = fillText.toInt(&fillOk);
    if (!parsed || args.size() != 1 || type < 0 || !dpiOk || dpi < kMinDpi || dpi > kMaxDpi || !fillOk ||
        fill < 0 || fill > 255 || (colors != "256" && colors != "full") ||
        (compression != "0" && compression != "2")) {
        std::fputs("usage: velmora-cli new OUT [--paper A0..A4|Letter|Legal|Tabloid|WxH] [--dpi 50..1000]\n"
                   "       [--colors 256|full] [--fill INDEX] [--landscape] [--compression 0|2]\n",
                   stderr);
        return 2;
    }
    paper.dpi = uint16_t(dpi);
    paper.orientation = landscape ? 1 : 0;
    SetPaper(paper, type, paper.width, paper.height);
    TDesign design;
    const uint32_t code =
        NewCanvasDesign(design, paper, colors == "256" ? 8 : 24, TCurrentColour::OfIndex(fill));
    if (code) return Fail(code, QStringLiteral("%1 x %2").arg(paper.width).arg(paper.height));
    if (const uint32_t saved = SaveDesign(args[0], 0, compression.toInt(), design))
        return Fail(saved, args[0]);
    return 0;
}
