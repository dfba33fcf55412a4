#include "colour/Palfilemanager_f.h"

#include "colour/Colorreport_f.h"
#include "colour/Colorsquares_f.h"
#include "colour/Filebrowser_f.h"
#include "colour/Gimppalette.h"
#include "colour/Palettefile.h"
#include "colour/Usercolor.h"
#include "colour/Usercolor_f.h"
#include "colour/Usercolordata_f.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

TPFMForm::TPFMForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("Palette File Manager  ( *.fcr )"));
    Files = new TFileBrowser({QStringLiteral("*.fcr"), QStringLiteral("*.gpl")});
    ReviewPalette = new TColorSquares;
    ReviewPalette->setMinimumSize(256, 256);
    lbStatus = new QLabel;
    Actions = new QButtonGroup(this);
    auto* buttons = new QGridLayout;
    int at = 0;
    for (auto [button, text] : {std::pair{&sbRead, "Read"},
                                {&sbMerge, "Merge"},
                                {&sbSave, "Save "},
                                {&sbSaveAs, "Save As"},
                                {&sbRename, "Rename"},
                                {&sbDelete, "Delete"}}) {
        *button = new QPushButton(QString::fromLatin1(text));
        (*button)->setCheckable(true);
        Actions->addButton(*button, at);
        buttons->addWidget(*button, at / 3, at % 3);
        ++at;
    }
    sbRead->setChecked(true);
    sbExportGimp = new QPushButton(QStringLiteral("Export GIMP"));
    sbReport = new QPushButton(QStringLiteral("Color Report"));
    sbUserColor = new QPushButton(QStringLiteral("User Colors"));
    sbExit = new QPushButton(QStringLiteral("Exit"));
    buttons->addWidget(sbExportGimp, 2, 0);
    buttons->addWidget(sbReport, 2, 1);
    buttons->addWidget(sbUserColor, 2, 2);
    buttons->addWidget(sbExit, 3, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(ReviewPalette, 1);
    right->addWidget(lbStatus);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Files, 1);
    layout->addLayout(right, 2);

    AskName = [this](const QString& prompt, const QString& name) {
        return QInputDialog::getText(this, windowTitle(), prompt, QLineEdit::Normal, name);
    };
    AskYes = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };
    connect(Actions, &QButtonGroup::idClicked, this, [this](int id) { ActionClick(id); });
    connect(Files, &TFileBrowser::FileClicked, this, [this](const QString& path) { Preview(path); });
    connect(Files, &TFileBrowser::FileDoubleClicked, this,
            [this](const QString& path) { Run(Action(), path); });
    connect(ReviewPalette, &TColorSquares::Hovered, this, [this](int k) {
        const TColorRef c = k >= 0 ? ReviewPalette->Layout().ColorAt(k) : 0;
        lbStatus->setText(k < 0 ? QString()
                                : QString::asprintf("%d - %d - %d", RedOf(c), GreenOf(c), BlueOf(c)));
    });
    connect(sbExportGimp, &QPushButton::clicked, this, [this] { ExportGimpClick(); });
    connect(sbReport, &QPushButton::clicked, this, [this] { ReportClick(); });
    connect(sbUserColor, &QPushButton::clicked, this, [this] { UserColorClick(); });
    connect(sbExit, &QPushButton::clicked, this, &QWidget::close);
    SetFolder(Configuration.Color);
}

void TPFMForm::SetDocument(TDocument* document) {
    Doc = document;
    if (Report) Report->SetDocument(document);
    if (UserColors) UserColors->SetDocument(document);
}

void TPFMForm::SetFolder(const QString& folder) {
    Files->SetFolder(folder);
}

int TPFMForm::Action() const {
    return Actions->checkedId();
}

void TPFMForm::SetAction(int action) {
    if (QAbstractButton* b = Actions->button(action)) b->setChecked(true);
}

void TPFMForm::ActionClick(int action) {
    // Actions that need no listed file run at once; the others wait for a double click.
    if (action == ActSaveAs || (action == ActSave && Files->ChosenFile().isEmpty()))
        Run(action, QString());
    else if (!Files->ChosenFile().isEmpty() && action != ActRead && action != ActMerge)
        Run(action, Files->ChosenFile());
}

