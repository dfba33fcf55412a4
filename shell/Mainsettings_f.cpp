// The main window's settings services: "Environment.ini" (font, autosave, units,
// grid), the Environment dialog, the autosave timer and the recent-file list.
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Environment.h"
#include "shell/Environment_f.h"
#include "shell/Fullview_f.h"
#include "shell/History_f.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Progress_f.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>

namespace {
constexpr int kHistoryEntries = 8;
} // namespace

void TMainForm::ReadEnvironment() {
    const TIniFile env(SettingsFile(QStringLiteral("Environment.ini")));
    UserFont_ = QApplication::font();
    UserFont_.setFamily(
        env.ReadString(QStringLiteral("Font"), QStringLiteral("Name"), Configuration.DefaultFontName));
    const TEnvironmentSettings settings = ReadEnvironmentSettings(env);
    SetAutoSave(settings.AutoSave, settings.AutoSaveMinutes);
}

void TMainForm::AutosaveTimerTimer() {
    if (!AutoSave_ || LongRunBusy()) return; // the next tick saves
    if (TMainImageForm* doc = CurrentDocument()) doc->AutoSave();
}

void TMainForm::FEnvironmentClick() {
    TEnvironmentForm dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyEnvironment(dialog.Settings());
}

void TMainForm::ApplyEnvironment(const TEnvironmentSettings& settings) {
    if (TMainImageForm* doc = CurrentDocument()) doc->SetUnit(MainImageUnitOfChoice(settings.MainImageUnit));
    for (QMdiSubWindow* sub : MdiArea_->subWindowList()) // the selection history is every design's
        if (auto* doc = qobject_cast<TMainImageForm*>(sub->widget()))
            doc->Document().SetSelectionDepth(settings.MaxUndo);
    SetAutoSave(settings.AutoSave, settings.AutoSaveMinutes);
    FullView_->ReloadGrid();
}

void TMainForm::SetAutoSave(bool on, int minutes) {
    AutoSave_ = on;
    AutosaveTimer_->setInterval(minutes * 60000);
    if (on)
        AutosaveTimer_->start();
    else
        AutosaveTimer_->stop();
}

void TMainForm::CreateHistory() {
    History_ = new TFileHistory(
        SettingsFile(QStringLiteral("Main.ini")), kHistoryEntries,
        [this](const QString&, const QString& path, int bitsPerPixel, int) {
            // The type follows the name: a full-colour design reopens as ".tfc".
            OpenFile(path, 0, bitsPerPixel);
        },
        FReopenItem, this);
}
