#include "tools/Movecopy_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "tools/Movecopy.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

QString SettingsPath() {
    return SettingsFile(QStringLiteral("MoveCopy.ini"));
}

} // namespace

TMoveCopyForm::TMoveCopyForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("MoveCopy"));
    setWindowTitle(Texts.Get(0));
    auto* types = new QGridLayout;
    auto* typeGroup = new QButtonGroup(this);
    for (int t = 0; t < kFloatTypes; ++t) {
        sbType[t] = GroupToggle(Texts.Get(1 + t), typeGroup);
        types->addWidget(sbType[t], t / 2, t % 2);
        connect(sbType[t], &QToolButton::clicked, this, [this, t] { TypeClick(t); });
    }
    auto* bend = new QGroupBox(Texts.Get(14));
    auto* bendLayout = new QVBoxLayout(bend);
    for (int b = 0; b < 2; ++b) {
        rgBendType[b] = new QRadioButton(Texts.Get(7 + b));
        bendLayout->addWidget(rgBendType[b]);
        connect(rgBendType[b], &QRadioButton::clicked, this, [this, b] { rgBendTypeClick(b); });
    }
    auto* functions = new QGridLayout;
    auto* functionGroup = new QButtonGroup(this);
    sbCopy = GroupToggle(Texts.Get(9), functionGroup);
    sbMove = GroupToggle(Texts.Get(10), functionGroup);
    functions->addWidget(sbCopy, 0, 0);
    functions->addWidget(sbMove, 0, 1);
    connect(sbCopy, &QToolButton::clicked, this, [this] { FunctionClick(MoveCopyCopy); });
    connect(sbMove, &QToolButton::clicked, this, [this] { FunctionClick(MoveCopyMove); });
    cbRotate = new QComboBox;
    cbRotate->setEditable(true);
    for (int degrees = 0; degrees < 360; degrees += 45)
        cbRotate->addItem(QString::number(degrees));
    cbRotate->lineEdit()->setMaxLength(3);
    cbRotate->lineEdit()->installEventFilter(this);
    btnRotateRun = new QPushButton(Texts.Get(11));
    sbBeforeDeg = new QToolButton;
    sbBeforeDeg->setText(Texts.Get(12));
    sbBeforeDeg->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(btnRotateRun, &QPushButton::clicked, this, &TMoveCopyForm::btnRotateRunClick);
    connect(sbBeforeDeg, &QToolButton::clicked, this, &TMoveCopyForm::sbBeforeDegClick);
    auto* rotate = new QGridLayout;
    rotate->addWidget(new QLabel(Texts.Get(13)), 0, 0);
    rotate->addWidget(cbRotate, 0, 1);
    rotate->addWidget(btnRotateRun, 0, 2);
    rotate->addWidget(sbBeforeDeg, 1, 0, 1, 3);

    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(types);
    all->addWidget(bend);
    all->addLayout(functions);
    all->addLayout(rotate);
    SettingsV = ReadMoveCopySettings(TIniFile(SettingsPath()));
    ShowSettings();
}

TMoveCopyForm::~TMoveCopyForm() {
    if (Engine) {
        SettingsV = Engine->Settings();
        Engine->OnGone = nullptr;
    }
    TIniFile ini(SettingsPath());
    WriteMoveCopySettings(ini, SettingsV);
    ini.UpdateFile();
}

void TMoveCopyForm::Attach(TMoveCopyTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] {
        SettingsV = Engine->Settings();
        Engine = nullptr;
    };
    Push();
}

void TMoveCopyForm::ShowSettings() {
    sbType[SettingsV.Type]->setChecked(true);
    (SettingsV.Function == MoveCopyMove ? sbMove : sbCopy)->setChecked(true);
    rgBendType[SettingsV.BendType]->setChecked(true);
    for (QRadioButton* b : rgBendType)
        b->setEnabled(SettingsV.Type == FloatBend);
    sbBeforeDeg->setToolTip(QString::number(SettingsV.BeforeDeg));
}

void TMoveCopyForm::Push() {
    if (Engine) {
        Engine->SetSettings(*Context, SettingsV);
        SettingsV = Engine->Settings();
    }
    ShowSettings();
}

void TMoveCopyForm::TypeClick(int type) {
    SettingsV.Type = type;
    Push();
}

void TMoveCopyForm::FunctionClick(int function) {
    SettingsV.Function = function;
    Push();
}

void TMoveCopyForm::rgBendTypeClick(int bend) {
    SettingsV.BendType = bend;
    Push();
}

void TMoveCopyForm::btnRotateRunClick() {
    bool ok = false;
    const double degrees = cbRotate->currentText().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(degrees)) {
        ReportError(ErrorCode::NotANumber);
        return;
    }
    if (!Engine || Engine->Rotate(*Context, degrees)) return; // the engine reported why
    SettingsV = Engine->Settings();
    ShowSettings();
}

void TMoveCopyForm::sbBeforeDegClick() {
    cbRotate->setEditText(QString::number(SettingsV.BeforeDeg));
    btnRotateRunClick();
}

bool TMoveCopyForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbRotate->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnRotateRunClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
