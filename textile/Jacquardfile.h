#pragma once
// The jacquard tool's list: entries made from the weave library, kept in
// "Jacquard.ini" and exchanged as ".jqd" files.
//
// "Jacquard.ini": [Count] cnt = n; sections "0" .. "n-1" with the keys Itm
// (part), pts (type), Name (group key), disName, zoom, num (weave in its
// group), Ind, Rot and Use. The ini names weaves by their place in the
// library, so an entry whose weave is not there any more is left out.
//
// ".jqd" (little-endian) holds the weaves themselves, so a file opens with any
// library:
//   0   4  "VJQD"
//   4   2  layout version (1)
//   6   2  effect colour (palette index 2 .. 251)
//   8   2  entry count n (0 .. kMaxJacquardEntries)
//   then n entries:
//       1 part, 1 type, 1 zoom (1 .. 64), 1 Rot (0 .. 3), 1 Use (0, 1), 1 zero,
//       2 weave number, 2 Ind, 2 group number (1 ..),
//       22 group key, 22 display name (Latin-1, zero-filled),
//       2 width W, 2 height H (1 .. kMaxWeaveSide), W x H cells (0 or 1) row after row.
// Every field is checked before anything is allocated; a bad file is refused whole.

#include "textile/Jacquard.h"

#include <QString>
#include <vector>

class QIODevice;

constexpr int kMaxJacquardEntries = 1024;

struct TJacquardList {
    std::vector<TJacquardEntry> Entries;
    int EffectColour = 2;
    bool operator==(const TJacquardList&) const = default;
};

// The entry for weave of group (index) of part and type in library, at zoom.
// False when the library has no such weave.
bool MakeJacquardEntry(const TTexture& library, int part, int type, int group, int weave, int zoom,
                       TJacquardEntry& out);
// Looks entry's weave up by part, type, key and number, setting Weave and Group.
bool FindJacquardWeave(const TTexture& library, TJacquardEntry& entry);

std::vector<TJacquardEntry> ReadJacquardIni(const QString& path, const TTexture& library);
bool WriteJacquardIni(const QString& path, const std::vector<TJacquardEntry>& entries);

// 0, or BadFile for a file that is not a jacquard file, ends early or holds
// impossible values; list is set only on success.
uint32_t ReadJacquard(QIODevice* file, TJacquardList& list);
uint32_t ReadJacquardFile(const QString& path, TJacquardList& list);
// Writes list, replacing path only when complete. 0, BadFile for more entries
// than a file holds, CannotCreateFile or CannotWriteFile.
uint32_t WriteJacquardFile(const QString& path, const TJacquardList& list);

// The entry's weave as a WIF file, turned as its Rot turns it on the design.
uint32_t WriteJacquardWif(const QString& path, const TJacquardEntry& entry);
