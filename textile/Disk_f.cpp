#include "textile/Disk_f.h"

// The diskette exchange comes with its own dialog; until then nothing is exchanged.
bool ShowDiskManager(QWidget*, TDocument&, const TCurrentColour&) {
    return false;
}
