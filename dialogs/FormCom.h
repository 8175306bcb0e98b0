// The communication window: the link settings ("Configuration"), the spy
// dump, the work-file and printer dialogs, and -- being the gateway itself --
// the register operations and the measurement step under their own names.
// One instance for the whole run, `FormCom`.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "comm/Passerelle.h"

namespace orvane {

class TFormCom : public QDialog, public TPasserelleCom {
    Q_OBJECT

public:
    explicit TFormCom(QWidget* parent = nullptr);
    ~TFormCom() override;

    // ---- work-file dialogs, shared by the main menu and the tracing window ----
    // The initial folder of both dialogs.
    void DefinirDossierFichiers(const QString& dossier);
    // Runs the open dialog; true with a chosen file in `nom`.
    bool ChoisirFichierOuvrir(QString& nom);
    // Runs the save dialog, proposing the name remembered from the last
    // choice; true with a chosen file in `nom` (extension OVX2 added).
    bool ChoisirFichierEnregistrer(QString& nom);
    // Forgets the remembered name (a cancelled open, a new study).
    void OublierNomFichier();
    // Replaces the two file dialogs (tests): f receives the proposed name
    // (the remembered one when saving) and answers like the dialog. An empty
    // function brings the dialogs back. Returns the previous one.
    using ChoixFichier = std::function<bool(bool enregistrer, QString& nom)>;
    ChoixFichier DefinirChoixFichier(ChoixFichier f);

    // Spy dump to the clipboard.
    void Espion();

private:
    QString dossierFichiers_;
    QString nomFichier_;
    ChoixFichier choixFichier_;
};

extern TFormCom* FormCom;

}  // namespace orvane
