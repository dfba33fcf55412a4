#include "tools/Draw_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Units.h"
#include "tools/Drawtool.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The typed number, or nothing for an empty edit; ok false for what is no number.
std::optional<double> Typed(const QLineEdit* edit, bool& ok) {
    const QString text = edit->text().trimmed();
    ok = true;
    if (text.isEmpty()) return std::nullopt;
    const double v = text.toDouble(&ok);
    ok = ok && std::isfinite(v);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QString LockText(const TStringTable& texts, const TDrawLocks& locks) {
    if (!locks.Any()) return texts.Get(42);
    QStringList on;
    if (locks.Angle) on << texts.Get(40);
    if (locks.Length) on << texts.Get(41);
    return on.join(QStringLiteral(", "));
}

} // namespace

TDrawForm::TDrawForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Draw"));
    setWindowTitle(Texts.Get(0));
    auto* functions = new QGridLayout;
    auto* set = new QButtonGroup(this);
    for (int f = 0; f < kDrawFunctions; ++f) {
        sbFunction[f] = SpeedButton(Texts.Get(1 + f));
        sbFunction[f]->setCheckable(true);
        sbFunction[f]->setToolTip(Texts.Get(8 + f));
        set->addButton(sbFunction[f]);
        functions->addWidget(sbFunction[f], f / 2, f % 2);
        connect(sbFunction[f], &QToolButton::clicked, this, [this, f] { FunctionClick(f); });
    }
    lLineType = SpeedButton(QString());
    lDotType = SpeedButton(QString());
    lFillType = SpeedButton(QString());
    connect(lLineType, &QToolButton::clicked, this, &TDrawForm::lLineTypeClick);
    connect(lDotType, &QToolButton::clicked, this, &TDrawForm::lDotTypeClick);
    connect(lFillType, &QToolButton::clicked, this, &TDrawForm::lFillTypeClick);
    auto* edits = new QFormLayout;
    for (auto [edit, label] :
         {std::pair{&eAngle, 19}, {&eLength1, 20}, {&eLength2, 21}, {&eDotLength, 23}, {&eDotSpace, 24}}) {
        *edit = new QLineEdit(QStringLiteral("0"));
        (*edit)->installEventFilter(this);
        edits->addRow(Texts.Get(label), *edit);
    }
    btnFirst = new QPushButton(Texts.Get(22));
    connect(btnFirst, &QPushButton::clicked, this, &TDrawForm::btnFirstClick);
    lLock = new QLabel(Texts.Get(42));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(functions);
    for (QWidget* w : {static_cast<QWidget*>(lLineType), static_cast<QWidget*>(lDotType),
                       static_cast<QWidget*>(lFillType)})
        all->addWidget(w);
    all->addLayout(edits);
    all->addWidget(btnFirst);
    all->addWidget(lLock);
    SettingsV = ReadDrawSettings(TIniFile(SettingsFile(QStringLiteral("Draw.ini"))));
    ShowSettings();
}

TDrawForm::~TDrawForm() {
    if (Engine) {
        Engine->OnGone = nullptr;
        Engine->OnMeasure = nullptr;
    }
    TIniFile ini(SettingsFile(QStringLiteral("Draw.ini")));
    WriteDrawSettings(ini, SettingsV);
    ini.UpdateFile();
}

void TDrawForm::Attach(TDrawTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] { Engine = nullptr; };
    Engine->OnMeasure = [this](const TDrawMeasure& m) { ShowMeasure(m); };
    Push();
}

void TDrawForm::ShowMeasure(const TDrawMeasure& m) {
    if (m.HasAngle) eAngle->setText(QString::asprintf("%3.0f", m.Degrees).trimmed());
    eLength1->setText(QString::asprintf(m.Unit == UnitDot ? "%.0f" : "%.2f", m.Length));
}

void TDrawForm::ShowSettings() {
    const int type = SettingsV.Type;
    sbFunction[type]->setChecked(true);
    const bool curve = type == DrawCurve;
    const bool chain = curve ? SettingsV.CurveChain : SettingsV.LineChain;
    lLineType->setText(Texts.Get(curve ? (chain ? 68 : 67) : (chain ? 70 : 69)));
    lLineType->setEnabled(type == DrawLine || curve);
    lDotType->setText(Texts.Get(SettingsV.Style().Dotted ? 16 : 15));
    lDotType->setEnabled(type != DrawOutline);
    lFillType->setText(Texts.Get(SettingsV.Fill ? 18 : 17));
    lFillType->setEnabled(type >= DrawSquare && type <= DrawEllipse);
    eDotLength->setText(QString::number(SettingsV.Style().Dot));
    eDotSpace->setText(QString::number(SettingsV.Style().Gap));
    const bool locks = type == DrawLine || type == DrawSquare || type == DrawCircle || type == DrawEllipse;
    for (QLineEdit* e : {eAngle, eLength1, eLength2})
        e->setEnabled(locks);
    btnFirst->setEnabled(type == DrawLine || type == DrawCircle || type == DrawEllipse);
    lLock->setText(LockText(Texts, Engine ? Engine->Locks() : TDrawLocks()));
}

void TDrawForm::Push() {
    if (Engine) Engine->SetSettings(*Context, SettingsV);
    ShowSettings();
}

void TDrawForm::FunctionClick(int type) {
    ChooseDrawFunction(SettingsV, type);
    Push();
}

void TDrawForm::lLineTypeClick() {
    if (SettingsV.Type == DrawLine) SettingsV.LineChain = !SettingsV.LineChain;
    if (SettingsV.Type == DrawCurve) SettingsV.CurveChain = !SettingsV.CurveChain;
    Push();
}

void TDrawForm::lDotTypeClick() {
    SettingsV.Style().Dotted = !SettingsV.Style().Dotted;
    Push();
}

void TDrawForm::lFillTypeClick() {
    SettingsV.Fill = !SettingsV.Fill;
    Push();
}

void TDrawForm::EditKeyPress(QLineEdit* edit) {
    bool ok = false;
    const std::optional<double> v = Typed(edit, ok);
    if (!ok) { // no number: nothing changes
        ShowSettings();
        return;
    }
    if (edit == eDotLength || edit == eDotSpace) {
        if (!v) return ShowSettings();
        const int n = int(std::clamp(*v, 1.0, double(kMaxDash)));
        (edit == eDotLength ? SettingsV.Style().Dot : SettingsV.Style().Gap) = n;
        return Push();
    }
    if (!Engine) return;
    if (edit == eAngle) {
        Engine->LockAngle(v);
        if (v) eAngle->setText(QString::number(Engine->Locks().Degrees));
    } else {
        Engine->LockLength(*Context, v);
    }
    ShowSettings();
}

void TDrawForm::btnFirstClick() {
    if (Engine) Engine->FirstPoint(*Context);
}

bool TDrawForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EditKeyPress(static_cast<QLineEdit*>(watched));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
