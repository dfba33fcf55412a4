#pragma once
// A numbered table of texts read from one section of the language files.
//
// Each language folder holds "English.tdw", whose section "Length" fixes how many
// entries the table has; the entries come from <language>.tdw and, where that is
// empty or missing, from "English.tdw". The two characters backslash and n stand
// for a line break. Any failure leaves an empty table whose Get returns "".

#include <QString>
#include <QStringList>

class TStringTable {
  public:
    bool Load(const QString& directory, const QString& language, const QString& section);
    QString Get(int index) const { return index >= 0 && index < Strings.size() ? Strings[index] : QString(); }
    int Count() const { return int(Strings.size()); }

  private:
    QStringList Strings;
};

// A table text with its "%d" and "%s" places filled by values in order; places
// beyond the values stay as they are. Unlike printf it is safe with any text a
// language file may hold.
QString FillPlaces(const QString& format, const QStringList& values);
