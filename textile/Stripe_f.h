#pragma once
// The Stripe tool's window ("Stripe"): the stripe list in a grid (row, Color
// swatch, Method, Length in the unit, Repeat) with Add Stripe / Delete Stripe,
// the preview of the sequence above it ("Part" at actual size with its scroll
// bar, "Whole" stretched to the strip; "Spread View" tiles it), the band's
// thickness in the design's unit, the angle, the mode (One Repeat / Whole), Run
// and File (read or save a ".stp"). The list comes from "Stripe.ini" when the
// window opens and goes back there when it closes.
#include "shell/Stringtable.h"
#include "textile/Stripe.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTableWidget;
class QToolButton;
class TDocument;
class TStripeTool;
struct TToolContext;

class TStripeForm : public QWidget {
    Q_OBJECT
  public:
    explicit TStripeForm(QWidget* parent = nullptr);
    ~TStripeForm() override;

    // The engine the window drives and the context its runs use.
    void Attach(TStripeTool* engine, TToolContext* context);
    const TStripeList& List() const { return Editor.List; }
    // The design changed: unit, swatches and limits follow it.
    void ShowDesign();

    // Asks for a ".stp" to read or (save) write; empty when cancelled. The
    // program's dialog unless replaced (tests).
    std::function<QString(bool save)> OnChooseFile;

    QTableWidget* sgStripe = nullptr;
    QToolButton* sbAdd = nullptr;
    QToolButton* sbDelete = nullptr;
    QLabel* Preview = nullptr;
    QScrollBar* ScrollBar = nullptr;
    QComboBox* cbSize = nullptr;
    QCheckBox* cbSpread = nullptr;
    QLabel* lbLength = nullptr;
    QLabel* lbRatio = nullptr;
    QLineEdit* edThickness = nullptr;
    QLabel* lbUnit = nullptr;
    QSpinBox* spAngle = nullptr;
    QRadioButton* rbOneRepeat = nullptr;
    QRadioButton* rbWhole = nullptr;
    QToolButton* sbRun = nullptr;
    QToolButton* sbFile = nullptr;

    void sbReadClick();
    void sbSaveClick();

  private:
    TDocument* Design() const;
    int UnitNow() const;
    void Refresh();
    void ShowPreview();
    void sgStripeClick(int row, int column);
    void sgStripeEdited(int row, int column);
    void sbAddClick();
    void sbRunClick();
    void edThicknessExit();
    TStringTable Texts;
    TStripeEditor Editor;
    TStripeTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    int ShownUnit = -1;
    bool Filling = false;
};
