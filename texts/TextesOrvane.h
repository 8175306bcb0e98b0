// Language-dependent texts of the program: one record type, three constant
// tables (French, English, Spanish) and the current table `Textes`.
//
// All strings are UTF-8 here. Texts copied into study records (the quantity
// descriptors) are converted to Windows-1252 by the study code when copied.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane {

// Texts and scaling of one quantity, as the study copies them into its
// descriptors.
struct TGrandeurTexte {
    std::string_view Nom;
    std::string_view Symbole;
    std::string_view Unite;
    int32_t PleineEchelle;
    int32_t Exposant;
    int32_t Decimales;
};

// Number of texts in each array of the record.
inline constexpr int NbNomMachine = 8;
inline constexpr int NbTypeCaract = 19;
inline constexpr int NbColonnes = 8;
inline constexpr int NbEtatAcquisition = 4;
inline constexpr int NbListesApplications = 10;
inline constexpr int NbTextesNumerotes = 178;
// Texts of our own, numbered on from 179: the simulated bench, the link state,
// printing and exports, help, trial commands, acquisition states.
inline constexpr int NbTextesAjoutes = 66;
inline constexpr int DernierTexte = NbTextesNumerotes + NbTextesAjoutes;

struct TTextesOrvane {
    std::string_view FichierApplications;  // application description file
    std::string_view DossierFichiers;      // work-file folder under the start folder
    std::string_view MotEssai;             // word put before a trial's number
    std::array<TGrandeurTexte, 12> Grandeurs;
    std::array<std::string_view, 29> Textes1a29;  // texts 1..29
    std::array<std::string_view, NbNomMachine> NomMachine;
    std::array<std::string_view, NbNomMachine> TitreMachine;
    std::array<std::string_view, NbTypeCaract> TitreCharge;
    std::array<std::string_view, NbColonnes> TitreColonne1;
    std::array<std::string_view, NbColonnes> TitreColonne2;
    std::array<std::string_view, NbColonnes> TitreColonne3;
    std::array<std::string_view, NbEtatAcquisition> EtatAcquisition;
    std::array<std::array<std::string_view, 4>, NbListesApplications> ListeApplications;
    std::array<std::string_view, NbTypeCaract> NomLoi;
    std::array<std::string_view, NbTypeCaract> DescriptionLoi;
    std::array<std::string_view, 149> Textes30a178;               // texts 30..178
    std::array<std::string_view, NbTextesAjoutes> TextesAjoutes;  // texts 179..

    // Numbered text n (1..DernierTexte); an empty text for any other number.
    std::string_view Texte(int n) const;
};

extern const TTextesOrvane TexteFrancais;
extern const TTextesOrvane TexteAnglais;
extern const TTextesOrvane TexteEspagnol;

// The current text table; French until `ChoixLangue` says otherwise.
extern TTextesOrvane Textes;

// Language codes of the configuration.
inline constexpr int32_t LangueFrancais = 1;
inline constexpr int32_t LangueAnglais = 2;
inline constexpr int32_t LangueEspagnol = 3;

// 3 selects Spanish, 2 English, any other code French.
void ChoixLangue(int32_t code);

// Numbers of the texts the core code itself reads.
inline constexpr int TexteErreurLecture = 37;   // "Erreur de lecture du fichier"
inline constexpr int TexteErreurEcriture = 38;  // "Erreur d'ecriture du fichier"

// Numbers of the texts of our own.
inline constexpr int TexteBancSimule = 179;       // "Banc simulé": tab of the settings window
inline constexpr int TexteExplicationBanc = 180;  // what the simulated bench is
inline constexpr int TexteLiaisonPerdue = 181;    // live display: readings fail
inline constexpr int TexteAucunPort = 182;        // no serial port on this computer
inline constexpr int TexteSansLiaison = 183;      // live display: the link is not open
inline constexpr int TexteLiaisonCoupee = 184;    // live display: no valid reading any more

// Printing, exports and help of the tracing window.
inline constexpr int TexteExporterPdf = 185;           // menu: the report as a PDF file
inline constexpr int TexteExporterValeurs = 186;       // menu: the values as a CSV file
inline constexpr int TexteImpressionImpossible = 187;  // the print job could not start
inline constexpr int TexteFiltrePdf = 188;             // file dialog filter of the PDF export
inline constexpr int TexteFiltreCsv = 189;             // file dialog filter of the CSV export
inline constexpr int TexteAideAbsente = 190;           // help window: no help folder
inline constexpr int TexteAideSommaire = 191;          // help window: first page
inline constexpr int TexteAidePrecedent = 192;         // help window: back
inline constexpr int TexteAideSuivant = 193;           // help window: forward

