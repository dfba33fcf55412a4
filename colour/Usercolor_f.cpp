#include "colour/Usercolor_f.h"

#include "colour/Colorreport.h"
#include "colour/Colorsquares_f.h"
#include "colour/Filebrowser_f.h"
#include "colour/Librarypages_print.h"
#include "colour/Palettefile.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Usercolordata_f.h"
#include "shell/Exception.h"
#include "shell/Printpages_f.h"
#include "shell/Tdocument.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

TUserColorLibForm::TUserColorLibForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Files = new TFileBrowser({QStringLiteral("*.ucl")});
    Grid = new TColorSquares;
    Grid->setMinimumSize(420, 300);
    lbStatus = new QLabel;
    DataForm = new TUserColorDataForm(this);
    auto* buttons = new QGridLayout;
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"New", [this] { NewLibrary(); }},
        {"Read", [this] { ReadLibrary(Files->ChosenFile()); }},
        {"Save", [this] { SaveLibrary(); }},
        {"Save As", [this] { SaveLibraryAs(); }},
        {"File Save", [this] { FileSave(); }},
        {"Rename", [this] { RenameFile(); }},
        {"Delete", [this] { DeleteFile(); }},
        {"Make Folder", [this] { MakeFolder(); }},
        {"Load All on Palette", [this] { LoadAllOnPalette(); }},
        {"Add", [this] { AddColor(); }},
        {"Edit", [this] { EditColor(Grid->Selected()); }},
        {"Remove", [this] { RemoveColor(Grid->Selected()); }},
        {"Print", [this] { PrintLibrary(); }},
        {"Exit", [this] { close(); }},
    };
    int at = 0;
    for (const auto& [text, click] : actions) {
        buttons->addWidget(Button(text, click), at / 5, at % 5);
        ++at;
    }
    auto* right = new QVBoxLayout;
    right->addWidget(Grid, 1);
    right->addWidget(lbStatus);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Files, 1);
    layout->addLayout(right, 3);

    AskName = [this](const QString& prompt, const QString& name) {
        return QInputDialog::getText(this, windowTitle(), prompt, QLineEdit::Normal, name);
    };
    AskYes = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };
    EditColour = [this](TUserColor& colour) {
        DataForm->SetColor(colour);
        if (DataForm->exec() != QDialog::Accepted) return false;
        colour = DataForm->Color();
        return true;
    };
    Grid->DragData = [this](int k) {
        auto* data = new QMimeData;
        QByteArray record;
        AppendPaletteRecord(record, UserColorEntry(List[size_t(k)], Path.toLocal8Bit()));
        data->setData(kEntryMime, record);
        return data;
    };
    connect(Grid, &TColorSquares::Hovered, this, [this](int k) {
        if (k < 0 || k >= int(List.size())) return lbStatus->clear();
        const TUserColor& c = List[size_t(k)];
        TColorData e;
        e.SetLibrary(c.Kind, c.Page, c.Number, c.Red, c.Green, c.Blue);
        lbStatus->setText(LibraryName(e) + QString::asprintf("   %d - %d - %d", c.Red, c.Green, c.Blue));
    });
    connect(Grid, &TColorSquares::DoubleClicked, this, [this](int k) { EditColor(k); });
    connect(Files, &TFileBrowser::FileDoubleClicked, this,
            [this](const QString& path) { ReadLibrary(path); });
    Files->SetFolder(ColourWriteFolder());
    NewLibrary();
}

void TUserColorLibForm::PrintLibrary() {
    const TChipBook book = UserLibraryBook(List, Path);
    if (book.Pages.empty())
        ReportError(ErrorCode::NothingToPrint);
    else
        PreviewBook(this, book);
}

QPushButton* TUserColorLibForm::Button(const char* text, const std::function<void()>& click) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    connect(b, &QPushButton::clicked, this, click);
    return b;
}

void TUserColorLibForm::SetDocument(TDocument* document) {
    Doc = document;
}

uint32_t TUserColorLibForm::Report(uint32_t code, const QString& path) {
    if (code) ReportError(code, MB_OK, path);
    Files->Refresh();
    return code;
}

void TUserColorLibForm::ShowCaption() {
    setWindowTitle(QStringLiteral("User Color Library - ") +
                   (Path.isEmpty() ? QStringLiteral("Noname-01") : QFileInfo(Path).fileName()));
}

