#pragma once
// The small notice shown while designs are saved automatically: a disk and a
// clock drawn by the program and the "Message" text for automatic saving.
// Make it, call ShowNow, save, then delete it (or let it go out of scope).

#include <QWidget>

class QLabel;

class TAutoSaveForm : public QWidget {
  public:
    // A frameless tool window centred over parent (or the screen when null).
    explicit TAutoSaveForm(QWidget* parent = nullptr);

    // Shows the notice and paints it at once, before the caller starts the slow save.
    void ShowNow();

    QLabel* lbCaption = nullptr;
    QLabel* imDisk = nullptr;
    QLabel* imClock = nullptr;
};

// The two pictures of the notice, size x size pixels on a transparent ground.
QPixmap AutoSaveDiskPicture(int size);
QPixmap AutoSaveClockPicture(int size);
