// Language files (".tdw"): the input as English.tdw, read for its [Message]
// section, from a file and a named pipe.
#include "Fuzzinput.h"
#include "shell/Stringtable.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QDir().mkpath(FuzzDir() + "/lang");
    // One table per pipe: the reader opens the file once ("Other" has no file of its own).
    OnFileAndPipe(FuzzBytes(data, size), "lang/English.tdw", [](const QString& path) {
        TStringTable table;
        table.Load(QFileInfo(path).absolutePath(), "Other", "Message");
        FillPlaces(table.Get(1), {"a", "b"});
    });
    return 0;
}
