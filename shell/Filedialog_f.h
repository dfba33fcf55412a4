#pragma once
// File dialogs with the fifteen file types in their numbered order.
#include <QString>

class QWidget;

struct TFileChoice {
    QString Path; // empty when cancelled
    int Type = 0; // 1 .. 15, from the chosen filter
    int Bits = 0; // open as 8 or 24 bits; 0: a design at its own depth, a picture as it is
};

// Open: the chosen file, the type of the chosen filter and the depth chosen under
// "Open as" (as the picture is, 256 colours, full colours). type (1 .. 15) chooses
// the filter shown first; 0 shows all files of every type.
TFileChoice OpenFileDialog(QWidget* parent, const QString& folder, int type = 0);
// Save: as above; a name without an extension gets the chosen type's extension.
TFileChoice SaveFileDialog(QWidget* parent, const QString& folder, int type);
// A file of any kind (filter as Qt writes it): an existing one, or with forSaving a
// new or existing name. Empty when cancelled.
QString PlainFileDialog(QWidget* parent, const QString& folder, const QString& filter, bool forSaving);
// A file of one kind outside the fifteen types: filter as the language files give
// it ("Name (*.ext)|*.ext"). Save adds the extension to a name without one.
// Empty when cancelled.
QString KindFileDialog(QWidget* parent, const QString& folder, const QString& filter, bool save);
// The type a filter text names, 0 when none.
int FileTypeOfFilter(const QString& filter);
