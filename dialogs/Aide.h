// The help window: the program's own help pages (HTML) in the language of
// the program, read from the "help" folder beside the executable (or in the
// installed shared-data folder, see Emplacements.h), one
// sub-folder per language ("fr", "en", "es"). A language without pages falls
// back to English, then French; without any page the window says where it
// looked for them.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QToolButton;
class QFrame;
class QLabel;

namespace orvane {

// The help folder: <executable folder>/help, else <shared-data folder>/help,
// unless replaced.
QString DossierAide();
// Replaces the help folder (an empty text restores the default) and returns
// the previous replacement.
QString DefinirDossierAide(const QString& dossier);
// Sub-folder of a language code of the configuration: 2 "en", 3 "es",
// any other "fr".
QString CodeLangueAide(int langue);
// Path of `page` in the pages of the language, else the English ones, else
// the French ones; empty when no folder holds it.
QString PageAide(int langue, const QString& page = QStringLiteral("index.html"));

class TAide : public QDialog {
    Q_OBJECT

public:
    explicit TAide(QWidget* parent = nullptr);

    QFrame* BarreAide;
    QToolButton* BoutonSommaire;
    QToolButton* BoutonPrecedent;
    QToolButton* BoutonSuivant;
    QTextBrowser* Navigateur;
    QLabel* TexteAbsente;  // shown instead of the pages when none is found

    // Captions of the current text table, then the first page of the
    // current language.
    void Langue();
    // Shows the first page of the current language; false (and the missing
    // folder's text) when there is none.
    bool Sommaire();

private:
    void Boutons();
};

// Opens the help window on the first page of the current language, or
// brings it to the front; the tracing window's "Aide" item calls it.
void OuvrirAide();
// The help window while it is open; null otherwise.
TAide* FenetreAide();

}  // namespace orvane
