#pragma once
// File names joined to directories, with a case-insensitive fallback: settings,
// language and data files are named by the program in mixed case ("Fill.Ini",
// "carpet\splash.bmp") while the shipped tree has one spelling of each.

#include <QString>

// dir + "/" + name (no doubled separator). When that path does not exist but one
// differing only in letter case does, the existing one is returned.
QString JoinPath(const QString& dir, const QString& name);

// The existing path that matches path without regard to case, or path itself.
QString ResolveCase(const QString& path);
