#pragma once
// File > Reopen: the recent-file list of "Main.ini" shown as menu items.
//
// Construction loads the list and fills the menu. Choosing an item opens the
// file through the callback when it still exists; otherwise the user is told
// it was deleted and the item goes. Add is called when a design window closes.
// The list is written by Save and on destruction.

#include "shell/History.h"

#include <QObject>
#include <functional>

class QMenu;

class TFileHistory : public QObject {
  public:
    // (directory, full path, bits per pixel, type)
    using TOpenCallback = std::function<void(const QString&, const QString&, int, int)>;

    // iniPath: the "Main.ini" to keep the list in; menu: the Reopen submenu, which is
    // disabled while the list is empty. The menu must outlive this object.
    TFileHistory(const QString& iniPath, int maxEntries, TOpenCallback open, QMenu* menu,
                 QObject* parent = nullptr);
    ~TFileHistory() override;

    // Records a closed design at the front of the list and rebuilds the menu.
    void Add(const QString& directory, const QString& fileName, int bitsPerPixel, int type = 1);
    // Opens entry index as a menu click does.
    void Open(int index);
    // Writes the list to the ini file; false when it cannot.
    bool Save() const;
    const THistoryList& List() const { return History; }

  private:
    void BuildMenu();

    QString IniPath;
    THistoryList History;
    TOpenCallback OnOpen;
    QMenu* Menu;
};
