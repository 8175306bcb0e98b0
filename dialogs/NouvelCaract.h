// The dialog in which the user defines or changes one graph view of the study:
// the quantity on each axis, the quadrants of the plane shown and the current
// range of the measurement.
//
// The caller sets `Mode` (0 new view, 1 modification) and `NumeroVue` (slot
// 1..4), then runs exec(); Accepted means the slot has been written.
#pragma once

#include <QDialog>
#include <QList>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace orvane {

// List position + 1 of quantity q in the axis lists of machine type m (the
// reverse of `ChoixAxes`); 0 when the quantity is not listed for that machine
// or when m or q is out of range.
int PositionAxes(int m, int q);

class TNouvelCaract : public QDialog {
    Q_OBJECT

public:
    explicit TNouvelCaract(QWidget* parent = nullptr);
    ~TNouvelCaract() override;

    int Mode = 0;       // 0 new view, 1 modification of the view in the slot
    int NumeroVue = 1;  // slot 1..4

    QGroupBox* RadioGroupY;
    QGroupBox* RadioGroupX;
    QGroupBox* GroupBoxQuadrant;
    QToolButton* Q0;
    QToolButton* Q1;
    QToolButton* Q2;
    QToolButton* Q3;
    QToolButton* Q4;
    QToolButton* Q5;
    QToolButton* Q6;
    QToolButton* Q7;
    QToolButton* Q8;
    QGroupBox* GroupBoxCourant;
    QToolButton* ButtonCalibre2A;
    QToolButton* ButtonCalibre20A;
    QPushButton* BtnOK;
    QPushButton* BitBtn2;

    // The radio buttons of the two lists (position p is item p) and the
    // button groups behind the lists, the quadrants and the current range.
    QList<QRadioButton*> ItemsY;
    QList<QRadioButton*> ItemsX;
    QButtonGroup* GroupeY;
    QButtonGroup* GroupeX;
    QButtonGroup* GroupeQuadrants;  // button id = quadrant choice 0..8
    QButtonGroup* GroupeCalibre;

    // Index of the last abscissa item, -1 before the lists are filled.
    int DernierItem = -1;

    // Selected position of each list, -1 when nothing is selected.
    int PositionY() const;
    int PositionX() const;
    // Quadrant choice of the button that is down, -1 when none is.
    int QuadrantChoisi() const;

public slots:
    void FormShow();
    void action();
    void BtnOKClick();
    void ButtonCalibre2AClick();
    void ButtonCalibre20AClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    int Machine() const;
    int Slot() const;
    void RemplirListe(QGroupBox* boite, QButtonGroup* groupe, QList<QRadioButton*>& items,
                      bool avecTemps);
    void Selectionner(QList<QRadioButton*>& items, int position);
    void AbaisserQuadrant(int valeur);
    // Range 1 (2 A) or 0 (20 A) for the settings and, in mode 1, the trial.
    void DefinirCalibre(int32_t calibre);
};

// The one instance of the program, set by the constructor.
extern TNouvelCaract* NouvelCaract;

}  // namespace orvane