void TUserColorLibForm::ShowColours() {
    std::vector<TColorRef> colours;
    QStringList names;
    for (const TUserColor& c : List) {
        colours.push_back(MakeColorRef(c.Red, c.Green, c.Blue));
        names.append(c.Name.isEmpty() ? QStringLiteral("Undefined") : QString::fromLocal8Bit(c.Name));
    }
    Grid->SetColors(colours, names);
    ShowCaption();
}

void TUserColorLibForm::NewLibrary() {
    List.clear();
    Path.clear();
    ShowColours();
}

uint32_t TUserColorLibForm::ReadLibrary(const QString& path) {
    if (path.isEmpty()) return 0;
    TUserColorList read;
    const uint32_t code = ReadUserColors(path, read);
    // A library that cannot be read leaves an empty one behind.
    List = std::move(read);
    Path = code ? QString() : path;
    ShowColours();
    return Report(code, path);
}

uint32_t TUserColorLibForm::WriteTo(const QString& path) {
    const uint32_t code = WriteUserColors(path, List);
    if (!code) Path = path;
    ShowCaption();
    return Report(code, path);
}

uint32_t TUserColorLibForm::SaveLibrary() {
    return Path.isEmpty() ? SaveLibraryAs() : WriteTo(Path);
}

uint32_t TUserColorLibForm::SaveLibraryAs() {
    const QString name = AskName(QStringLiteral("Save As"), QStringLiteral("noname.ucl"));
    if (name.isEmpty()) return 0;
    const QFileInfo shown(Files->Folder());
    const QString folder = shown.isWritable() ? Files->Folder() : ColourWriteFolder();
    return WriteTo(QDir(folder).absoluteFilePath(WithExtension(name, QStringLiteral("ucl"))));
}

uint32_t TUserColorLibForm::FileSave() {
    const QString chosen = Files->ChosenFile();
    if (chosen.isEmpty()) return SaveLibraryAs();
    if (!AskYes(QStringLiteral("Overwrite %1 ?").arg(QFileInfo(chosen).fileName()))) return 0;
    return WriteTo(chosen);
}

uint32_t TUserColorLibForm::RenameFile() {
    const QString chosen = Files->ChosenFile();
    if (chosen.isEmpty()) return 0;
    const QString name = AskName(QStringLiteral("New name"), QFileInfo(chosen).fileName());
    if (name.isEmpty()) return 0;
    const QString target =
        QFileInfo(chosen).dir().absoluteFilePath(WithExtension(name, QStringLiteral("ucl")));
    if (!QFile::rename(chosen, target)) return Report(ErrorCode::CannotWriteFile, target);
    if (Path == chosen) Path = target;
    ShowCaption();
    return Report(0, target);
}

uint32_t TUserColorLibForm::DeleteFile() {
    const QString chosen = Files->ChosenFile();
    if (chosen.isEmpty() || !AskYes(QStringLiteral("Delete %1 ?").arg(QFileInfo(chosen).fileName())))
        return 0;
    if (!QFile::remove(chosen)) return Report(ErrorCode::CannotWriteFile, chosen);
    if (Path == chosen) Path.clear();
    ShowCaption();
    return Report(0, chosen);
}

uint32_t TUserColorLibForm::MakeFolder() {
    const QString name = AskName(QStringLiteral("Make Folder"), QString());
    if (name.isEmpty()) return 0;
    const QString path = QDir(Files->Folder()).absoluteFilePath(name);
    return Report(QDir().mkpath(path) ? 0 : ErrorCode::CannotCreateFile, path);
}

int TUserColorLibForm::LoadAllOnPalette() {
    if (!Doc || Doc->BitsPerPixel() != 8 || List.empty()) return 0;
    const int start = CurrentIndex ? CurrentIndex() : TPalette::kFirstDrawing;
    int written = 0;
    Doc->EditPalette([&](TPalette& p) {
        written = LoadUserColorsOnPalette(p, start, List, Path.toLocal8Bit());
        return written > 0;
    });
    return written;
}

void TUserColorLibForm::AddColor() {
    TUserColor colour{};
    if (!EditColour(colour)) return;
    List.push_back(colour);
    ShowColours();
}

void TUserColorLibForm::EditColor(int k) {
    if (k < 0 || k >= int(List.size())) return;
    TUserColor colour = List[size_t(k)];
    if (!EditColour(colour)) return;
    List[size_t(k)] = colour;
    ShowColours();
}

void TUserColorLibForm::RemoveColor(int k) {
    if (k < 0 || k >= int(List.size())) return;
    List.erase(List.begin() + k);
    ShowColours();
}
