// The step-response measurements of a capture: a trial and a quantity
// against time, and the seven measurements in the study's units ("—" where
// one does not apply). Changes no data.
#pragma once

#include <QDialog>
#include <QList>

#include "study/Reponse.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace orvane {

class TMesuresReponse : public QDialog {
    Q_OBJECT

public:
    // Starts on the current trial and on the vertical quantity of view `vue`.
    explicit TMesuresReponse(int vue, QWidget* parent = nullptr);

    QComboBox* ListeEssais;
    QComboBox* ListeGrandeurs;
    QLabel* Valeurs[7];  // initial, final, start, rise, time constant, overshoot, settling
    QPushButton* BoutonFermer;

private:
    void Calculer();
    QList<int> essais_;
    QList<int> grandeurs_;
};

}  // namespace orvane
