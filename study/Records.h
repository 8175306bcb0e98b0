// Byte layout of the study records and of the configuration record.
//
// These records are also the images written to and read from the work file
// and the configuration file, so every width and offset below is binding:
// the static_asserts at the end of this file pin them down. Integers are
// little-endian two's complement; strings are length-prefixed (one length
// byte, then the characters in Windows-1252, the unused tail being whatever
// the record held).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orvane {

static_assert(std::endian::native == std::endian::little,
              "the records are the little-endian file images");

// Length-prefixed string of at most N characters (N + 1 bytes).
template <size_t N>
struct ShortString {
    uint8_t Longueur;
    char Car[N];

    static constexpr size_t Capacite = N;

    // The length byte does not exceed the capacity.
    bool Valide() const { return Longueur <= N; }
    // The characters (Windows-1252 bytes), never more than the capacity.
    std::string Lire() const { return std::string(Car, Longueur <= N ? Longueur : N); }
    // Stores the first N bytes of s; the tail beyond them is left as it was.
    void Ecrire(std::string_view s) {
        size_t n = s.size() < N ? s.size() : N;
        Longueur = static_cast<uint8_t>(n);
        if (n) std::memcpy(Car, s.data(), n);
    }
};

inline constexpr int NbGrandeurs = 12;
inline constexpr int NbCaractMax = 5;     // characteristics of a study (1..5)
inline constexpr int NbRecords = 6;       // records 0..5; record 0 never belongs to the study
inline constexpr int NbPointsMax = 2001;  // points 0..2000
inline constexpr int DernierPointMax = NbPointsMax - 1;
inline constexpr int NbElements = 2002;  // element 0 unused, point p is element p + 1
inline constexpr int NbVues = 4;
inline constexpr int NbTypesMachine = 8;  // 0..7
inline constexpr int NbTypesCaract = 19;  // 0..18

// Machine types (word 0 of the settings and of a characteristic's header).
enum TypeMachine : int {
    MachineAucune = 0,       // none chosen: measured as a DC machine
    MccIndependante = 1,     // DC machine, independent excitation
    MccSerie = 2,            // DC machine, series excitation
    MasTriphasee = 3,        // three-phase asynchronous machine
    MsTriphasee = 4,         // three-phase synchronous machine
    VariateurContinu = 5,    // motor and drive fed with DC
    VariateurTriphase = 6,   // motor and drive fed three-phase
    VariateurMonophase = 7,  // motor and drive fed single-phase
};

// Quantity numbers.
enum Grandeur : int {
    GNumero = 0,
    GVitesse = 1,
    GCouple = 2,
    GPuissanceMeca = 3,
    GTension = 4,
    GCourant = 5,
    GPuissanceElec = 6,
    GCourantExcitation = 7,
    GRendement = 8,
    GFacteurPuissance = 9,
    GPertes = 10,
    GTemps = 11,
};

struct DescGrandeur {
    ShortString<20> Nom;
    ShortString<20> Symbole;
    ShortString<20> Unite;
    uint8_t Remplissage;
    int32_t PleineEchelle;
    int32_t Exposant;
    int32_t Reserve1;    // 1 in every table
    int32_t Reserve[8];  // 0 in every table
    int32_t Decimales;
};

struct VueGraphe {
    uint8_t Presente;
    uint8_t Affichee;
    uint8_t Remplissage[2];
    int32_t GrandeurX;
    int32_t ZoomX;
    int32_t ReserveX[2];
    int32_t GrandeurY;
    int32_t ZoomY;
    int32_t ReserveY[2];
    int32_t Quadrant;
};

struct EnteteEtude {
    ShortString<21> Signature;
    uint16_t Version;
    ShortString<100> Titre;
    uint8_t Remplissage[3];
    int32_t NbCaract;
    int32_t Lissage;  // line mode -1..5 of the plots; -1 = markers only
    VueGraphe Vues[NbVues];
    DescGrandeur Grandeurs[NbGrandeurs];
};

// Word numbers of a characteristic header.
enum MotCaract : int {
    MotTypeMachine = 0,
    MotTypeCaract = 1,
    MotDernierPoint = 2,
    MotInertie = 14,
    MotGrandeurTri = 15,
    MotOrdreTri = 16,
    MotDureeOscillo = 17,
    MotGrandeurSynchro = 18,
    MotSeuilSynchro = 19,
    MotCalibre = 22,  // 0 = 20 A range, 1 = 2 A range
    MotCommentaire = 47,
};

inline constexpr int NbMotsCaract = 53;

// Characteristic header: 53 int32 words, the last six holding the comment.
struct EnteteCaract {
    int32_t Mot[MotCommentaire];
    ShortString<20> Commentaire;
    uint8_t Remplissage[3];

