// The load line of a torque-speed view: no line, one of the static laws with
// its parameters in physical units, or the law of a static-load trial of the
// study. The opener runs exec() and, after OK, stores `Loi()` with the view.
#pragma once

#include <QDialog>
#include <QList>
#include <optional>

#include "study/PointFonctionnement.h"

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPushButton;

namespace orvane {

class TDroiteCharge : public QDialog {
    Q_OBJECT

public:
    // Shows the law stored with view `vue` (1..4).
    explicit TDroiteCharge(int vue, QWidget* parent = nullptr);

    QComboBox* ListeLois;  // none, the five laws, then the static-load trials
    QGroupBox* GroupeParametres;
    // The parameters, shown by law: T0 | a, b | a, b | P, Tmax | Tc, Tr, nd.
    QDoubleSpinBox* EditA;
    QDoubleSpinBox* EditB;
    QDoubleSpinBox* EditP;
    QDoubleSpinBox* EditTmax;
    QDoubleSpinBox* EditTc;
    QDoubleSpinBox* EditTr;
    QDoubleSpinBox* EditNd;
    QPushButton* BoutonOK;
    QPushButton* BoutonAnnuler;

    // The choice: no law (nothing), a law typed, or a trial's (EssaiCharge() > 0).
    std::optional<LoiCharge> Loi() const;
    int EssaiCharge() const;

    // Stores the choice with view `vue` and marks the study changed when it
    // differs from what the view held.
    void Enregistrer(int vue) const;

private:
    void Montrer();  // the parameters of the law chosen, OK for a valid one
    QFormLayout* formulaire_;
    QList<int> essais_;  // the trial of each item from the seventh on
};

}  // namespace orvane
