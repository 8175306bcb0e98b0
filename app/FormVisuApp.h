// The industrial applications window: for the load law chosen in the choice
// window, the applications that behave like it, one after another, each as
// a still picture or as an animation. Their titles and files come from the
// application description file of the current language, read each time the
// window is shown from the start folder, else from the program's folder, else
// from the installed shared-data folder; the files it names lie under the
// folder it was found in. When none is found the title bar says so.
#pragma once

#include <QDialog>

#include "dialogs/Fenetres.h"
#include "study/Applications.h"

class QFrame;
class QLabel;
class QPushButton;

namespace orvane {

class TLecteurAnimation;

class TFormVisuApp : public QDialog, public IFenetreVisuApp {
    Q_OBJECT

public:
    explicit TFormVisuApp(QWidget* parent = nullptr);

    // IFenetreVisuApp: the group shown next, then the window shown without
    // waiting (shown again when it already is, so another group shows).
    void DefinirGroupe(int groupe) override;
    void Montrer() override;
    void Fermer() override {
        if (isVisible()) close();
    }

    void FormShow();
    void Action();
    void APPMoinsClick();
    void APPPlusClick();
    void RepeterClick();
    void ButtonCloseClick();

    int Groupe() const { return groupe_; }
    int Numero() const { return numero_; }
    // The folder of the description file read; empty when none was found.
    QString DossierApplications() const { return dossier_; }

    static constexpr int Largeur = 956;
    static constexpr int Hauteur = 644;
    static constexpr int HauteurBarre = 44;

    QFrame* PanelTitreApp;
    QLabel* StaticText1;
    QWidget* Affichage;  // the display area
    QLabel* Image1;
    TLecteurAnimation* Flash1;
    QFrame* PanelBouton;
    QPushButton* APPMoins;
    QPushButton* APPPlus;
    QPushButton* Repeter;
    QPushButton* ButtonClose;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // Path of a file named by the description, under the folder it was read
    // from.
    QString CheminApplication(const std::string& fichier) const;

    TableApplications table_{};
    QString dossier_;
    int groupe_ = 1;
    int numero_ = 1;
};

}  // namespace orvane
