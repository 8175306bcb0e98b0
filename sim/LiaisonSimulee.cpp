#include "sim/LiaisonSimulee.h"

#include "study/Study.h"

namespace orvane::sim {

namespace {
constexpr int32_t LienFerme = 1;
}

TLiaisonSimulee::TLiaisonSimulee(uint64_t graine, bool bruit) : banc_(graine) {
    banc_.variateur().SetBruit(bruit);
}

bool TLiaisonSimulee::Ouvrir() {
    ouvert_ = true;
    Suivre();
    return true;
}

void TLiaisonSimulee::Suivre() {
    Variateur& v = banc_.variateur();
    // Changing the machine or the mains rebuilds the model: only on a change.
    if (ReglagesCourants[MotTypeMachine] != machine_) {
        machine_ = ReglagesCourants[MotTypeMachine];
        v.SetTypeMachine(machine_);
    }
    if (ConfigGenerale.FrequenceReseau != frequence_) {
        frequence_ = ConfigGenerale.FrequenceReseau;
        v.SetFrequenceReseau(frequence_);
    }
    v.SetCalibreDeuxAmperes(ReglagesCourants[MotCalibre] == 1);
}

int32_t TLiaisonSimulee::LireRegistre(int menu, int parametre, int32_t& valeur) {
    if (!ouvert_) return LienFerme;
    Suivre();
    return banc_.LireRegistre(menu, parametre, valeur);
}

int32_t TLiaisonSimulee::LireRegistres(int menu, int parametre, int n, int32_t* valeurs) {
    if (!ouvert_) return LienFerme;
    Suivre();
    return banc_.LireRegistres(menu, parametre, n, valeurs);
}

int32_t TLiaisonSimulee::EcrireRegistre(int menu, int parametre, int32_t valeur) {
    if (!ouvert_) return LienFerme;
    Suivre();
    return banc_.EcrireRegistre(menu, parametre, valeur);
}

int32_t TLiaisonSimulee::EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) {
    if (!ouvert_) return LienFerme;
    Suivre();
    return banc_.EcrireRegistres(menu, parametre, n, valeurs);
}

void InstallerBancSimule(uint64_t graine, bool bruit) {
    DefinirFabriqueSimulation([graine, bruit]() -> std::unique_ptr<ITransportModbus> {
        return std::make_unique<TLiaisonSimulee>(graine, bruit);
    });
}

}  // namespace orvane::sim
