#pragma once
// The Disk Manager: reads a carpet diskette into the design or writes the design's
// carpet window to one. The target is drive A:, drive B: or a diskette image file
// (asked for on OK); Read and Write set the direction; the transfer runs with a
// progress bar and can be cancelled while that is safe (textile/Diskaccess.h).
#include "colour/Currentcolour.h"
#include "shell/Stringtable.h"

#include <QDialog>

class QListWidget;
class QProgressBar;
class QPushButton;
class TDocument;

class TDiskForm : public QDialog {
    Q_OBJECT
  public:
    TDiskForm(TDocument& document, const TCurrentColour& colour, QWidget* parent = nullptr);
    // True once a diskette was read into the document.
    bool DisketteRead() const { return Read; }

    QListWidget* lbDrive = nullptr; // A:, B:, then the image-file line
    QPushButton* sbRead = nullptr;
    QPushButton* sbWrite = nullptr;
    QProgressBar* pbTransfer = nullptr;

  protected:
    // While a transfer runs, Cancel asks it to stop instead of closing.
    void reject() override;

  private:
    void btOKClick();
    bool Progress(int step);

    TDocument& Document;
    TCurrentColour Colour;
    TStringTable Texts, DiskTexts;
    bool Busy = false;
    bool CancelAsked = false;
    bool Read = false;
};

// Shows the Disk Manager modally; true when a diskette was read into document.
bool ShowDiskManager(QWidget* parent, TDocument& document, const TCurrentColour& colour);
