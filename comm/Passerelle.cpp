#include "comm/Passerelle.h"

#include <utility>

#include "comm/Horloge.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

FabriqueTransport fabriqueSimulation;

// The 32-bit product the formulas take (wrapping, as the drive's words never
// make it overflow).
int32_t Produit32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

int32_t FacteurPuissance(int32_t r7, int32_t r9, int32_t r11) {
    const int64_t s = Produit32(r9, r7);
    if (s <= 1000) return 0;
    const int64_t p = r11 < 0 ? -static_cast<int64_t>(r11) : r11;
    const int64_t fp = 10000000 * p / s;
    return static_cast<int32_t>(fp > 1000 ? 1000 : fp);
}

int32_t Rendement(int32_t pe, int32_t pm) {
    if (pe > 0 && pm > 0) return pe >= pm ? Produit32(pm, 1000) / pe : Produit32(pe, 1000) / pm;
    if (pe < 0 && pm < 0) return pe < pm ? Produit32(pm, 1000) / pe : Produit32(pe, 1000) / pm;
    return 0;
}

}  // namespace

FabriqueTransport DefinirFabriqueSimulation(FabriqueTransport f) {
    return std::exchange(fabriqueSimulation, std::move(f));
}

const FabriqueTransport& FabriqueSimulation() { return fabriqueSimulation; }

int32_t MotControle(int32_t typeCaract, int32_t bits) {
    if (typeCaract < 0 || typeCaract >= NbTypesCaract) return bits;
    return CodeModeCharge[static_cast<size_t>(typeCaract)] << 8 | bits;
}

int32_t GammeDeCalibre(int32_t calibre, int32_t gamme) {
    if (calibre >= -10 && calibre <= 0) return 0;
    if (calibre >= 10 && calibre <= 500) return 1;
    if (calibre >= 501 && calibre <= 1500) return 2;
    if (calibre >= 1501 && calibre <= 5000) return 3;
    return gamme;
}

void CalculerValeurs(const std::array<int32_t, 12>& r, int32_t typeMachine, int32_t calibre,
                     int64_t ecouleMs, ValeursPoint& v) {
    const int32_t f = calibre == 1 ? 10 : 1;
    v[GVitesse] = r[3];
    v[GCouple] = r[4];
    v[GPuissanceMeca] = static_cast<int32_t>(int64_t{Produit32(r[3], r[4])} * 3142 / 300000);
    v[GTemps] = static_cast<int32_t>(ecouleMs / 10);

    const bool continu = typeMachine <= MccSerie || typeMachine == VariateurContinu;
    const bool excitation = typeMachine <= MccIndependante || typeMachine == MsTriphasee;
    const bool triphase = typeMachine == MasTriphasee || typeMachine == MsTriphasee ||
                          typeMachine == VariateurTriphase;
    const int32_t facteurPe = triphase ? 30 : 10;
    if (typeMachine >= 0 && typeMachine < NbTypesMachine) {
        v[GTension] = continu ? r[8] : r[9];
        v[GCourant] = (continu ? r[6] : r[7]) / f;
        v[GPuissanceElec] = Produit32(r[11], facteurPe) / f;
        v[GCourantExcitation] = excitation ? r[5] / 10 : 0;
        v[GFacteurPuissance] = continu ? 0 : FacteurPuissance(r[7], r[9], r[11]);
        const int64_t pertes = int64_t{v[GPuissanceElec]} - v[GPuissanceMeca];
        v[GPertes] = static_cast<int32_t>(pertes < 0 ? -pertes : pertes);
    }
    v[GRendement] = Rendement(v[GPuissanceElec], v[GPuissanceMeca]);
}

TPasserelleCom::TPasserelleCom(IPortSerie* port) : serie_(port), debutMs_(MaintenantMs()) {}

TPasserelleCom::~TPasserelleCom() { Liberer(); }

const ITransportModbus* TPasserelleCom::TransportExistant(int32_t typeLiaison) const {
    switch (typeLiaison) {
        case LiaisonReseau: return &reseau_;
        case LiaisonSerie: return &serie_;
        case LiaisonSimulation: return simulation_.get();
        default: return nullptr;
    }
}

ITransportModbus* TPasserelleCom::Transport(int32_t typeLiaison) {
    if (typeLiaison == LiaisonSimulation && !simulation_ && fabriqueSimulation)
        simulation_ = fabriqueSimulation();
    // The links are this object's own members: handing one out is no breach.
    return const_cast<ITransportModbus*>(TransportExistant(typeLiaison));
}

bool TPasserelleCom::LiaisonOuverte() const {
    const ITransportModbus* t = TransportExistant(ConfigGenerale.TypeLiaison);
    return ouverte_ && t && t->EstOuvert();
}