    int32_t& operator[](int w) { return Mot[w]; }
    const int32_t& operator[](int w) const { return Mot[w]; }
};

struct Caracteristique {
    EnteteCaract Entete;
    int32_t Valeurs[NbGrandeurs][NbElements];

    // Value of quantity q at point p (0..2000).
    int32_t& Point(int q, int p) { return Valeurs[q][p + 1]; }
    const int32_t& Point(int q, int p) const { return Valeurs[q][p + 1]; }
    int32_t Dernier() const { return Entete[MotDernierPoint]; }
};

using ValeursPoint = std::array<int32_t, NbGrandeurs>;

struct TConfigGenerale {
    int32_t GammePuissance;  // power range of the active load, 0..3
    uint8_t Couleurs;        // colour scheme of the graphs, 0..7
    uint8_t Reserve[3];
    int32_t TypeLiaison;  // 0 network, 1 serial, 3 simulated bench, other: no link
    ShortString<10> PortSerie;
    ShortString<10> Adresse[4];  // fields of the network address
    uint8_t Remplissage;
    int32_t Langue;           // 1 French, 2 English, 3 Spanish
    int32_t FrequenceReseau;  // 50 or 60
};

// Link types of the configuration.
inline constexpr int32_t LiaisonReseau = 0;
inline constexpr int32_t LiaisonSerie = 1;
inline constexpr int32_t LiaisonAucune = 2;
inline constexpr int32_t LiaisonSimulation = 3;

// ---- layout checks ----

static_assert(sizeof(ShortString<20>) == 21);
static_assert(sizeof(ShortString<21>) == 22);
static_assert(sizeof(ShortString<100>) == 101);
static_assert(sizeof(ShortString<10>) == 11);

static_assert(sizeof(DescGrandeur) == 112);
static_assert(offsetof(DescGrandeur, Nom) == 0);
static_assert(offsetof(DescGrandeur, Symbole) == 21);
static_assert(offsetof(DescGrandeur, Unite) == 42);
static_assert(offsetof(DescGrandeur, Remplissage) == 63);
static_assert(offsetof(DescGrandeur, PleineEchelle) == 64);
static_assert(offsetof(DescGrandeur, Exposant) == 68);
static_assert(offsetof(DescGrandeur, Reserve1) == 72);
static_assert(offsetof(DescGrandeur, Reserve) == 76);
static_assert(offsetof(DescGrandeur, Decimales) == 108);

static_assert(sizeof(VueGraphe) == 40);
static_assert(offsetof(VueGraphe, Presente) == 0);
static_assert(offsetof(VueGraphe, Affichee) == 1);
static_assert(offsetof(VueGraphe, GrandeurX) == 4);
static_assert(offsetof(VueGraphe, ZoomX) == 8);
static_assert(offsetof(VueGraphe, ReserveX) == 12);
static_assert(offsetof(VueGraphe, GrandeurY) == 20);
static_assert(offsetof(VueGraphe, ZoomY) == 24);
static_assert(offsetof(VueGraphe, ReserveY) == 28);
static_assert(offsetof(VueGraphe, Quadrant) == 36);

static_assert(sizeof(EnteteEtude) == 1640);
static_assert(offsetof(EnteteEtude, Signature) == 0);
static_assert(offsetof(EnteteEtude, Version) == 22);
static_assert(offsetof(EnteteEtude, Titre) == 24);
static_assert(offsetof(EnteteEtude, NbCaract) == 128);
static_assert(offsetof(EnteteEtude, Lissage) == 132);
static_assert(offsetof(EnteteEtude, Vues) == 136);
static_assert(offsetof(EnteteEtude, Grandeurs) == 296);

static_assert(sizeof(EnteteCaract) == NbMotsCaract * 4);
static_assert(offsetof(EnteteCaract, Commentaire) == MotCommentaire * 4);
static_assert(sizeof(Caracteristique) == 24077 * 4);
static_assert(offsetof(Caracteristique, Valeurs) == 212);

static_assert(sizeof(TConfigGenerale) == 76);
static_assert(offsetof(TConfigGenerale, GammePuissance) == 0);
static_assert(offsetof(TConfigGenerale, Couleurs) == 4);
static_assert(offsetof(TConfigGenerale, Reserve) == 5);
static_assert(offsetof(TConfigGenerale, TypeLiaison) == 8);
static_assert(offsetof(TConfigGenerale, PortSerie) == 12);
static_assert(offsetof(TConfigGenerale, Adresse) == 23);
static_assert(offsetof(TConfigGenerale, Remplissage) == 67);
static_assert(offsetof(TConfigGenerale, Langue) == 68);
static_assert(offsetof(TConfigGenerale, FrequenceReseau) == 72);

}  // namespace orvane
