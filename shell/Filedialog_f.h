#pragma once
// File dialogs with the fifteen file types in their numbered order.
#include <QString>

class QWidget;

struct TFileChoice {
    QString Path; // empty when cancelled
    int Type = 0; // 1 .. 15, from the chosen filter
};

// Open: the chosen file and the type of the chosen filter.
TFileChoice OpenFileDialog(QWidget* parent, const QString& folder);
// Save: as above; a name without an extension gets the chosen type's extension.
TFileChoice SaveFileDialog(QWidget* parent, const QString& folder, int type);
// The type a filter text names, 0 when none.
int FileTypeOfFilter(const QString& filter);
