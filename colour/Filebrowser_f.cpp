#include "colour/Filebrowser_f.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TFileBrowser::TFileBrowser(const QStringList& masks, QWidget* parent) : QWidget(parent), Masks(masks) {
    lbFolder = new QLabel;
    lbFolder->setWordWrap(true);
    lbFolders = new QListWidget;
    lbFiles = new QListWidget;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lbFolder);
    layout->addWidget(lbFolders, 1);
    layout->addWidget(lbFiles, 2);
    connect(lbFolders, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { SetFolder(QDir(FolderV).absoluteFilePath(item->text())); });
    connect(lbFiles, &QListWidget::itemClicked, this, [this] { emit FileClicked(ChosenFile()); });
    connect(lbFiles, &QListWidget::itemDoubleClicked, this, [this] { emit FileDoubleClicked(ChosenFile()); });
}

void TFileBrowser::SetFolder(const QString& folder) {
    FolderV = QDir(folder).canonicalPath();
    if (FolderV.isEmpty()) FolderV = QDir::homePath();
    Refresh();
}

void TFileBrowser::Refresh() {
    const QDir dir(FolderV);
    lbFolder->setText(QDir::toNativeSeparators(FolderV));
    lbFolders->clear();
    if (!dir.isRoot()) lbFolders->addItem(QStringLiteral(".."));
    lbFolders->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    const QString chosen = lbFiles->currentItem() ? lbFiles->currentItem()->text() : QString();
    lbFiles->clear();
    lbFiles->addItems(dir.entryList(Masks, QDir::Files, QDir::Name | QDir::IgnoreCase));
    if (!chosen.isEmpty()) ChooseFile(chosen);
}

QString TFileBrowser::ChosenFile() const {
    const QListWidgetItem* item = lbFiles->currentItem();
    return item ? QDir(FolderV).absoluteFilePath(item->text()) : QString();
}

bool TFileBrowser::ChooseFile(const QString& name) {
    const QList<QListWidgetItem*> found = lbFiles->findItems(name, Qt::MatchFixedString);
    if (found.isEmpty()) return false;
    lbFiles->setCurrentItem(found.first());
    return true;
}
