#include "shell/Main_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Stringtable.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QTimer>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    FormCreate();
}

TMainForm::~TMainForm() {
    FreeAppTables();
}

void TMainForm::FormCreate() {
    LoadConfiguration();
    LoadAppTables();
    MdiArea_ = new QMdiArea(this);
    setCentralWidget(MdiArea_);
    AutosaveTimer_ = new QTimer(this);
    ReadEnvironment();
    CreateMenus();
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    SetMenuCaptions();
}

void TMainForm::ReadEnvironment() {
    const TIniFile env(SettingsFile(QStringLiteral("Environment.ini")));
    UserFont_ = QApplication::font();
    UserFont_.setFamily(
        env.ReadString(QStringLiteral("Font"), QStringLiteral("Name"), Configuration.DefaultFontName));
    AutoSave_ = env.ReadBool(QStringLiteral("AutoSave"), QStringLiteral("Check"), false);
    if (AutoSave_) {
        const int minutes = env.ReadInteger(QStringLiteral("AutoSave"), QStringLiteral("Min"), 5);
        AutosaveTimer_->setInterval(std::max(1, minutes) * 60000);
        AutosaveTimer_->start();
    }
}

void TMainForm::CreateMenus() {
    FileItem_ = menuBar()->addMenu(QString());
    FExitItem_ = FileItem_->addAction(QString(), this, &QWidget::close);
    EditItem_ = menuBar()->addMenu(QString());
    ImageItem_ = menuBar()->addMenu(QString());
    ViewItem_ = menuBar()->addMenu(QString());
    WindowItem_ = menuBar()->addMenu(QString());
    HelpItem_ = menuBar()->addMenu(QString());
}

void TMainForm::SetMenuCaptions() {
    const TStringTable& t = *AppTables.Main;
    FileItem_->setTitle(t.Get(2));
    FExitItem_->setText(t.Get(15));
    EditItem_->setTitle(t.Get(16));
    ImageItem_->setTitle(t.Get(25));
    ViewItem_->setTitle(t.Get(46));
    WindowItem_->setTitle(t.Get(52));
    HelpItem_->setTitle(t.Get(57));
}
