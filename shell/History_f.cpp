#include "shell/History_f.h"

#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Stringtable.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {
// "This file has been deleted by the user." in the "Message" table.
constexpr int kDeletedMessage = 13;
} // namespace

TFileHistory::TFileHistory(const QString& iniPath, int maxEntries, TOpenCallback open, QMenu* menu,
                           QObject* parent)
    : QObject(parent), IniPath(iniPath), History(maxEntries), OnOpen(std::move(open)), Menu(menu) {
    History.Load(IniPath);
    BuildMenu();
}

TFileHistory::~TFileHistory() {
    Save();
}

void TFileHistory::Add(const QString& directory, const QString& fileName, int bitsPerPixel, int type) {
    History.Add(directory, fileName, bitsPerPixel, type);
    BuildMenu();
}

void TFileHistory::Open(int index) {
    if (index < 0 || index >= History.Count()) return;
    const THistoryEntry entry = History.Entry(index);
    if (QFileInfo::exists(entry.Path)) {
        if (OnOpen) OnOpen(entry.Directory, entry.Path, entry.BitsPerPixel, entry.Type);
        return;
    }
    ShowMessage(TSeverity::Information,
                AppTables.Message ? AppTables.Message->Get(kDeletedMessage) : QString(), MB_OK);
    History.Remove(index);
    BuildMenu();
}

bool TFileHistory::Save() const {
    return History.Save(IniPath);
}

void TFileHistory::BuildMenu() {
    if (!Menu) return;
    // The old items go later: this may run inside one of their own triggered signals.
    for (QAction* old : Menu->actions()) {
        Menu->removeAction(old);
        if (old->parent() == Menu) old->deleteLater();
    }
    for (int i = 0; i < History.Count(); ++i)
        Menu->addAction(History.Caption(i), this, [this, i] { Open(i); });
    Menu->setEnabled(History.Count() > 0);
}
