#pragma once
// The commands of velmora-cli. Each returns the process exit status: 0 on
// success, 1 on failure (after reporting the error code's text), 2 on bad usage.
#include <QStringList>

int CommandInfo(const QStringList& args);
int CommandConvert(const QStringList& args);
int CommandThumbnail(const QStringList& args);
int CommandDump(const QStringList& args);
int CommandMakePalette(const QStringList& args);
int CommandRepeat(const QStringList& args);
int CommandMakeCarpetTextures(const QStringList& args);
int CommandReduce(const QStringList& args);
int CommandColors(const QStringList& args);
int CommandCarpetDisk(const QStringList& args);
int CommandStripe(const QStringList& args);
int CommandMakeWeaveLibrary(const QStringList& args);
int CommandWeave(const QStringList& args);
// dump of a weave data file (count weaves) and of a whole texture directory.
int DumpWeaveFile(const QString& path, const QString& countText);
int DumpTextureDirectory(const QString& path);
int CommandMakeColorLibraries(const QStringList& args);
int CommandNearest(const QStringList& args);
// dump FILE --json --library NAME: the pages and records of a colour library file.
int DumpLibrary(const QString& path, const QString& name);
int CommandPalette(const QStringList& args);
int CommandReport(const QStringList& args);
int CommandNew(const QStringList& args);
int CommandPdf(const QStringList& args);

struct TDesign;
class TDocument;

// Shared by the commands: reports code through ReportError and returns 1.
int Fail(uint32_t code, const QString& extra = QString());
// Reads "--name value" out of args (and removes it); false when the value is missing.
bool TakeOption(QStringList& args, const QString& name, QString& value);
// True, after reporting it, when path names no file: every command checks its input thus.
bool InputMissing(const QString& path);
// Opens path as the desktop program opens it (OpenDesign at bitsPerPixel), reporting
// a missing file or a refusal with the program's message; returns 0 or 1.
int OpenInput(const QString& path, int bitsPerPixel, TDesign& design);
// Opens path into doc as OpenInput does (bitsPerPixel 0 keeps the file's depth); returns 0 or 1.
int OpenDocument(const QString& path, int bitsPerPixel, TDocument& doc);

class QJsonObject;
class QJsonArray;
class TPalette;
// Prints out, indented, on standard output.
void PrintJson(const QJsonObject& out);
// The 256 entries as dump prints a design's palette.
QJsonArray PaletteJson(const TPalette& palette);
// dump of a palette file (".fcr"), a user colour library (".ucl") or, with a
// section, a colour set in an ini file; -1 when path is none of them.
int DumpColourFile(const QString& path, const QString& section);
