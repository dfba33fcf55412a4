#pragma once
// The Move/Copy tool's window ("Move / Copy"): the type buttons (NORMAL, UP/DOWN,
// MIRROR, UP/DOWN MIRROR, ROTATE, BEND with its fan or tube), COPY and MOVE, the
// angle (listed or typed, at most three characters) with RUN and "Before Degree".
// It edits the settings and hands them to the engine; they come from "MoveCopy.ini"
// when the window opens and go back there when it closes.
#include "shell/Stringtable.h"
#include "tools/Floating.h"
#include "tools/Movecopysettings.h"

#include <QWidget>

class QComboBox;
class QPushButton;
class QRadioButton;
class QToolButton;
class TMoveCopyTool;
struct TToolContext;

class TMoveCopyForm : public QWidget {
    Q_OBJECT
  public:
    explicit TMoveCopyForm(QWidget* parent = nullptr);
    ~TMoveCopyForm() override;

    // The engine the window drives, with the context its calls run in (the tool
    // palette's); the engine tells the window when it goes.
    void Attach(TMoveCopyTool* engine, TToolContext* context);
    const TMoveCopySettings& Settings() const { return SettingsV; }

    QToolButton* sbType[kFloatTypes] = {}; // sbNormal .. sbBend
    QRadioButton* rgBendType[2] = {};      // Fan shaped, Tube shaped
    QToolButton* sbCopy = nullptr;
    QToolButton* sbMove = nullptr;
    QComboBox* cbRotate = nullptr;
    QPushButton* btnRotateRun = nullptr;
    QToolButton* sbBeforeDeg = nullptr;

  protected:
    // Enter in the angle runs the turn.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void TypeClick(int type);
    void FunctionClick(int function);
    void rgBendTypeClick(int bend);
    void btnRotateRunClick();
    void sbBeforeDegClick();
    void ShowSettings();
    void Push();

    TStringTable Texts;
    TMoveCopySettings SettingsV;
    TMoveCopyTool* Engine = nullptr;
    TToolContext* Context = nullptr;
};
