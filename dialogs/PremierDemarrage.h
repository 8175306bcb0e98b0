// The first-start window: shown when the start folder holds no configuration
// file yet, before any link is tried. It asks the language (preselected from
// the system's), how the active load is reached (the simulated bench, a
// serial port of those the system declares, or a network address typed by
// the user: none is proposed) and the mains frequency. Its texts follow the
// language chosen in it at once.
#pragma once

#include <QDialog>
#include <string>

#include "study/PremierDemarrage.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane {

class TPremierDemarrage : public QDialog {
    Q_OBJECT

public:
    // `racineTty`: the folder of the system's tty class (tests give their own).
    explicit TPremierDemarrage(const std::string& racineTty = "/sys/class/tty",
                               QWidget* parent = nullptr);

    // The choices as they stand.
    ChoixDemarrage Choix() const;

    QLabel* StaticTextBienvenue;
    QGroupBox* GroupeLangue;
    QRadioButton* BoutonFrancais;
    QRadioButton* BoutonAnglais;
    QRadioButton* BoutonEspagnol;
    QGroupBox* GroupeLiaison;
    QRadioButton* BoutonBanc;
    QLabel* StaticTextBanc;
    QRadioButton* BoutonSerie;
    QComboBox* ListePorts;
    QLabel* StaticTextAucunPort;
    QRadioButton* BoutonReseau;
    QLineEdit* EditAdresse;
    QGroupBox* GroupeFrequence;
    QRadioButton* Bouton50Hz;
    QRadioButton* Bouton60Hz;
    QPushButton* BoutonOK;
    QPushButton* BoutonAnnuler;

private:
    void Legender();
    void Verifier();  // OK only for a complete choice

    QButtonGroup* langues_;
    QButtonGroup* liaisons_;
    QButtonGroup* frequences_;
};

// Asks the first start's choices and writes the configuration file of the
// start folder: the choices on OK, the default record unchanged on Cancel.
// ConfigGenerale and the language hold them afterwards, even when the file
// cannot be written (which is said). Returns whether OK was taken.
bool DemanderPremierDemarrage(const std::string& racineTty = "/sys/class/tty");

}  // namespace orvane
