#include "study/Rapport.h"

#include <cstdio>

namespace orvane {

namespace {

class RapportErreurStandard : public Rapport {
public:
    void Avertissement(const std::string& texte) override {
        std::fprintf(stderr, "%s\n", texte.c_str());
    }
    // Nobody to answer: the question is shown and cancelled.
    ReponseQuestion Question(const std::string& texte) override {
        std::fprintf(stderr, "%s\n", texte.c_str());
        return ReponseQuestion::Annuler;
    }
};

RapportErreurStandard rapportDefaut;
Rapport* rapportCourant = &rapportDefaut;

}  // namespace

ReponseQuestion Rapport::Question(const std::string&) { return ReponseQuestion::Annuler; }

Rapport* DefinirRapport(Rapport* r) {
    Rapport* ancien = rapportCourant;
    rapportCourant = r ? r : &rapportDefaut;
    return ancien;
}

void Avertir(const std::string& texte) { rapportCourant->Avertissement(texte); }

ReponseQuestion Demander(const std::string& texte) { return rapportCourant->Question(texte); }

}  // namespace orvane
