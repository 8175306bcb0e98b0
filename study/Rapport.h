// Where the core code sends the messages it shows to the user and the
// questions it asks. The program installs a reporter that opens message
// boxes; the default one writes to the standard error stream and, unable to
// ask, answers Cancel; tests install one that records.
#pragma once

#include <string>

namespace orvane {

// Answer to a confirmation with the buttons Yes, No and Cancel. Closing the
// box is Cancel.
enum class ReponseQuestion { Oui, Non, Annuler };

class Rapport {
public:
    virtual ~Rapport() = default;
    // A warning with an OK button. The text is UTF-8.
    virtual void Avertissement(const std::string& texte) = 0;
    // A confirmation with Yes, No and Cancel (such as "Fichier modifié.
    // Voulez-vous l'enregistrer?"). A reporter that cannot ask answers
    // Cancel: the command that asked stops and nothing is lost.
    virtual ReponseQuestion Question(const std::string& texte);
};

// Installs r (nullptr restores the default) and returns the previous one.
Rapport* DefinirRapport(Rapport* r);
void Avertir(const std::string& texte);
ReponseQuestion Demander(const std::string& texte);

}  // namespace orvane
