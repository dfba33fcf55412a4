// velmora-cli: the design engines in batch, for scripts and checks.
#include "Commands.h"
#include "shell/Common.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char* const kUsage =
    "usage: velmora-cli COMMAND ...\n"
    "  info FILE...                     describe designs and pictures\n"
    "  convert IN OUT [--colors 256|full] [--compression 0|2]\n"
    "                                   convert between design files and pictures\n"
    "  thumbnail IN OUT.png             write the 80 x 100 thumbnail of a design\n"
    "  dump FILE --json [--legacy-bottom-up]\n"
    "                                   header, palette and pixel digest as JSON\n"
    "                                   (.cpt: with its carpet block; .ctx: a texture)\n"
    "  dump DATAFILE --json --count N   the first N weaves of a weave data file\n"
    "  dump TEXTUREDIR --json           the whole weave library of a texture directory\n"
    "  dump FILE.vmc|FILE.ptc --json --library vm-standard|vm-textile|pantone-1000|pantone-textile\n"
    "                                   the pages and colours of a colour library\n"
    "  make-color-libraries DIR         write the VM Standard and VM Textile libraries\n"
    "  nearest R,G,B [--library NAME]   the nearest colour of each colour library\n"
    "                                   (.cpt: with its carpet block; .ctx: a texture;\n"
    "                                   .fcr: the palette; .ucl: the user colours)\n"
    "  dump SETTINGS.ini --json --section NAME\n"
    "                                   a colour set kept in a settings file\n"
    "  make-palette OUT.fcr             write the default palette of new designs\n"
    "  repeat IN OUT --tile L,T,W,H [--type normal|half-drop-ver|half-drop-hor]\n"
    "         [--drop PIXELS|N/D] [--superimpose 0|1|2] [--size-limit X,Y]\n"
    "                                   repeat a tile of the design over it\n"
    "  reduce IN OUT --colors N [--filter 3|5|9]\n"
    "                                   reduce a design to N colours by median cut\n"
    "  colors IN --json                 pixel count and share of each used index\n"
    "  make-carpet-textures DIR         write the starter library of pile textures\n"
    "  make-weave-library DIR           write the weave library (DIR: a texture directory)\n"
    "  weave FILE.wif OUT.wif           read a WIF weave and write it again\n"
    "  carpet-disk write DESIGN IMAGE [--window W,H]\n"
    "                                   write a carpet machine's diskette image\n"
    "  carpet-disk read IMAGE OUT [--canvas W,H] [--colour N] [--json]\n"
    "                                   read a diskette image into a new canvas\n"
    "  stripe FILE.stp DESIGN OUT --angle DEGREES\n"
    "                                   lay the stripes over the whole design\n"
    "  palette IN.fcr|IN.gpl OUT.gpl|OUT.fcr\n"
    "                                   convert between palette files and GIMP palettes\n"
    "  report DESIGN --csv              pixels, share and area of each used colour\n"
    "  new OUT [--paper A0..A4|Letter|Legal|Tabloid|WxH] [--dpi 50..1000] [--colors 256|full]\n"
    "      [--fill INDEX] [--landscape] [--compression 0|2]\n"
    "                                   a blank canvas as File > New makes it\n"

    "  pdf DESIGN OUT.pdf [--fit|--true-size|--tile] [--overlap MM] [--key] [--paper A4|A3|Letter]\n"
    "                                   the printed pages as a PDF (tiles: overlap in mm,\n"
    "                                   marks and labels; key: the used colours)\n";

} // namespace

int Fail(uint32_t code, const QString& extra) {
    ReportError(code, MB_OK, extra);
    return 1;
}

bool TakeOption(QStringList& args, const QString& name, QString& value) {
    const int at = args.indexOf(name);
    if (at < 0) return true;
    if (at + 1 >= args.size()) return false;
    value = args[at + 1];
    args.remove(at, 2);
    return true;
}

bool InputMissing(const QString& path) {
    if (QFileInfo(path).isFile()) return false;
    Fail(ErrorCode::FileNotFound, path);
    return true;
}

int OpenInput(const QString& path, int bitsPerPixel, TDesign& design) {
    if (InputMissing(path)) return 1;
    QString detail;
    if (const uint32_t code = OpenDesign(path, 0, bitsPerPixel, design, 0, &detail))
        return Fail(code, detail.isEmpty() ? path : path + QStringLiteral(": ") + detail);
    return 0;
}

int OpenDocument(const QString& path, int bitsPerPixel, TDocument& doc) {
    if (InputMissing(path)) return 1;
    const QFileInfo in(path);
    QString detail;
    if (const uint32_t code = doc.Open(in.absolutePath(), in.fileName(), bitsPerPixel, 0, &detail))
        return Fail(code, detail.isEmpty() ? path : path + QStringLiteral(": ") + detail);
    return 0;
}

int main(int argc, char** argv) {
    // pdf paints text, which needs a GUI application's fonts; offscreen needs no display.
    const bool fonts = argc > 1 && std::strcmp(argv[1], "pdf") == 0;
    if (fonts && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = fonts ? std::make_unique<QGuiApplication>(argc, argv)
                                                        : std::make_unique<QCoreApplication>(argc, argv);
    SetErrorPresenter(StderrPresenter);
    LoadConfiguration();
    LoadAppTables();
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    int status = 2;
    if (command == "info")
        status = CommandInfo(args);
    else if (command == "convert")
        status = CommandConvert(args);
    else if (command == "thumbnail")
        status = CommandThumbnail(args);
    else if (command == "dump")
        status = CommandDump(args);
    else if (command == "make-palette")
        status = CommandMakePalette(args);
    else if (command == "repeat")
        status = CommandRepeat(args);
    else if (command == "make-carpet-textures")
        status = CommandMakeCarpetTextures(args);
    else if (command == "reduce")
        status = CommandReduce(args);
    else if (command == "colors")
        status = CommandColors(args);
    else if (command == "carpet-disk")
        status = CommandCarpetDisk(args);
    else if (command == "stripe")
        status = CommandStripe(args);
    else if (command == "make-weave-library")
        status = CommandMakeWeaveLibrary(args);
    else if (command == "weave")
        status = CommandWeave(args);
    else if (command == "make-color-libraries")
        status = CommandMakeColorLibraries(args);
    else if (command == "nearest")
        status = CommandNearest(args);
    else if (command == "palette")
        status = CommandPalette(args);
    else if (command == "report")
        status = CommandReport(args);
    else if (command == "new")
        status = CommandNew(args);
    else if (command == "pdf")
        status = CommandPdf(args);
    else
        std::fputs(kUsage, stderr);
    FreeAppTables();
    return status;
}
