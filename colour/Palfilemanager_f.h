#pragma once
// The Palette File Manager: one action at a time ("Read", "Merge", "Save ",
// "Save As", "Rename", "Delete") chosen by its button and run on the chosen file
// by a double click (or the button's second press); a single click shows the
// file in the preview grid. GIMP palettes (".gpl") are listed too: Read and
// Merge take them, "Export GIMP" writes one. "Color Report" lists the design's
// colours and "User Colors" opens the user colour library window. Palette changes go through the
// document (one undo step each); files are written into the shown folder, or
// the user's colour folder when that cannot be written.

#include <QPointer>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QLabel;
class QPushButton;
class TColorData;
class TColorReportForm;
class TColorSquares;
class TDocument;
class TFileBrowser;
class TUserColorLibForm;

class TPFMForm : public QWidget {
  public:
    enum TAction { ActRead = 0, ActMerge, ActSave, ActSaveAs, ActRename, ActDelete };

    explicit TPFMForm(QWidget* parent = nullptr);
    void SetDocument(TDocument* document);
    void SetFolder(const QString& folder);
    int Action() const;
    void SetAction(int action);
    // Runs action on path (a file of the list, or a name for Save As and
    // Rename's new name asked through AskName). Returns 0 or the reported code.
    uint32_t Run(int action, const QString& path);
    // Shows a palette file in the preview grid; false when it cannot be read.
    bool Preview(const QString& path);

    // Asks for a file name (Save As, Rename, Export GIMP); an input box unless replaced.
    std::function<QString(const QString& prompt, const QString& name)> AskName;
    // Asks before a file is deleted; a question box unless replaced.
    std::function<bool(const QString& question)> AskYes;

    TFileBrowser* Files;
    TColorSquares* ReviewPalette;
    QLabel* lbStatus;
    QPushButton* sbRead;
    QPushButton* sbMerge;
    QPushButton* sbSave;
    QPushButton* sbSaveAs;
    QPushButton* sbRename;
    QPushButton* sbDelete;
    QPushButton* sbExportGimp;
    QPushButton* sbReport;
    QPushButton* sbUserColor;
    QPushButton* sbExit;
    TColorReportForm* Report = nullptr;
    TUserColorLibForm* UserColors = nullptr;
    // The palette entry the user colour library's Load All starts at.
    std::function<int()> CurrentIndex;
    // The library code of an entry, for the colour report.
    std::function<QString(const TColorData&)> CodeText;
    // A code of a colour book, for the user colour data window.
    std::function<bool(int book, const QString& code, TColorData& found)> FindBookCode;
    // Opens (or raises) the user colour library window.
    void UserColorClick();

  private:
    uint32_t RunOn(int action, const QString& path);
    QString TargetFor(const QString& name, const QString& ext) const;
    void ActionClick(int action);
    void ExportGimpClick();
    void ReportClick();
    QPointer<TDocument> Doc;
    QButtonGroup* Actions;
};