QString TPFMForm::TargetFor(const QString& name, const QString& ext) const {
    const QFileInfo shown(Files->Folder());
    const QString folder = shown.isWritable() ? Files->Folder() : ColourWriteFolder();
    return QDir(folder).absoluteFilePath(WithExtension(name, ext));
}

uint32_t TPFMForm::Run(int action, const QString& path) {
    const uint32_t code = RunOn(action, path);
    if (code) ReportError(code, MB_OK, path);
    Files->Refresh();
    return code;
}

uint32_t TPFMForm::RunOn(int action, const QString& path) {
    const bool needsDoc = action == ActRead || action == ActMerge || action == ActSave || action == ActSaveAs;
    if (needsDoc && !Doc) return 0;
    switch (action) {
    case ActRead: {
        TPalette read = Doc->Palette();
        if (const uint32_t code = LoadAnyPalette(path, read)) return code;
        Doc->EditPalette([&](TPalette& p) {
            p = read;
            return true;
        });
        return 0;
    }
    case ActMerge: {
        TPalette read;
        if (const uint32_t code = LoadAnyPalette(path, read)) return code;
        Doc->EditPalette([&](TPalette& p) { return MergePalette(p, read) > 0; });
        return 0;
    }
    case ActSave:
    case ActSaveAs: {
        QString target = path;
        if (action == ActSaveAs || target.isEmpty()) {
            const QString name = AskName(QStringLiteral("Save As"), QString());
            if (name.isEmpty()) return 0;
            target = TargetFor(name, QStringLiteral("fcr"));
        }
        if (const uint32_t code = SavePaletteFile(target, Doc->Palette())) return code;
        Files->SetFolder(QFileInfo(target).absolutePath());
        Files->ChooseFile(QFileInfo(target).fileName());
        return 0;
    }
    case ActRename: {
        const QString name = AskName(QStringLiteral("New name"), QFileInfo(path).fileName());
        if (name.isEmpty() || path.isEmpty()) return 0;
        const QString target =
            QFileInfo(path).dir().absoluteFilePath(WithExtension(name, QStringLiteral("fcr")));
        return QFile::rename(path, target) ? 0 : ErrorCode::CannotWriteFile;
    }
    case ActDelete:
        if (path.isEmpty() || !AskYes(QStringLiteral("Delete %1 ?").arg(QFileInfo(path).fileName())))
            return 0;
        return QFile::remove(path) ? 0 : ErrorCode::CannotWriteFile;
    }
    return 0;
}

bool TPFMForm::Preview(const QString& path) {
    TPalette read;
    if (LoadAnyPalette(path, read)) return false;
    std::vector<TColorRef> colours;
    for (const TColorData& e : read.Entries)
        colours.push_back(e.ColorRef());
    ReviewPalette->SetColors(colours);
    return true;
}

void TPFMForm::ExportGimpClick() {
    if (!Doc) return;
    const QString name = AskName(QStringLiteral("Export GIMP"), QString());
    if (name.isEmpty()) return;
    const QString target = TargetFor(name, QStringLiteral("gpl"));
    if (const uint32_t code = WriteGimpPalette(target, Doc->Palette(), QFileInfo(target).completeBaseName()))
        ReportError(code, MB_OK, target);
    Files->Refresh();
}

void TPFMForm::ReportClick() {
    if (!Report) Report = new TColorReportForm(this);
    Report->CodeText = CodeText;
    Report->SetDocument(Doc);
    Report->show();
}

void TPFMForm::UserColorClick() {
    if (!UserColors) {
        UserColors = new TUserColorLibForm(this);
        UserColors->CurrentIndex = [this] { return CurrentIndex ? CurrentIndex() : TPalette::kFirstDrawing; };
        UserColors->DataForm->FindCode = [this](int book, const QString& code, TUserColor& found) {
            TColorData entry;
            if (!FindBookCode || !FindBookCode(book, code, entry)) return false;
            found.Kind = entry.Kind();
            found.Page = entry.Page;
            found.Number = entry.Number;
            found.Red = entry.Red(), found.Green = entry.Green(), found.Blue = entry.Blue();
            return true;
        };
    }
    UserColors->SetDocument(Doc);
    UserColors->show();
    UserColors->raise();
}
