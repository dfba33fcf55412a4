#pragma once
// TProgressForm: the window of a long operation on a design (open, save, export,
// effects): a caption, a bar and Cancel. Its Listener goes into the engine call.
// The window stays hidden until the operation looks like lasting over half a
// second (the TToolProgress rule), so short operations show nothing; once shown it
// is modal and processes events at each report, so Cancel is seen, and the listener
// answers false from then on.

#include "platform/Progress.h"
#include "tools/Toolprogress.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

class TProgressForm : public QDialog {
    Q_OBJECT
  public:
    TProgressForm(const QString& caption, QWidget* parent = nullptr);
    ~TProgressForm() override;

    // The engine's listener; valid while the form lives.
    TProgressFn Listener();
    // One report: done units of total. False once the user pressed Cancel.
    bool Step(int64_t done, int64_t total);
    bool Cancelled() const { return CancelledV; }

    QLabel* Caption = nullptr;
    QProgressBar* Bar = nullptr;
    QPushButton* CancelButton = nullptr;

  protected:
    void reject() override; // Escape and the window's close box cancel too

  private:
    void Show(int percent);

    TToolProgress Rule;
    bool CancelledV = false;
};

// Runs job with a progress window captioned caption over parent, the wait cursor
// meanwhile; returns the job's code (ErrorCode::Cancelled when the user stopped it).
uint32_t RunWithProgress(QWidget* parent, const QString& caption,
                         const std::function<uint32_t(const TProgressFn&)>& job);
// True while such a job runs: the window's event processing also runs timers, which
// must not start another change (a pending pointer move, an autosave) meanwhile.
bool LongRunBusy();
// Tests: the window shows at the first report instead of after half a second.
void ShowProgressAtOnce(bool atOnce);
