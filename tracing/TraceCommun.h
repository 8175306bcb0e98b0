// What the files of the tracing window share: the numbers of the texts they
// read, and the small conversions between the study's texts and the window's.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QString>
#include <algorithm>
#include <string>

#include "dialogs/Habillage.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane::trace {

// Texts of the text table read by the window.
inline constexpr int TexteTitreMachine = 5;
inline constexpr int TexteTitreStatique = 7;
inline constexpr int TexteTitreDynamique = 9;
inline constexpr int TexteSupprimerVue = 39;
inline constexpr int TexteSupprimerEssai = 40;
inline constexpr int TexteSupprimerPoints = 41;
inline constexpr int TexteFichierModifie = 43;
inline constexpr int TexteSansValeur = 62;
inline constexpr int TexteCommentaireEssai = 114;
inline constexpr int TexteAffichageCaract = 143;
inline constexpr int TexteEssai = 144;
inline constexpr int TexteSelectionEssai = 145;
inline constexpr int TexteSansSynchro = 156;
inline constexpr int TexteSynchroSur = 157;
inline constexpr int TexteErreurLiaison = 168;

inline QString T(int n) { return TexteNumero(n); }

inline QString DeLEtude(const std::string& cp1252) { return VersQString(DepuisCp1252(cp1252)); }

inline std::string VersEtude(const QString& texte) { return VersCp1252(texte.toStdString()); }

// Cuts a text to `n` characters of the work file (one byte each there).
inline QString Couper(const QString& texte, int n) { return texte.left(n); }

// The caption of quantity q in the current language: "name : symbol".
inline QString NomGrandeur(int q, const char* liaison) {
    const TGrandeurTexte& g = Textes.Grandeurs[static_cast<size_t>(q)];
    // At most 20 characters each (not bytes: a cut must not split a letter).
    return VersQString(g.Nom).left(20) + QLatin1String(liaison) + VersQString(g.Symbole).left(20);
}

// Two titles one after the other: the load titles of some languages start
// with a space, others do not, and a caption must never run two words
// together.
inline QString Joindre(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty() || a.back().isSpace() || b.front().isSpace()) return a + b;
    return a + QLatin1Char(' ') + b;
}

// The caption of a group: group title, " : ", machine and load titles, for a
// machine 0..7 and a type 0..18 (no text for type 0).
inline QString TitreGroupe(int machine, int type) {
    int texte = 0;
    switch (GroupeDeType(type)) {
        case GroupeCaract::Machine: texte = TexteTitreMachine; break;
        case GroupeCaract::Statique: texte = TexteTitreStatique; break;
        case GroupeCaract::Dynamique: texte = TexteTitreDynamique; break;
        case GroupeCaract::Aucun: return {};
    }
    return T(texte) + QStringLiteral(" : ") +
           Joindre(VersQString(Textes.TitreMachine[static_cast<size_t>(machine)]),
                   VersQString(Textes.TitreCharge[static_cast<size_t>(type)]));
}

inline int NbEssais() { return std::clamp(Etude.NbCaract, 0, NbCaractMax); }

inline void Cocher(QAbstractButton* b, bool bas) {
    const QSignalBlocker bloque(b);
    b->setChecked(bas);
}

inline void DefinirTexte(QLineEdit* e, const QString& texte) {
    if (e->text() == texte) return;
    const QSignalBlocker bloque(e);
    e->setText(texte);
}

}  // namespace orvane::trace
