// Where the core code sends the messages it shows to the user. The program
// installs a reporter that opens message boxes; the default one writes to
// the standard error stream, and tests install one that records.
#pragma once

#include <string>

namespace orvane {

class Rapport {
public:
    virtual ~Rapport() = default;
    // A warning with an OK button. The text is UTF-8.
    virtual void Avertissement(const std::string& texte) = 0;
};

// Installs r (nullptr restores the default) and returns the previous one.
Rapport* DefinirRapport(Rapport* r);
void Avertir(const std::string& texte);

}  // namespace orvane
