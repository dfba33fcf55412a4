#pragma once
// The multiple-document main window. Its creation reads the configuration,
// loads the process-wide language tables and "Environment.ini" (user font,
// autosave), then builds the menus with captions from the "Main" table.

#include <QFont>
#include <QMainWindow>

class QMdiArea;
class QMenu;
class QAction;
class QTimer;

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    QMdiArea* MdiArea() const { return MdiArea_; }
    QTimer* AutosaveTimer() const { return AutosaveTimer_; }
    bool AutoSave() const { return AutoSave_; }
    const QFont& UserFont() const { return UserFont_; }
    QMenu* FileItem() const { return FileItem_; }
    QMenu* EditItem() const { return EditItem_; }
    QMenu* ImageItem() const { return ImageItem_; }
    QMenu* ViewItem() const { return ViewItem_; }
    QMenu* WindowItem() const { return WindowItem_; }
    QMenu* HelpItem() const { return HelpItem_; }
    QAction* FExitItem() const { return FExitItem_; }

  private:
    void FormCreate();
    void ReadEnvironment();
    void CreateMenus();
    void SetMenuCaptions();

    QMdiArea* MdiArea_ = nullptr;
    QTimer* AutosaveTimer_ = nullptr;
    bool AutoSave_ = false;
    QFont UserFont_;
    QMenu* FileItem_ = nullptr;
    QMenu* EditItem_ = nullptr;
    QMenu* ImageItem_ = nullptr;
    QMenu* ViewItem_ = nullptr;
    QMenu* WindowItem_ = nullptr;
    QMenu* HelpItem_ = nullptr;
    QAction* FExitItem_ = nullptr;
};
