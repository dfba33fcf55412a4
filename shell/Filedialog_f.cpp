#include "shell/Filedialog_f.h"

#include "shell/Filetypes.h"

#include <QFileDialog>
#include <QFileInfo>

int FileTypeOfFilter(const QString& filter) {
    for (int type = 1; type <= kFileTypeCount; ++type)
        if (filter == QLatin1String(FileTypeInfo(type)->Description)) return type;
    return 0;
}

TFileChoice OpenFileDialog(QWidget* parent, const QString& folder) {
    QString filter;
    TFileChoice choice;
    choice.Path = QFileDialog::getOpenFileName(parent, QString(), folder, FileTypeFilters(), &filter);
    choice.Type = FileTypeOfFilter(filter);
    // A file whose extension names another type opens as that type.
    if (const int byName = FileTypeOfName(choice.Path)) choice.Type = byName;
    return choice;
}

TFileChoice SaveFileDialog(QWidget* parent, const QString& folder, int type) {
    const TFileTypeInfo* info = FileTypeInfo(type);
    QString filter = info ? QString::fromLatin1(info->Description) : QString();
    TFileChoice choice;
    choice.Path = QFileDialog::getSaveFileName(parent, QString(), folder, FileTypeFilters(), &filter);
    choice.Type = FileTypeOfFilter(filter);
    if (!choice.Path.isEmpty() && !QFileInfo(choice.Path).fileName().contains(QLatin1Char('.')) &&
        choice.Type)
        choice.Path += QLatin1String(FileTypeInfo(choice.Type)->Extension);
    if (const int byName = FileTypeOfName(choice.Path)) choice.Type = byName;
    return choice;
}
