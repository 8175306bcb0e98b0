#include "study/Rapport.h"

#include <cstdio>

namespace orvane {

namespace {

class RapportErreurStandard : public Rapport {
public:
    void Avertissement(const std::string& texte) override {
        std::fprintf(stderr, "%s\n", texte.c_str());
    }
};

RapportErreurStandard rapportDefaut;
Rapport* rapportCourant = &rapportDefaut;

}  // namespace

Rapport* DefinirRapport(Rapport* r) {
    Rapport* ancien = rapportCourant;
    rapportCourant = r ? r : &rapportDefaut;
    return ancien;
}

void Avertir(const std::string& texte) { rapportCourant->Avertissement(texte); }

}  // namespace orvane
