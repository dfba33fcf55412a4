// Ini files with colour sets: every section read as a colour set, from a file
// and a named pipe.
#include "Fuzzinput.h"
#include "colour/Colorset.h"
#include "colour/Palette.h"
#include "platform/Inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnFileAndPipe(FuzzBytes(data, size), "input.ini", [](const QString& path) {
        TIniFile ini(path);
        for (const QString& section :
             {QStringLiteral("Colors"), QStringLiteral("Set1"), QStringLiteral("Stripe")}) {
            TChoiceColor set;
            LoadColorSet(ini, section, set);
            ini.ReadSection(section);
        }
    });
    return 0;
}