template <class Echange>
void TPasserelleCom::Expedier(Echange echange) {
    if (!ouverte_) return;
    ITransportModbus* t = Transport(ConfigGenerale.TypeLiaison);
    code_ = t ? echange(*t) : SansLiaison;
    derniereErreur_ = code_ != 0;
    if (derniereErreur_) ++echecs_;
}

int32_t TPasserelleCom::ReadRegModbus(int menu, int parametre) {
    int32_t valeur = 0;
    Expedier([&](ITransportModbus& t) { return t.LireRegistre(menu, parametre, valeur); });
    return valeur;
}

void TPasserelleCom::Read10RegModbus(int menu, int parametre, int32_t* valeurs, int n) {
    if (n < 1) n = 1;
    if (n > NbRegistresMax) n = NbRegistresMax;
    Expedier([&](ITransportModbus& t) { return t.LireRegistres(menu, parametre, n, valeurs); });
}

void TPasserelleCom::WriteRegModbus(int menu, int parametre, int32_t valeur) {
    Expedier([&](ITransportModbus& t) { return t.EcrireRegistre(menu, parametre, valeur); });
}

void TPasserelleCom::Write10RegModbus(int menu, int parametre, const int32_t* valeurs, int n) {
    if (n < 1) n = 1;
    if (n > NbRegistresMax) n = NbRegistresMax;
    Expedier([&](ITransportModbus& t) { return t.EcrireRegistres(menu, parametre, n, valeurs); });
}

void TPasserelleCom::Initialise() {
    ITransportModbus* t = Transport(ConfigGenerale.TypeLiaison);
    if (!t)
        ouverte_ = false;
    else if (!t->EstOuvert())
        ouverte_ = t->Ouvrir();
    else
        ouverte_ = true;

    calibre_ = -1;
    if (ouverte_) calibre_ = ReadRegModbus(ParamCalibre.menu, ParamCalibre.parametre);
    ConfigGenerale.GammePuissance = GammeDeCalibre(calibre_, ConfigGenerale.GammePuissance);
    if (ouverte_) {
        EmissionControle(ControleRepos);
        LiaisonPrete();
    } else {
        Avertir(std::string(Textes.Texte(168)));
    }
}

void TPasserelleCom::Ferme() {
    if (!ouverte_) return;
    if (echecs_ == 0 && LiaisonOuverte()) EmissionControle(ControleLibre);
    Liberer();
}

void TPasserelleCom::Liberer() {
    // Every link that may be open goes, not only the configured one: the
    // link type may have changed since the link was opened.
    serie_.Fermer();
    reseau_.Fermer();
    if (simulation_) simulation_->Fermer();
    ouverte_ = false;
}

void TPasserelleCom::SetStatus() {
    status_ |= 1;
    WriteRegModbus(ParamEchoStatut.menu, ParamEchoStatut.parametre, status_);
}

void TPasserelleCom::LectureValeurs() {
    lectureValide_ = false;
    if (!ouverte_) {
        ValeursCourantes[GNumero] = -1;
        return;
    }
    int32_t bloc[NbRegistresMax] = {};  // room for any block
    Read10RegModbus(ParamStatut.menu, ParamStatut.parametre, bloc, NbMesures);
    const bool lu = !derniereErreur_;
    // After a failed read the block's first word means nothing: the last
    // good status word is kept and echoed.
    if (lu) {
        status_ = statusCopie_ = bloc[0];
        StatutLu(statusCopie_);
    }
    SetStatus();
    if (lu && !derniereErreur_) {
        ValeursCourantes[GNumero] = 0;
        for (int i = 3; i <= 11; ++i) R[static_cast<size_t>(i)] = bloc[i - 2];
        CalculValeurs();
        echecs_ = 0;
        lectureValide_ = true;
    } else if (echecs_ > 1) {
        ValeursCourantes[GNumero] = -1;
    }
}

void TPasserelleCom::CalculValeurs() {
    CalculerValeurs(R, ReglagesCourants[MotTypeMachine], ReglagesCourants[MotCalibre],
                    MaintenantMs() - debutMs_, ValeursCourantes);
}

void TPasserelleCom::EmissionControle(int32_t mot) {
    WriteRegModbus(ParamControle.menu, ParamControle.parametre, mot);
    delay100();
}

void TPasserelleCom::EmissionConstanteK(int32_t valeur) {
    WriteRegModbus(ParamConstanteK.menu, ParamConstanteK.parametre, valeur);
}

void TPasserelleCom::EmissionParam() {
    Write10RegModbus(ParamBlocCharge.menu, ParamBlocCharge.parametre, P.data(), NbParamCharge);
    delay100();
}

void TPasserelleCom::setParam0() {
    for (int i = 0; i < 5; ++i) P[static_cast<size_t>(i)] = 0;
    EmissionParam();
    echecs_ = 0;
}

void TPasserelleCom::initime() { debutMs_ = MaintenantMs(); }

}  // namespace orvane
