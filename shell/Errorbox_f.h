#pragma once
// Message boxes for ReportError in the desktop app.
#include "shell/Exception.h"

// Shows text in a modal box whose icon follows the severity; returns the button pressed.
int MessageBoxPresenter(TSeverity severity, const QString& text, int buttons);

// Picks the presenter: message boxes, or standard error when VELMORA_BATCH is set
// (scripted runs, where nobody is there to press a button).
void InstallErrorPresenter();
bool BatchMode();

// A plain message with an OK button (standard error in batch mode).
void ShowPlainMessage(const QString& text);
