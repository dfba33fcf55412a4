// carpet-disk: carpet diskette images written from designs and read into canvases.
#include "Commands.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "textile/Diskaccess.h"
#include "textile/Diskimage.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kCarpetDiskUsage = "usage: velmora-cli carpet-disk write DESIGN IMAGE [--window W,H]\n"
                                     "       velmora-cli carpet-disk read IMAGE OUT [--canvas W,H] "
                                     "[--colour N] [--json]\n";

int Usage() {
    std::fputs(kCarpetDiskUsage, stderr);
    return 2;
}

void PrintCompactJson(const QJsonObject& object) {
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
}

// Reports code and prints it as {"error": "0x..."}; returns 1.
int DiskFail(uint32_t code, const QString& extra = QString()) {
    PrintCompactJson(QJsonObject{
        {"error", "0x" + QString::number(code, 16).toUpper().rightJustified(8, QLatin1Char('0'))}});
    return Fail(code, extra);
}

// "W,H" with both at least 1 (canvases) or 0 (windows); false otherwise.
bool Size(const QString& text, int least, int& width, int& height) {
    const QStringList parts = text.split(QLatin1Char(','));
    bool okW = false, okH = false;
    if (parts.size() != 2) return false;
    width = parts[0].trimmed().toInt(&okW);
    height = parts[1].trimmed().toInt(&okH);
    return okW && okH && width >= least && height >= least;
}

int Write(QStringList args) {
    QString window;
    int width = 0, height = 0;
    if (!TakeOption(args, "--window", window) || args.size() != 2 ||
        (!window.isEmpty() && !Size(window, 0, width, height)))
        return Usage();
    if (!QFileInfo(args[0]).isFile()) return DiskFail(ErrorCode::FileNotFound, args[0]);
    TDocument doc;
    const QFileInfo in(args[0]);
    QString detail;
    if (const uint32_t code = doc.Open(in.absolutePath(), in.fileName(), 0, 0, &detail))
        return DiskFail(code, detail.isEmpty() ? args[0] : args[0] + QStringLiteral(": ") + detail);
    // Without --window the design's own carpet window: a carpet file's, else the whole design.
    if (window.isEmpty()) width = doc.CarpetWindow().Width, height = doc.CarpetWindow().Height;
    auto target = MakeImageFileTarget(args[1]);
    if (const uint32_t code = WriteCarpetDiskette(doc, width, height, *target, nullptr))
        return DiskFail(code, args[1]);
    return 0;
}

int Read(QStringList args) {
    const bool json = args.removeAll("--json") > 0;
    QString canvas, colour = QStringLiteral("2");
    int width = 0, height = 0;
    bool colourOk = false;
    const int index = TakeOption(args, "--colour", colour) ? colour.toInt(&colourOk) : -1;
    if (!TakeOption(args, "--canvas", canvas) || args.size() != 2 || !colourOk || index < 0 || index > 255 ||
        (!canvas.isEmpty() && !Size(canvas, 1, width, height)))
        return Usage();
    if (!QFileInfo(args[0]).isFile()) return DiskFail(ErrorCode::FileNotFound, args[0]);
    if (canvas.isEmpty()) {
        // 1700 knots wide and as tall as the carpet (a carpet of no rows gets one).
        std::vector<uint8_t> image;
        if (const uint32_t code = ReadDiskette(*MakeImageFileTarget(args[0]), image, nullptr))
            return DiskFail(code, args[0]);
        const int rows = CarpetDisketteRows(image);
        if (rows < 0) return DiskFail(ErrorCode::NotCarpetDiskette, args[0]);
        width = CarpetDisk::kKnots, height = std::max(rows, 1);
    }
    TPaper paper;
    SetPaper(paper, kPaperCustom, width, height);
    TDocument doc;
    const TCurrentColour fill = TCurrentColour::OfIndex(index);
    if (const uint32_t code = doc.NewCanvas(paper, 8, fill)) return DiskFail(code);
    doc.AttachUndo();
    if (const uint32_t code = ReadCarpetDiskette(doc, *MakeImageFileTarget(args[0]), fill, nullptr))
        return DiskFail(code, args[0]);
    const QFileInfo out(args[1]);
    if (const uint32_t code = doc.Save(out.absolutePath(), out.fileName(), 2, 0))
        return DiskFail(code, args[1]);
    if (json)
        PrintCompactJson(QJsonObject{{"window_width", doc.CarpetWindow().Width},
                                     {"window_height", doc.CarpetWindow().Height}});
    return 0;
}

} // namespace

int CommandCarpetDisk(const QStringList& input) {
    QStringList args = input;
    if (args.isEmpty()) return Usage();
    const QString what = args.takeFirst();
    if (what == "write") return Write(args);
    if (what == "read") return Read(args);
    return Usage();
}
