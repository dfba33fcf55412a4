#pragma once
// The captured-image editor (Capture → Edit...): the captures with their sizes,
// to delete, reorder or clear.

#include "shell/Stringtable.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QPushButton;
class TCaptureList;

class TCaptureEditForm : public QDialog {
    Q_OBJECT
  public:
    explicit TCaptureEditForm(TCaptureList& list, QWidget* parent = nullptr);

    // Runs after every change of the list (the main window re-enables its items).
    std::function<void()> OnChange;

    QListWidget* lbCaptures;
    QPushButton* btDelete;
    QPushButton* btDeleteAll;
    QPushButton* btUp;
    QPushButton* btDown;
    QPushButton* btClose;

  private:
    void Fill(int current);
    void Changed(int current);
    TCaptureList& List;
    TStringTable Texts;
};
