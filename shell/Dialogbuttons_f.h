#pragma once
// The OK/Cancel row the dialogs end with.

#include <QString>
#include <functional>

class QDialog;
class QDialogButtonBox;

// A button box with OK (the default button) and Cancel, captioned ok and cancel.
// Cancel rejects dialog; OK accepts it, or runs onOk instead when given, for a
// dialog that checks its fields before it closes.
QDialogButtonBox* MakeOkCancel(QDialog* dialog, const QString& ok, const QString& cancel,
                               std::function<void()> onOk = {});
