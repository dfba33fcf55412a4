#include "shell/Progress_f.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// Reports of any total are scaled to this many units for the half-second rule.
constexpr int64_t kUnits = 1000000;
int g_running = 0;     // jobs of RunWithProgress under way (they may nest)
bool g_atOnce = false; // tests: show at the first report
} // namespace

TProgressForm::TProgressForm(const QString& caption, QWidget* parent)
    : QDialog(parent), Rule([this](int percent) { Show(percent); }, kUnits) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QCoreApplication::applicationName());
    setWindowModality(Qt::ApplicationModal);
    Caption = new QLabel(caption);
    Bar = new QProgressBar;
    Bar->setRange(0, 100);
    Bar->setMinimumWidth(280);
    CancelButton = new QPushButton(QStringLiteral("Cancel"));
    auto* all = new QVBoxLayout(this);
    all->addWidget(Caption);
    all->addWidget(Bar);
    all->addWidget(CancelButton, 0, Qt::AlignRight);
    connect(CancelButton, &QPushButton::clicked, this, &TProgressForm::reject);
}

TProgressForm::~TProgressForm() = default;

TProgressFn TProgressForm::Listener() {
    return [this](int64_t done, int64_t total) { return Step(done, total); };
}

bool TProgressForm::Step(int64_t done, int64_t total) {
    if (total > 0) Rule.Step(std::clamp<int64_t>(done, 0, total) * kUnits / total);
    if (g_atOnce && !isVisible() && total > 0) Show(int(std::clamp<int64_t>(done, 0, total) * 100 / total));
    // Only a shown window takes input, so a short operation never runs events.
    if (isVisible()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !CancelledV;
}

void TProgressForm::Show(int percent) {
    if (percent < 0) {
        hide();
        return;
    }
    Bar->setValue(std::min(percent, 100));
    if (isVisible()) return;
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::AllEvents); // painted before the work goes on
}

void TProgressForm::reject() {
    CancelledV = true;
    CancelButton->setEnabled(false); // stopping waits for the engine's next safe point
}

uint32_t RunWithProgress(QWidget* parent, const QString& caption,
                         const std::function<uint32_t(const TProgressFn&)>& job) {
    TProgressForm form(caption, parent);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++g_running;
    const uint32_t code = job(form.Listener());
    --g_running;
    QApplication::restoreOverrideCursor();
    return code;
}

void ShowProgressAtOnce(bool atOnce) {
    g_atOnce = atOnce;
}

bool LongRunBusy() {
    return g_running > 0;
}
