#include "comm/LiaisonRtu.h"

#include "comm/Horloge.h"
#include "study/Study.h"

namespace orvane {

namespace {

// The result code of a verdict, with the codes the request gives to a
// missing or short reply and to a bad CRC.
int32_t Code(Verdict v, const TTrame& reponse, int32_t incomplete, int32_t mauvaisCrc) {
    switch (v) {
        case Verdict::Bonne: return TLiaisonRtu::Ok;
        case Verdict::Incomplete: return incomplete;
        case Verdict::MauvaisCrc: return mauvaisCrc;
        case Verdict::Exception: return TLiaisonRtu::ReponseException + reponse.Octets[2];
        case Verdict::Discordante: break;
    }
    return TLiaisonRtu::ReponseDiscordante;
}

}  // namespace

TLiaisonRtu::TLiaisonRtu(IPortSerie* port) : port_(port ? port : &propre_) {}

bool TLiaisonRtu::Ouvrir() {
    if (port_ != &propre_) return port_->EstOuvert();
    return propre_.Ouvrir(ConfigGenerale.PortSerie.Lire());
}

void TLiaisonRtu::Fermer() {
    if (port_ == &propre_) propre_.Fermer();
}

bool TLiaisonRtu::Echange(const TTrame& requete, bool lecture, int attendu, TTrame& reponse) {
    reponse.Longueur = 0;
    port_->Purger();
    if (!port_->Ecrire(requete.Vue())) return false;
    if (lecture) delay10();
    port_->LireReponse(attendu, reponse);
    return true;
}

int32_t TLiaisonRtu::ReadRegRS232(int menu, int parametre, int32_t& erreur) {
    erreur = PortFerme;
    if (!port_->EstOuvert()) return 0;
    TTrame reponse;
    if (!Echange(TrameLecture(menu, parametre, 1), true, LongueurReponseLecture(1), reponse))
        return 0;
    const Verdict v = JugerReponseLecture(reponse.Vue(), 1);
    erreur = Code(v, reponse, PortFerme, PortFerme);
    return v == Verdict::Bonne ? MotReponse(reponse.Vue(), 0) : 0;
}

void TLiaisonRtu::Read10RegRS232(int menu, int parametre, int32_t& erreur, int n,
                                 int32_t* valeurs) {
    if (!port_->EstOuvert()) {
        erreur = PortFerme;
        return;
    }
    if (n < 1) n = 1;
    if (n > NbRegistresMax) n = NbRegistresMax;
    TTrame reponse;
    const int attendu = LongueurReponseLecture(n);
    Echange(TrameLecture(menu, parametre, n), true, attendu, reponse);
    const Verdict v = JugerReponseLecture(reponse.Vue(), n);
    // A reply of the expected length whose only fault may be its CRC.
    if (v == Verdict::Bonne || (v == Verdict::MauvaisCrc && reponse.Longueur == attendu)) {
        ValeursCourantes[GNumero] = 0;
        for (int i = 0; i < n; ++i) valeurs[i] = MotSigne(MotReponse(reponse.Vue(), i));
    }
    erreur = Code(v, reponse, ReponseFausse, ReponseFausse);
}

int32_t TLiaisonRtu::WriteRegRS232(int menu, int parametre, int32_t valeur) {
    // A port that is not open (never opened, or whose device vanished) sends
    // nothing, and that is a failure.
    if (!port_->EstOuvert()) return EchecEnvoi;
    TTrame reponse;
    if (!Echange(TrameEcriture(menu, parametre, valeur), false, LongueurReponseEcriture, reponse))
        return EchecEnvoi;
    return Code(JugerReponseEcriture(reponse.Vue(), AdresseRegistre(menu, parametre), 1), reponse,
                EchecEnvoi, ReponseFausse);
}

int32_t TLiaisonRtu::Write10RegRS232(int menu, int parametre, int n, const int32_t* valeurs) {
    if (!port_->EstOuvert()) return PortFerme;
    if (n < 1) n = 1;
    if (n > NbRegistresMax) n = NbRegistresMax;
    TTrame reponse;
    if (!Echange(TrameEcritureBloc(menu, parametre, n, valeurs), false, LongueurReponseEcriture,
                 reponse))
        return PortFerme;
    return Code(JugerReponseEcriture(reponse.Vue(), AdresseRegistre(menu, parametre), n), reponse,
                PortFerme, PortFerme);
}

int32_t TLiaisonRtu::LireRegistre(int menu, int parametre, int32_t& valeur) {
    int32_t erreur = Ok;
    valeur = ReadRegRS232(menu, parametre, erreur);
    return erreur;
}

int32_t TLiaisonRtu::LireRegistres(int menu, int parametre, int n, int32_t* valeurs) {
    int32_t erreur = Ok;
    Read10RegRS232(menu, parametre, erreur, n, valeurs);
    return erreur;
}

int32_t TLiaisonRtu::EcrireRegistre(int menu, int parametre, int32_t valeur) {
    return WriteRegRS232(menu, parametre, valeur);
}

int32_t TLiaisonRtu::EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) {
    return Write10RegRS232(menu, parametre, n, valeurs);
}

}  // namespace orvane
