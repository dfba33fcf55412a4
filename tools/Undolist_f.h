#pragma once
// The undo-list window (tool Undo): the current design's undo records, newest
// first, with undo of the last or down to a chosen record, clearing, and the
// number of records the store keeps for all designs together.

#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QListWidget;
class QPushButton;
class QSpinBox;
class QLabel;
class TUndo;

class TUndoForm : public QWidget {
    Q_OBJECT
  public:
    explicit TUndoForm(TUndo& store, QWidget* parent = nullptr);

    // Rewrites the list from the store (the current design's records).
    void Refresh();
    // Undoes the newest record; true when one was restored.
    std::function<bool()> OnUndo;
    // Runs after the list of the current design was cleared.
    std::function<void()> OnCleared;

    QLabel* lbDesign;
    QListWidget* lbRecords;
    QSpinBox* seMaxUndo;
    QPushButton* btUndoLast;
    QPushButton* btUndoTo;
    QPushButton* btClear;
    QPushButton* btClose;

  private:
    void UndoTo(int row);
    TUndo& Store;
    TStringTable Texts;
};
