#include "comm/LiaisonReseau.h"

#include "comm/Horloge.h"
#include "comm/knr/Knr.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

using Objet = int32_t[KNR_TAILLE_OBJET];

void Remplir(int32_t* o, int menu, int parametre, int32_t valeur) {
    o[0] = 1;
    o[1] = menu;
    o[2] = parametre;
    o[3] = 0;
    o[4] = valeur;
    o[5] = o[6] = o[7] = 0;
}

// Low 16 bits of the caller's value, as the drive receives it.
int32_t Bas16(int32_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v) & 0xFFFF); }

}  // namespace

TLiaisonReseau::~TLiaisonReseau() { Fermer(); }

int32_t TLiaisonReseau::Inscrire(int32_t& resultat) {
    const int32_t parametres[KNR_TAILLE_PARAMETRES] = {4, DelaiReponseUs, -1, 254, PortTcp};
    resultat = KNR_SetParameters(parametres);
    return KNR_RegisterUser(1, 0, 0, 0);
}

bool TLiaisonReseau::Ouvrir() {
    Fermer();
    int32_t resultat = 0;
    const int32_t h = Inscrire(resultat);
    if (h < 0) {
        Avertir(std::string(Textes.Texte(169)) + std::to_string(h) + "*" +
                std::to_string(resultat));
        return false;
    }
    handle_ = h;
    noeud_ = AdresseReseau;
    return true;
}

void TLiaisonReseau::Fermer() {
    if (handle_ >= 0) KNR_DeleteUser(handle_);
    handle_ = -1;
}

void TLiaisonReseau::Abandonner() {
    KNR_DeleteUser(handle_);
    int32_t resultat = 0;
    const int32_t h = Inscrire(resultat);
    handle_ = h < 0 ? -1 : h;
}

int32_t TLiaisonReseau::Attendre(int32_t genre) {
    // The library ends every exchange within its time-out; this bound only
    // guards against a library that would not.
    const int64_t limite = MaintenantMs() + GardeMs;
    int32_t r = 0;
    while ((r = KNR_PollForResponse(handle_)) == 0) {
        if (MaintenantMs() > limite) {
            Abandonner();
            return SansFin;
        }
    }
    const bool reussi = (r & 0xFFFF) == genre && (static_cast<uint32_t>(r) >> 16) == KNR_SUCCES;
    return reussi ? 0 : r;
}

int32_t TLiaisonReseau::LireRegistre(int menu, int parametre, int32_t& valeur) {
    valeur = -1;
    if (handle_ < 0) return KNR_ERR_HANDLE;
    Objet o;
    Remplir(o, menu, parametre, 0);
    if (int32_t e = KNR_ReadObject(handle_, noeud_.c_str(), o)) return e;
    const int32_t e = Attendre(KNR_LECTURE);
    if (e == 0) valeur = o[4];
    return e;
}

int32_t TLiaisonReseau::LireRegistres(int menu, int parametre, int n, int32_t* valeurs) {
    if (handle_ < 0) return KNR_ERR_HANDLE;
    int32_t liste[KNR_OBJETS_LISTE][KNR_TAILLE_OBJET];
    for (int i = 0; i < KNR_OBJETS_LISTE; ++i) Remplir(liste[i], menu, parametre + i, 0);
    if (int32_t e = KNR_ReadObjectList(handle_, noeud_.c_str(), &liste[0][0], n)) return e;
    const int32_t e = Attendre(KNR_LECTURE_LISTE);
    if (e == 0)
        for (int i = 0; i < KNR_OBJETS_LISTE; ++i) valeurs[i] = liste[i][4];
    return e;
}

int32_t TLiaisonReseau::EcrireRegistre(int menu, int parametre, int32_t valeur) {
    if (handle_ < 0) return KNR_ERR_HANDLE;
    Objet o;
    Remplir(o, menu, parametre, Bas16(valeur));
    if (int32_t e = KNR_WriteObject(handle_, noeud_.c_str(), o)) return e;
    return Attendre(KNR_ECRITURE);
}

int32_t TLiaisonReseau::EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) {
    if (handle_ < 0) return KNR_ERR_HANDLE;
    int32_t liste[KNR_OBJETS_LISTE][KNR_TAILLE_OBJET];
    for (int i = 0; i < KNR_OBJETS_LISTE; ++i)
        Remplir(liste[i], menu, parametre + i, i < n ? valeurs[i] : 0);
    if (int32_t e = KNR_WriteObjectList(handle_, noeud_.c_str(), &liste[0][0], n)) return e;
    return Attendre(KNR_ECRITURE_LISTE);
}

}  // namespace orvane
