#include "shell/Filedialog_f.h"

#include "shell/Common.h"
#include "shell/Filetypes.h"
#include "shell/Stringtable.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

int FileTypeOfFilter(const QString& filter) {
    for (int type = 1; type <= kFileTypeCount; ++type)
        if (filter == QLatin1String(FileTypeInfo(type)->Description)) return type;
    return 0;
}

TFileChoice OpenFileDialog(QWidget* parent, const QString& folder, int type) {
    TStringTable texts;
    texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("FileManager"));
    QFileDialog dialog(parent, texts.Get(0), folder, FileTypeFilters());
    dialog.setOption(QFileDialog::DontUseNativeDialog); // it has the "Open as" row
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (const TFileTypeInfo* info = FileTypeInfo(type))
        dialog.selectNameFilter(QString::fromLatin1(info->Description));
    auto* depth = new QComboBox;
    depth->addItems({texts.Get(33), texts.Get(14), texts.Get(15)});
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(texts.Get(32)), row, 0);
        grid->addWidget(depth, row, 1);
    }
    TFileChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
    choice.Path = dialog.selectedFiles().first();
    choice.Type = FileTypeOfFilter(dialog.selectedNameFilter());
    choice.Bits = depth->currentIndex() == 1 ? 8 : depth->currentIndex() == 2 ? 24 : 0;
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

QString PlainFileDialog(QWidget* parent, const QString& folder, const QString& filter, bool forSaving) {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the same dialog as the design files
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

QString KindFileDialog(QWidget* parent, const QString& folder, const QString& filter, bool save) {
    const QString shown = filter.section(QLatin1Char('|'), 0, 0);
    const QString extension = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char('*'), 1);
    QString path = PlainFileDialog(parent, folder, shown, save);
    if (save && !path.isEmpty() && !QFileInfo(path).fileName().contains(QLatin1Char('.'))) path += extension;
    return path;
}
