#include "tools/Penmanager_f.h"

#include "shell/Common.h"
#include "shell/Stringtable.h"

TPenManagerForm::TPenManagerForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    TStringTable texts;
    texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("PenManager"));
    setWindowTitle(texts.Get(0));
    setFixedSize(200, 80);
}
