#pragma once
// The user colour library window: the colours of one ".ucl" library as named
// squares, the library files of a folder, and the buttons "New", "Read",
// "Save", "Save As", "File Save" (onto the file chosen in the list), "Rename",
// "Delete", "Make Folder", "Load All on Palette" and "Exit"; "Add", "Edit" and
// "Remove" change the colours through the "User Color Data" window. A square
// dragged onto the palette grid sets that entry; Load All writes the colours
// from the current palette entry on, as one undo step of the document.

#include "colour/Usercolor.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class TColorSquares;
class TDocument;
class TFileBrowser;
class TUserColorDataForm;

class TUserColorLibForm : public QWidget {
  public:
    explicit TUserColorLibForm(QWidget* parent = nullptr);
    void SetDocument(TDocument* document);
    // The palette entry Load All starts at (the palette window's current colour).
    std::function<int()> CurrentIndex;
    // Asks for a name (Save As, Rename, Make Folder); an input box unless replaced.
    std::function<QString(const QString& prompt, const QString& name)> AskName;
    std::function<bool(const QString& question)> AskYes;
    // Edits a colour in the "User Color Data" window; false when cancelled.
    std::function<bool(TUserColor& colour)> EditColour;

    const TUserColorList& Colors() const { return List; }
    QString FileName() const { return Path; }

    // The buttons' work; each returns 0 or the code it reported.
    void NewLibrary();
    uint32_t ReadLibrary(const QString& path);
    uint32_t SaveLibrary();
    uint32_t SaveLibraryAs();
    uint32_t FileSave();
    uint32_t RenameFile();
    uint32_t DeleteFile();
    uint32_t MakeFolder();
    // Returns how many palette entries were written.
    int LoadAllOnPalette();
    void AddColor();
    void EditColor(int k);
    void RemoveColor(int k);

    TFileBrowser* Files;
    TColorSquares* Grid;
    QLabel* lbStatus;
    TUserColorDataForm* DataForm;

  private:
    // The library's colours as pages of named chips, in a print preview.
    void PrintLibrary();
    QPushButton* Button(const char* text, const std::function<void()>& click);
    uint32_t Report(uint32_t code, const QString& path);
    uint32_t WriteTo(const QString& path);
    void ShowColours();
    void ShowCaption();
    QPointer<TDocument> Doc;
    TUserColorList List;
    QString Path; // empty: a new library, "noname.ucl"
};
