#pragma once
// A folder list and a file list with a name mask, as the palette file manager
// and the user colour library window choose their files: a double click on a
// folder (or "..") enters it, a click on a file chooses it.

#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;

class TFileBrowser : public QWidget {
    Q_OBJECT
  public:
    TFileBrowser(const QStringList& masks, QWidget* parent = nullptr);
    QString Folder() const { return FolderV; }
    void SetFolder(const QString& folder);
    // Lists the folder again (after a file was written, renamed or deleted).
    void Refresh();
    // The chosen file's path, empty when none is chosen.
    QString ChosenFile() const;
    // Chooses the file named name in the folder; false when it is not listed.
    bool ChooseFile(const QString& name);

    QLabel* lbFolder;
    QListWidget* lbFolders;
    QListWidget* lbFiles;

  signals:
    void FileClicked(const QString& path);
    void FileDoubleClicked(const QString& path);

  private:
    QStringList Masks;
    QString FolderV;
};
