// The current range of the selected characteristic (word 22 of its header:
// 0 the 20 A range, 1 the 2 A range). A button changes the range at once;
// OK only closes the dialog, and the opener redraws.
#pragma once

#include <QDialog>

class QButtonGroup;
class QPushButton;
class QToolButton;

namespace orvane {

class TFormCalibreCourant : public QDialog {
    Q_OBJECT

public:
    explicit TFormCalibreCourant(QWidget* parent = nullptr);

    QToolButton* ButtonCalibre2A;
    QToolButton* ButtonCalibre20A;
    QPushButton* BitBtn1;

public slots:
    void FormShow();
    void ButtonCalibre2AClick();
    void ButtonCalibre20AClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Calibre(int32_t valeur);
    QButtonGroup* groupe_;
};

// The one instance of the program, set by the constructor.
extern TFormCalibreCourant* FormCalibreCourant;

}  // namespace orvane