// Trial commands of the tracing window.
inline constexpr int TexteMenuSupprimerPoints = 194;   // trial pop-up: delete its points (+ number)
inline constexpr int TexteMenuSupprimerEssai = 195;    // trial pop-up: delete the trial (+ number)
inline constexpr int TexteCinqEssais = 196;            // no new trial: five trials already
inline constexpr int TexteEssaiPlein = 197;            // an acquisition stopped: its trial is full
inline constexpr int TexteCaptureTropLongue = 198;     // question: a capture longer than a trial
inline constexpr int TexteAcquisitionCoupee = 199;     // an acquisition stopped: the link is lost
inline constexpr int TexteBancSimuleLegende = 200;     // ends the captions on the simulated bench
inline constexpr int TexteBulleCroissant = 201;        // hint of the rising sweep button
inline constexpr int TexteBulleDecroissant = 202;      // hint of the falling sweep button
inline constexpr int TexteNomCroissant = 203;          // accessible name of the rising button
inline constexpr int TexteNomDecroissant = 204;        // accessible name of the falling button
inline constexpr int TexteApplicationsAbsentes = 205;  // applications window: no file found
inline constexpr int TexteAutresMenus = 206;           // name of a menu bar's overflow button
inline constexpr int TexteCoinEchelles = 207;          // name of a plot frame's corner button
inline constexpr int TexteMentionsApropos =
    208;  // about box: what the program is, its version (%1)

// The first-start window (a start folder without a configuration file).
inline constexpr int TextePremierDemarrage = 209;  // its title
inline constexpr int TexteBienvenue = 210;         // what it asks, and where to change it later
inline constexpr int TexteLiaisonCharge = 211;     // caption of the link's group

// The load line, the fit and the measurements of a plot frame.
inline constexpr int TexteAjusterPoints = 212;  // menu: the view fitted to its points
inline constexpr int TexteDroiteCharge = 213;   // menu: the load line dialog
inline constexpr int TextePasDePoint = 214;     // the law meets no machine curve
inline constexpr int TexteStable = 215;         // an operating point
inline constexpr int TexteInstable = 216;
inline constexpr int TexteMesuresReponse = 217;  // menu and dialog: step measurements
inline constexpr int TexteCurseurs = 218;        // menu: the two time cursors
inline constexpr int TexteLoiCharge = 219;       // load line dialog: the law
inline constexpr int TexteLoiEssai = 220;        // load line dialog: the law of a trial
inline constexpr int TexteSansDroite = 221;      // load line dialog: none
inline constexpr int TexteValeurInitiale = 222;  // step measurements, in order,
inline constexpr int TexteValeurFinale = 223;    // 222..228
inline constexpr int TexteDebutEchelon = 224;
inline constexpr int TexteTempsMontee = 225;
inline constexpr int TexteConstanteTemps = 226;
inline constexpr int TexteDepassement = 227;
inline constexpr int TexteEtablissement = 228;
inline constexpr int TexteGrandeur = 229;       // step measurements: the quantity
inline constexpr int TexteEcartMesure = 230;    // a crossing against a load trial's points
inline constexpr int TexteParametresLoi = 231;  // load line dialog: the parameters

// Reports: the workbook and the lab report.
inline constexpr int TexteCompteRendu = 232;           // menu: the lab report as a PDF file
inline constexpr int TexteFiltreXlsx = 233;            // file dialog filter of the workbook
inline constexpr int TexteFeuilleVues = 234;           // workbook: the sheet of the charts
inline constexpr int TexteFeuilleEtude = 235;          // workbook: the study's sheet
inline constexpr int TextePageSur = 236;               // report footer: page %1 of %2
inline constexpr int TexteAucunEssai = 237;            // a study without trials
inline constexpr int TextePointsFonctionnement = 238;  // the operating points' heading
inline constexpr int TexteRapportDate = 239;
inline constexpr int TexteRapportBanc = 240;  // the bench: port, address or simulated
inline constexpr int TexteRapportMachine = 241;
inline constexpr int TexteRapportCharge = 242;
inline constexpr int TexteRapportCommentaire = 243;
inline constexpr int TexteVueNumero = 244;  // workbook: a view and its number (%1)

}  // namespace orvane
