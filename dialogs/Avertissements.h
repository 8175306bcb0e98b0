// The warning shown before a study on an industrial load whose wiring needs
// care: the drive's "ENTREE FONCTION" terminals must be used. OK goes on,
// Annuler gives the study up.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvane {

class TAvertissements : public QDialog {
    Q_OBJECT

public:
    explicit TAvertissements(QWidget* parent = nullptr);

    // The characteristic type the warning is about, set by the opener.
    int TypeCaract = 0;

    QLabel* TextAvert0;
    QLabel* TextAvert1;
    QLabel* TextAvert2;
    QPushButton* BoutonOK;
    QPushButton* BoutonAnnuler;

    // The types that need the warning: 6, 7, 9, 10, 11, 13, 15, 16, 17, 18.
    static bool TypeAvecAvertissement(int type);

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
};

// The one instance of the program, set by the constructor.
extern TAvertissements* Avertissements;

}  // namespace orvane
