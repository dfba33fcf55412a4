// Language files (".tdw"): the input as English.tdw, read for a section, from a
// file and a named pipe.
#include "Fuzzinput.h"
#include "shell/Stringtable.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QDir().mkpath(FuzzDir() + "/lang");
    OnFileAndPipe(FuzzBytes(data, size), "lang/English.tdw", [](const QString& path) {
        for (const char* section : {"Message", "Menu"}) {
            TStringTable table;
            table.Load(QFileInfo(path).absolutePath(), "English", section);
            FillPlaces(table.Get(1), {"a", "b"});
        }
    });
    return 0;
}
