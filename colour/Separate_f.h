#pragma once
// The Separate tool's window ("Separate"): the colour set built by clicks on the
// design, the overlap 0 .. 5, RUN (then RESTORE takes the run back), PRINT (the
// design, job "Separate -") and EXIT. "Separate.Ini" gives the set and the
// overlap when the window opens and takes them when it closes.
#include "colour/Separatetool.h"
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QSpinBox;
class QToolButton;
class TColorSelector;
struct TToolContext;

class TSeparateForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSeparateForm(QWidget* parent = nullptr);
    ~TSeparateForm() override;

    void Attach(TSeparateTool* engine, TToolContext* context);
    void SetPalette(const TPalette* palette);
    const TSeparateSettings& Settings() const { return SettingsV; }

    TColorSelector* SepSelector = nullptr;
    QToolButton *sbNew = nullptr, *sbAll = nullptr, *sbBlock = nullptr, *sbInsert = nullptr,
                *sbBefore = nullptr;
    QSpinBox* spEditOverlap = nullptr;
    QToolButton *sbRun = nullptr, *sbRestore = nullptr, *sbPrint = nullptr, *sbExit = nullptr;

    std::function<void(const QString& jobName)> OnPrint; // prints the current design
    std::function<void()> OnExit;                        // leaves the tool

  private:
    void sbRunClick();
    void sbRestoreClick();
    void ShowSettings();
    void Push();

    TStringTable Texts;
    TSeparateSettings SettingsV;
    TSeparateTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    bool Showing = false;
};
