// The communication window: the link settings ("Configuration"), the spy
// dump, the work-file and printer dialogs, and -- being the gateway itself --
// the register operations and the measurement step under their own names.
// One instance for the whole run, `FormCom`.
//
// The settings page edits a copy of ConfigGenerale, checked with the rules
// of the configuration file, and stores it only on OK. While the window is
// shown the link is closed; OK reopens it with the new settings, Cancel
// leaves it closed until the next Initialise.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "comm/ComSelection.h"
#include "comm/Passerelle.h"
#include "study/Records.h"

class QButtonGroup;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace orvane {

// Chooses a work file in place of the file dialogs: `enregistrer` tells the
// save dialog from the open one; `nom` comes with the proposed file (empty
// when there is none: the dialogs then start in TFormCom::DossierFichiers())
// and leaves with the chosen file. Returns false when cancelled.
using ChoixFichier = std::function<bool(bool enregistrer, QString& nom)>;
// Installs f (an empty function restores the file dialogs) and returns the
// previous one.
ChoixFichier DefinirChoixFichier(ChoixFichier f);

class TFormCom : public QDialog, public TPasserelleCom {
    Q_OBJECT

public:
    explicit TFormCom(QWidget* parent = nullptr);
    ~TFormCom() override;

    // ---- controls ----
    QLabel* TitreLiaison;  // title strip
    QTabWidget* PageControlCom;
    QWidget* TabRS485;
    QWidget* TabTCPIP;
    QWidget* TabBanc;  // the simulated bench
    QGroupBox* RadioGroupCom;
    QLabel* TexteAucunPortCom;  // shown when the system declares no port
    QList<QRadioButton*> ItemsCom;
    QButtonGroup* GroupeCom;  // button id = index in ComSelection.Items
    QLabel* StaticTextADTCPIP;
    QLineEdit* EditTC1;
    QLineEdit* EditTC2;
    QLineEdit* EditTC3;
    QLineEdit* EditTC4;
    QLabel* StaticTextBanc;
    QGroupBox* GroupBoxLangue;
    QToolButton* ButtonFR;
    QToolButton* ButtonUK;
    QToolButton* ButtonSP;
    QButtonGroup* GroupeLangue;
    QGroupBox* GroupBox1;
    QToolButton* Button50Hz;
    QToolButton* Button60Hz;
    QButtonGroup* GroupeFrequence;
    QPushButton* BoutonOK;
    QPushButton* BoutonANNULER;

    // The serial ports the system declares, and the one chosen.
    TComSelection ComSelection;

    // Tab indices of PageControlCom.
    static constexpr int PageSerie = 0;
    static constexpr int PageReseau = 1;
    static constexpr int PageBanc = 2;

    // The settings as the window shows them (the copy OK stores).
    const TConfigGenerale& Copie() const { return copie_; }

    // ---- work-file dialogs, shared by the main menu and the tracing window ----
    using ChoixFichier = orvane::ChoixFichier;
    static ChoixFichier DefinirChoixFichier(ChoixFichier f) {
        return orvane::DefinirChoixFichier(std::move(f));
    }
    // The initial folder of both dialogs.
    void DefinirDossierFichiers(const QString& dossier);
    QString DossierFichiers() const { return dossierFichiers_; }
    // Runs the open dialog, in the folder of the remembered name with that
    // name proposed, else in the initial folder with no name; true with a
    // chosen file in `nom`.
    bool ChoisirFichierOuvrir(QString& nom);
    // Runs the save dialog, proposing the name remembered from the last
    // choice (none, in the initial folder, when there is none); true with a
    // chosen file in `nom` (extension OVX2 added).
    bool ChoisirFichierEnregistrer(QString& nom);
    // Forgets the remembered name (a cancelled open, a new study).
    void OublierNomFichier();
    QString NomFichier() const { return nomFichier_; }
    // Remembers a file opened without the dialog (named on the command line).
    void RetenirNomFichier(const QString& nom) { nomFichier_ = nom; }

    // ---- printer dialogs of the tracing window ----
    // The printer both dialogs set up, kept for the whole run.
    QPrinter* Imprimante();
    // Page set-up; true when confirmed.
    bool PrinterSetupDialog1();
    // Print dialog; true when the user asks to print on Imprimante().
    bool PrintDialog1();

    // ---- spy ----
    static constexpr int NbEspionMax = 100000;
    // Entries of the log: (milliseconds since the link opened, status word).
    int NbEspion() const { return static_cast<int>(espion_.size()); }
    const std::vector<std::array<int32_t, 2>>& JournalEspion() const { return espion_; }
    // The dump text of the log (one CR LF line per entry).
    QString TexteEspion() const;
    // Spy dump to the clipboard; the log is emptied.
    void Espion();

public slots:
    void FormShow();
    void FormClose();
    void BoutonOKClick();
    void ButtonFRClick();
    void ButtonUKClick();
    void ButtonSPClick();
    // Range check of an address edit.
    void EditTC1Change(QLineEdit* edit);
    // Captions of the current text table.
    void Langue();

signals:
    // OK has stored the settings (link, language) and made the language
    // current, before the link is opened again.
    void ReglagesAppliques();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void LiaisonPrete() override;
    void StatutLu(int32_t statut) override;

private:
    void RemplirPorts();
    // The dialog's folder and proposed name.
    void ProposerFichier(QFileDialog& d) const;
    QList<QLineEdit*> Edits() const;

    TConfigGenerale copie_{};
    QString dossierFichiers_;
    QString nomFichier_;
    std::unique_ptr<QPrinter> imprimante_;
    std::vector<std::array<int32_t, 2>> espion_;
    int64_t debutEspion_ = 0;
};

extern TFormCom* FormCom;

}  // namespace orvane
