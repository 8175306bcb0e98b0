// The tracing window. For now it shows what the study holds (title and
// trials) and closes back to the main menu; it already answers the
// unsaved-work question and takes the choice window's confirmed settings.
#pragma once

#include <QMainWindow>

#include "dialogs/Fenetres.h"

class QLabel;
class QPushButton;

namespace orvane {

class TFormTraceCaract : public QMainWindow, public IFenetreTrace {
    Q_OBJECT

public:
    explicit TFormTraceCaract(QWidget* parent = nullptr);

    // Makes the current trial take ReglagesCourants when its points stay
    // valid, otherwise appends a new trial from them.
    void Setcourbe() override;
    void Montrer() override;
    bool EstVisible() const override;
    void Langue() override;
    // "Fichier modifié. Voulez-vous l'enregistrer?": Yes saves through the
    // save dialog (a cancelled dialog or a failed save forbids), No allows,
    // Cancel forbids. A saved study allows at once.
    bool Avertissement() override;

    QLabel* LabelTitre;
    QLabel* LabelEtude;
    QLabel* LabelEssais;
    QPushButton* ButtonFermer;

public slots:
    // Refreshes the shown texts from the study.
    void Action();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace orvane
