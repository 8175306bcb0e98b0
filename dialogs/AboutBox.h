// The about box: the bench picture, the program's name and notice.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace orvane {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* Image;  // the bench picture, empty when its file cannot be read
    QFrame* Panel;
    QLabel* LabelORVANE;
    QLabel* ProgramIcon;
    QLabel* Mentions;
    QPushButton* OKButton;

public slots:
    void FormShow();
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
};

// The one instance of the program, set by the constructor.
extern TAboutBox* AboutBox;

// The program's picture: a motor and its load machine on a teal disc.
QPixmap ImageProgramme(int cote);

}  // namespace orvane
