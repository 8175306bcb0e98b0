#include "study/Study.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "study/Cp1252.h"
#include "texts/TextesOrvane.h"

namespace orvane {

EnteteEtude Etude;
Caracteristique Caracts[NbRecords];
EnteteCaract ReglagesCourants;
ValeursPoint ValeursCourantes;
int32_t PointSelectionne = -1;
int32_t CaractCourante = 0;
int32_t AcquisitionEnCours = 0;
uint8_t EtudeEnregistree = 1;
uint8_t LiaisonInitialisee = 0;
std::string RepertoireDepart;
std::string NomFichierEtude;
std::string AdresseReseau;
int64_t DernierPointN = 0;
int64_t DernierPointT = 0;
int32_t FinOscillo = 0;

namespace {

EnteteCaract FaireEnteteDefaut() {
    EnteteCaract e{};
    e[MotDernierPoint] = -1;
    const int32_t charges[] = {20, 50, 20, 50, 20, 50, 20, 50, 20, 100, 1, 0};
    for (int i = 0; i < 12; ++i) e[3 + i] = charges[i];
    e[MotDureeOscillo] = 10;
    e[MotGrandeurSynchro] = 2;
    e[MotSeuilSynchro] = 5;
    e[21] = 2;
    const int32_t charges2[] = {50, 20, 10, 130, 10, 85, 0};
    for (int i = 0; i < 7; ++i) e[23 + i] = charges2[i];
    return e;
}

TConfigGenerale FaireConfigDefaut() {
    TConfigGenerale c{};
    c.GammePuissance = 2;
    c.Couleurs = 0;
    c.Reserve[0] = 1;
    c.TypeLiaison = LiaisonAucune;
    c.PortSerie.Ecrire("COM2");
    c.Adresse[0].Ecrire("192");
    c.Adresse[1].Ecrire("168");
    c.Adresse[2].Ecrire("1");
    c.Adresse[3].Ecrire("100");
    c.Langue = LangueFrancais;
    c.FrequenceReseau = 50;
    return c;
}

bool CaractValide(int k) { return k >= 1 && k <= Etude.NbCaract && k <= NbCaractMax; }

void EchangerPoints(Caracteristique& c, int i, int j) {
    for (int q = 0; q < NbGrandeurs; ++q) std::swap(c.Point(q, i), c.Point(q, j));
}

// Quicksort of points lo..hi by array q. The pivot is the value at the middle
// point, taken once before the partition; the sort is not stable.
void TriRapide(Caracteristique& c, int q, bool decroissant, int lo, int hi) {
    const int32_t pivot = c.Point(q, (lo + hi) / 2);
    int i = lo;
    int j = hi;
    do {
        if (decroissant) {
            while (c.Point(q, i) > pivot) ++i;
            while (c.Point(q, j) < pivot) --j;
        } else {
            while (c.Point(q, i) < pivot) ++i;
            while (c.Point(q, j) > pivot) --j;
        }
        if (i <= j) {
            EchangerPoints(c, i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j) TriRapide(c, q, decroissant, lo, j);
    if (i < hi) TriRapide(c, q, decroissant, i, hi);
}

bool MemesMots(const EnteteCaract& a, const EnteteCaract& b, std::initializer_list<int> mots) {
    for (int m : mots)
        if (a[m] != b[m]) return false;
    return true;
}

}  // namespace

const EnteteCaract EnteteCaractDefaut = FaireEnteteDefaut();
const TConfigGenerale ConfigDefaut = FaireConfigDefaut();
TConfigGenerale ConfigGenerale = FaireConfigDefaut();

DescGrandeur DescripteurTexte(int q) {
    const TGrandeurTexte& t = Textes.Grandeurs[static_cast<size_t>(q)];
    DescGrandeur d{};
    d.Nom.Ecrire(VersCp1252(t.Nom));
    d.Symbole.Ecrire(VersCp1252(t.Symbole));
    d.Unite.Ecrire(VersCp1252(t.Unite));
    d.PleineEchelle = t.PleineEchelle;
    d.Exposant = t.Exposant;
    d.Reserve1 = 1;
    d.Decimales = t.Decimales;
    return d;
}

void InitEtude() {
    Etude.Signature.Ecrire(SignatureEtude);
    Etude.Version = VersionEtude;
    Etude.Titre.Longueur = 0;
    Etude.NbCaract = 0;
    Etude.Lissage = -1;
    std::memset(Etude.Vues, 0, sizeof Etude.Vues);
    for (int q = 0; q < NbGrandeurs; ++q) Etude.Grandeurs[q] = DescripteurTexte(q);
    for (auto& c : Caracts) c.Entete = EnteteCaractDefaut;
    CaractCourante = 0;
    AcquisitionEnCours = 0;
    ReglagesCourants = EnteteCaractDefaut;
    EtudeEnregistree = 1;
    ValeursCourantes[0] = -1;
    NomFichierEtude.clear();
}

void NouvelleCaract() {
    if (Etude.NbCaract < 0 || Etude.NbCaract >= NbCaractMax) return;
    Etude.NbCaract += 1;
    CaractCourante = Etude.NbCaract;
    ReglagesCourants[MotDernierPoint] = -1;
    Caracts[CaractCourante].Entete = ReglagesCourants;
    EtudeEnregistree = 0;
}

void SupprimerCaract(int k) {
    if (!CaractValide(k)) return;
    const int n = Etude.NbCaract;
    for (int i = k; i < n; ++i) Caracts[i] = Caracts[i + 1];
    Caracts[n].Entete = EnteteCaractDefaut;
    Etude.NbCaract = n - 1;
    EtudeEnregistree = 0;
}

bool AjouterPoint() {
    // After the current trial was deleted, CaractCourante may name a record
    // beyond the count: it is no longer the study's and takes nothing.
    if (!CaractValide(CaractCourante)) return false;
    Caracteristique& c = Caracts[CaractCourante];
    if (c.Dernier() >= DernierPointMax) return false;
    const int dernier = std::max(c.Dernier(), -1) + 1;
    c.Entete[MotDernierPoint] = dernier;
    c.Point(GNumero, dernier) = dernier;
    for (int q = 1; q < NbGrandeurs; ++q)
        c.Point(q, dernier) = ValeursCourantes[static_cast<size_t>(q)];
    EtudeEnregistree = 0;
    return true;
}

void SupprimerPoint(int p, int k) {
    if (!CaractValide(k) || p < 0) return;
    Caracteristique& c = Caracts[k];
    const int dernier = c.Dernier();
    if (p > dernier) return;
    const int32_t numero = c.Point(GNumero, p);
    TrierParNumero();
    // Once sorted back by number the point numbered n stands at position n;
    // a file whose numbers are not 0..last makes us look for it instead.
    int pos = numero;
    if (pos < 0 || pos > dernier || c.Point(GNumero, pos) != numero) {
        pos = p;
        for (int i = 0; i <= dernier; ++i)
            if (c.Point(GNumero, i) == numero) {
                pos = i;
                break;
            }
    }
    for (int i = pos; i < dernier; ++i) {
        for (int q = 0; q < NbGrandeurs; ++q) c.Point(q, i) = c.Point(q, i + 1);
        c.Point(GNumero, i) = i;
    }
    c.Entete[MotDernierPoint] = dernier - 1;
    RetrierCaracts();
    EtudeEnregistree = 0;
}

void SelectionnerPoint(int p) {
    // During an acquisition the current values are the drive's live ones:
    // a selected point must not stand in for them (the next point stored
    // would be a copy of it).
    if (AcquisitionEnCours == 0 && CaractCourante >= 1 && CaractCourante <= NbCaractMax) {
        if (p >= 0 && p <= DernierPointMax) {
            for (int q = 0; q < NbGrandeurs; ++q)
                ValeursCourantes[static_cast<size_t>(q)] = Caracts[CaractCourante].Point(q, p);
        } else if (p < 0) {
            ValeursCourantes[0] = -1;
        }
    }
    PointSelectionne = p;
}

void TrierPoints(int ordre, int q, int k) {
    if (ordre != 0 && ordre != 1) return;
    if (q < 0 || q >= NbGrandeurs || k < 0 || k >= NbRecords) return;
    Caracteristique& c = Caracts[k];
    const int dernier = std::min(c.Dernier(), DernierPointMax);
    if (dernier <= 0) return;
    TriRapide(c, q, ordre == 1, 0, dernier);
}

void RetrierCaracts() {
    for (int k = 1; k <= std::min(Etude.NbCaract, NbCaractMax); ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        const int32_t type = e[MotTypeCaract];
        if ((type >= 1 && type <= 10) || type == 15)
            TrierPoints(e[MotOrdreTri], e[MotGrandeurTri], k);
    }
}

void TrierParNumero() {
    for (int k = 1; k <= std::min(Etude.NbCaract, NbCaractMax); ++k) TrierPoints(0, GNumero, k);
}

bool CaractCompatible(int k) {
    if (k < 0 || k >= NbRecords) return false;
    const EnteteCaract& c = Caracts[k].Entete;
    const EnteteCaract& r = ReglagesCourants;
    if (c[MotDernierPoint] < 0) return true;
    auto labo = [](int32_t t) { return t >= 1 && t <= 4; };
    if (c[MotTypeMachine] == r[MotTypeMachine] && labo(c[MotTypeCaract]) && labo(r[MotTypeCaract]))
        return true;
    if (c[MotTypeCaract] != r[MotTypeCaract]) return false;
    bool egal;
    switch (c[MotTypeCaract]) {
        case 6:
        case 10: egal = MemesMots(c, r, {3}); break;
        case 7:
        case 11: egal = MemesMots(c, r, {4, 5}); break;
        case 8:
        case 12: egal = MemesMots(c, r, {6, 7}); break;
        case 9:
        case 13: egal = MemesMots(c, r, {8, 9}); break;
        case 14: egal = MemesMots(c, r, {10, 11, 12}); break;
        case 15:
        case 16: egal = MemesMots(c, r, {24, 23, 25}); break;
        case 17:
        case 18: egal = MemesMots(c, r, {26, 27, 28}); break;
        default: return false;
    }
    if (GroupeDeType(c[MotTypeCaract]) == GroupeCaract::Dynamique)
        egal = egal && c[MotInertie] == r[MotInertie];
    return egal;
}

int32_t TypeMachineCourant() {
    if (CaractCourante < 1 || CaractCourante > NbCaractMax) return 0;
    const int32_t t = Caracts[CaractCourante].Entete[MotTypeMachine];
    return t >= 0 && t < NbTypesMachine ? t : 0;
}

int32_t TypeCaractCourant() {
    if (CaractCourante < 1 || CaractCourante > NbCaractMax) return 0;
    const int32_t t = Caracts[CaractCourante].Entete[MotTypeCaract];
    return t >= 0 && t < NbTypesCaract ? t : 0;
}

int NbVuesGraphe() {
    int n = 0;
    for (const auto& v : Etude.Vues)
        if (v.Presente) ++n;
    return n;
}

void SupprimerVueGraphe(int k) {
    if (k < 1 || k > NbVues) return;
    for (int i = k; i < NbVues; ++i) Etude.Vues[i - 1] = Etude.Vues[i];
    std::memset(&Etude.Vues[NbVues - 1], 0, sizeof(VueGraphe));
    EtudeEnregistree = 0;
}

int BornerDecimales(int64_t d) { return static_cast<int>(std::clamp<int64_t>(d, 0, DecimalesMax)); }

std::string FormatFixe(int64_t v, int d, char virgule) {
    d = BornerDecimales(d);
    std::string s;
    const bool negatif = v < 0;
    uint64_t a = negatif ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    do {
        s.insert(s.begin(), static_cast<char>('0' + a % 10));
        a /= 10;
    } while (a != 0);
    while (static_cast<int>(s.size()) <= d) s.insert(s.begin(), '0');
    if (d > 0) s.insert(s.size() - static_cast<size_t>(d), 1, virgule);
    if (negatif) s.insert(s.begin(), '-');
    return s;
}

double ValeurPhysique(int64_t compte, int32_t exposant) {
    const int e = std::clamp(exposant, -300, 290);
    return e >= 0 ? static_cast<double>(compte) * std::pow(10.0, e)
                  : static_cast<double>(compte) / std::pow(10.0, -e);
}

std::string FormatGrandeur(int q) {
    if (q < 0 || q >= NbGrandeurs) return {};
    const DescGrandeur& g = Etude.Grandeurs[q];
    return FormatFixe(ValeursCourantes[static_cast<size_t>(q)], g.Decimales) + " " +
           DepuisCp1252(g.Unite.Lire());
}

GroupeCaract GroupeDeType(int32_t type) {
    switch (type) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: return GroupeCaract::Machine;
        case 6:
        case 7:
        case 8:
        case 9:
        case 15:
        case 17: return GroupeCaract::Statique;
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 16:
        case 18: return GroupeCaract::Dynamique;
        default: return GroupeCaract::Aucun;
    }
}

// ---- tables ----

const uint8_t DisponibiliteGrandeurs[NbTypesMachine][NbGrandeurs] = {
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0},
    {1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0},
    {1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0},
};

const int32_t ChoixAxes[NbTypesMachine][NbGrandeurs] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},  // 0
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 0},  // 1
    {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 0, 0},  // 2
    {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 0},  // 3
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},  // 4
    {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 0, 0},  // 5
    {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 0},  // 6
    {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 0},  // 7
};

const int32_t ZoomDefaut[4][NbGrandeurs] = {
    {18, 15, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18},
    {18, 15, 27, 27, 18, 27, 27, 18, 18, 18, 27, 18},
    {18, 15, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18},
    {18, 15, 0, 0, 18, 0, 0, 18, 18, 18, 0, 18},
};

const int32_t TableInertie[NbInerties] = {
    0,   1,   2,    3,    4,    5,    6,    7,    8,    9,    10,   11,   12,   13,   14,  15,
    16,  18,  20,   22,   25,   30,   35,   40,   45,   50,   60,   70,   80,   90,   100, 110,
    120, 130, 140,  150,  160,  180,  200,  220,  250,  300,  350,  400,  450,  500,  600, 700,
    800, 900, 1000, 1100, 1200, 1300, 1400, 1500, 1600, 1800, 2000, 2200, 2500, 3000,
};

int32_t InertieDeIndex(int i) { return i >= 0 && i < NbInerties ? TableInertie[i] : 0; }

int IndexDeInertie(int32_t v) {
    for (int i = 0; i < NbInerties; ++i)
        if (TableInertie[i] >= v) return i;
    return NbInerties - 1;
}

}  // namespace orvane
