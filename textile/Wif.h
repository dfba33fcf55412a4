#pragma once
// Weaves as WIF 1.1 files ("Weaving Information File"), which weaving programs
// exchange: the threading, a direct tie-up (treadle s ties shaft s) with its
// treadling, the lift plan, and a colour table (white warp, black weft).
// Threads and picks count from 1: thread i is the weave's end i - 1, pick j its
// row j - 1.
#include "textile/Texture.h"

#include <QByteArray>
#include <QString>

// The file's text for weave (its draft made first when it has none).
QByteArray WifBytes(const TTexBitData& weave);
// Reads a WIF text into out: the cells come from the threading and the lift plan
// (or the tie-up with the treadling), rising shed unless the file says otherwise.
// 0, or BadFile with detail naming the missing section or bad entry; out is set
// only on success.
uint32_t ParseWif(const QByteArray& text, TTexBitData& out, QString* detail = nullptr);

uint32_t ReadWif(const QString& path, TTexBitData& out, QString* detail = nullptr);
// 0, CannotCreateFile, CannotWriteFile.
uint32_t WriteWif(const QString& path, const TTexBitData& weave);
