// The program's reporter: warnings and questions of the whole program as
// message boxes over the window in use.
#pragma once

#include "study/Rapport.h"

namespace orvane {

class TRapportBoites : public Rapport {
public:
    // A warning with an OK button.
    void Avertissement(const std::string& texte) override;
    // Yes, No and Cancel; Escape and the close box answer Cancel.
    ReponseQuestion Question(const std::string& texte) override;
};

}  // namespace orvane
