#pragma once
// The "User Color Data" window: one user colour's name, the colour book it
// comes from with its code (masked "00-00:00" for the printer guide, "00-0000"
// for the textile books) and a search of that code, and its colour edited as
// cyan, magenta, yellow or as hue, lightness, saturation through the pickers.

#include "colour/Pcmy.h"
#include "colour/Phls.h"
#include "colour/Usercolor.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TUserColorDataForm : public QDialog {
  public:
    // Books in the order cbColorBook lists them.
    enum TBook { BookNormal = 0, BookPrinter, BookVMStandard, BookVMTextile, BookPT1000, BookPTTextile };

    explicit TUserColorDataForm(QWidget* parent = nullptr);
    void SetColor(const TUserColor& colour);
    TUserColor Color() const { return Colour; }
    // Looks a code up in a book; set by whoever owns the colour libraries.
    std::function<bool(int book, const QString& code, TUserColor& found)> FindCode;
    // Runs the code search of the chosen book; true when the code was found.
    bool sbSearchClick();

    QLineEdit* edName;
    QComboBox* cbColorBook;
    QLineEdit* edCode;
    QPushButton* sbSearch;
    QLabel* lbFound;
    QLabel* shColor;
    QSpinBox* seCMY[3];
    QSpinBox* seHLS[3];

  private:
    void cbColorBookChange(int book);
    void ShowColour();
    void SetRGB(TColorRef c);
    TUserColor Colour;
    TPCMY CMY;
    TPHLS HLS;
    bool Loading = false;
};
