#include "sim/Variateur.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane::sim {

namespace {

constexpr int64_t PasUs = 500;  // integration step
constexpr double H = PasUs * 1e-6;
constexpr int64_t PeriodeBruitUs = 10000;  // the measurements refresh every 10 ms
constexpr double Pi = std::numbers::pi;
constexpr double TrMinVersRad = Pi / 30;

constexpr int AdresseLimite = AdresseRegistre(23, 1);  // menus 0..22
constexpr int ACalibre = ParamCalibre.Adresse();
constexpr int AEcho = ParamEchoStatut.Adresse();
constexpr int AParam = ParamBlocCharge.Adresse();
constexpr int AStatut = ParamStatut.Adresse();
constexpr int APremiereMesure = ParamVitesse.Adresse();
constexpr int ADerniereMesure = ParamPuissanceActive.Adresse();
constexpr int AControle = ParamControle.Adresse();

constexpr uint16_t BitsBalayage = ControleBalayage;
// Below this speed (tr/min, as the speed register shows it) the shaft counts
// as at rest when an imposed-speed sweep starts.
constexpr double VitesseArretTrMin = 51;

// Power range selected by a rating: 1 = 300 W, 2 = 1.5 kW, 3 = 3 kW, 0 = unrated.
int Gamme(int calibre) {
    if (calibre >= 10 && calibre <= 500) return 1;
    if (calibre >= 501 && calibre <= 1500) return 2;
    if (calibre >= 1501 && calibre <= 5000) return 3;
    return 0;
}
constexpr double PuissanceGamme[] = {1500, 300, 1500, 3000};  // W
constexpr double EchelleGamme[] = {15, 3, 15, 30};            // N·m at K = 100 %
constexpr double InertieServo[] = {0.003, 0.0006, 0.003, 0.008};

// Speed loop of the imposed-speed modes: bandwidth and set-point ramp.
constexpr double BandeVitesse = 40;  // rad/s
constexpr double RampeVitesse = 2;   // nominal speeds per second

uint64_t SplitMix(uint64_t& etat) {
    uint64_t z = (etat += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Uniforme(uint64_t& etat) { return ((SplitMix(etat) >> 11) + 0.5) * 0x1.0p-53; }

double Normale(uint64_t& etat) {
    double u = Uniforme(etat), v = Uniforme(etat);
    return std::sqrt(-2 * std::log(u)) * std::cos(2 * Pi * v);
}

uint16_t Registre(double x) {
    double r = std::round(x);
    return static_cast<uint16_t>(static_cast<int16_t>(std::clamp(r, -32768.0, 32767.0)));
}

}  // namespace

Variateur::Variateur(uint64_t graine) : graine_(graine) {
    Reconstruire();
    TirerBruit();
}

Variateur::~Variateur() = default;

// ---- settings ----

void Variateur::SetTypeMachine(int type) {
    typeMachine_ = type >= MccIndependante && type <= VariateurMonophase ? type : MachineAucune;
    Reconstruire();
}

void Variateur::SetCalibre(int calibre) {
    calibre_ = calibre;
    Reconstruire();
}

void Variateur::SetFrequenceReseau(int hertz) {
    frequence_ = hertz == 60 ? 60 : 50;
    Reconstruire();
}

double Variateur::PuissanceMachine() const { return PuissanceGamme[Gamme(calibre_)]; }
double Variateur::CoupleEchelle() const { return EchelleGamme[Gamme(calibre_)]; }

// A new machine starts turning at its no-load speed, as if the bench had been
// switched on a while ago.
void Variateur::Reconstruire() {
    machine_ = CreerMachine(typeMachine_, PuissanceMachine(), frequence_);
    omega_ = machine_->VitesseAVide();
    machine_->Initialiser(omega_);
    machine_->Couple(omega_, 0);
    machine_->SetDecouple(marche_ && code_ == ModeCouplage);
    coupleArbre_ = 0;
    consigne_ = omega_;
    integrale_ = 0;
}

// ---- control word ----

void Variateur::Commande(uint16_t mot) {
    uint16_t ancien = controle_;
    controle_ = mot;
    chienDeGarde_ = false;
    int code = (mot >> 8) & 0x3F;
    if ((mot & ControleMarche) != ControleMarche) {
        marche_ = false;
        balayage_.actif = false;
        kFige_ = false;
        machine_->SetDecouple(false);
        return;
    }
    if (!marche_ || code != code_) {
        code_ = code;
        marche_ = true;
        tours_ = 0;
        kFige_ = false;
        // bumpless start of the speed loop from the present operating point
        consigne_ = omega_;
        double limite = 2 * CoupleEchelle();
        integrale_ = std::clamp(coupleArbre_, code == ModeVitesseK ? 0.0 : -limite, limite);
        dernierSigneUs_ = tempsUs_;
        machine_->SetDecouple(code == ModeCouplage);
    }
    if (!(mot & BitsBalayage)) {
        balayage_.actif = false;
    } else if (mot != ancien) {
        // Under an imposed speed a turning shaft already stands at the P0
        // end: the sweep starts from there and each leg keeps its own time.
        const bool depuisP0 = (code_ == ModeVitesseImposee || code_ == ModeVitesseK) &&
                              std::abs(std::round(VitesseTrMin())) >= VitesseArretTrMin;
        const int64_t montee = std::max<int64_t>(param_[2], 0) * 100000;
        const int64_t retour = std::max<int64_t>(param_[3], 0) * 100000;
        balayage_.actif = true;
        balayage_.debutUs = tempsUs_;
        balayage_.depart = param_[depuisP0 ? 0 : 1];
        balayage_.arrivee = param_[depuisP0 ? 1 : 0];
        balayage_.duree1Us = depuisP0 ? retour : montee;
        balayage_.duree2Us = depuisP0 ? montee : retour;
        kFige_ = false;
        dernierSigneUs_ = tempsUs_;
    }
}

void Variateur::Repos() {
    controle_ = 1;
    marche_ = false;
    balayage_.actif = false;
    kFige_ = false;
    machine_->SetDecouple(false);
}

uint16_t Variateur::Statut() const {
    uint16_t s = 0;
    if (controle_ & ControleRepos) s |= StatutActive;
    if (marche_) s |= StatutMarche;
    if (chienDeGarde_) s |= StatutChienDeGarde;
    if (balayage_.actif) {
        s |= StatutBalayage;
        s |= tempsUs_ - balayage_.debutUs < balayage_.duree1Us ? StatutPhase1 : StatutPhase2;
    }
    return s;
}

int Variateur::KCourant() const {
    if (balayage_.actif) {
        const Balayage& b = balayage_;
        int64_t t = tempsUs_ - b.debutUs;
        if (t < b.duree1Us)
            return static_cast<int>(b.depart + (b.arrivee - b.depart) * t / b.duree1Us);
        t -= b.duree1Us;
        if (t < b.duree2Us)
            return static_cast<int>(b.arrivee + (b.depart - b.arrivee) * t / b.duree2Us);
        return b.depart;
    }
    return kFige_ ? kFinal_ : param_[0];
}

// ---- mechanics ----

void Variateur::Avancer(int ms) {
    for (int64_t fin = tempsUs_ + std::max(ms, 0) * int64_t{1000}; tempsUs_ < fin;) {
        Pas();
        if (tempsUs_ >= prochainBruitUs_) TirerBruit();
    }
}

EffortCharge Variateur::Charge(double omega, double inertie) {
    if (!marche_) return {};
    ContexteLoi c{CoupleEchelle(), frequence_ * 30.0};
    int k = KCourant();
    if (!LoiEnVitesse(code_)) return EffortLoi(code_, param_, k, omega / TrMinVersRad, tours_, c);

    // PI speed loop; the set point moves at a bounded rate
    double cible = ConsigneVitesse(code_, k, c) * TrMinVersRad;
    double rampe = RampeVitesse * c.n0 * TrMinVersRad * H;
    consigne_ += std::clamp(cible - consigne_, -rampe, rampe);
    double kp = inertie * BandeVitesse, ki = kp * BandeVitesse / 4;
    double haut = 2 * c.coupleEchelle, bas = code_ == ModeVitesseK ? 0 : -haut;
    double ecart = omega - consigne_;
    double brut = kp * ecart + integrale_;
    double sortie = std::clamp(brut, bas, haut);
    // no integration while saturated in the direction of the error
    if (!(brut > haut && ecart > 0) && !(brut < bas && ecart < 0))
        integrale_ = std::clamp(integrale_ + ki * ecart * H, bas, haut);
    EffortCharge e;
    e.actif = sortie;
    return e;
}

// J dω/dt = Tmachine − friction − Tload. Dry friction and passive load torques
// hold the shaft at rest while the other torques do not overcome them, and
// never reverse its motion within a step.
void Variateur::Pas() {
    tempsUs_ += PasUs;
    if (balayage_.actif &&
        tempsUs_ - balayage_.debutUs >= balayage_.duree1Us + balayage_.duree2Us) {
        balayage_.actif = false;
        kFige_ = true;
        kFinal_ = balayage_.depart;
    }
    if (marche_ && tempsUs_ - dernierSigneUs_ > int64_t{DelaiChienDeGardeMs} * 1000) {
        Repos();
        chienDeGarde_ = true;
    }

    const double w = omega_;
    double inertieCharge =
        InertieServo[Gamme(calibre_)] + (marche_ ? InertieLoi(code_, param_) : 0);
    double inertie = machine_->Inertie() + inertieCharge;
    const bool alimentee = alimentee_.load();
    if (alimentee && !alimenteeVue_) machine_->Initialiser(w);  // switched on: a start
    alimenteeVue_ = alimentee;
    double tem = alimentee ? machine_->Couple(w, H) : 0;
    double visqueux = machine_->FrottementVisqueux(w);
    EffortCharge ch = Charge(w, inertie);
    double sec = machine_->FrottementSec();
    double moteur = tem - visqueux - ch.actif;
    double avant = sec + ch.passifAvant, arriere = sec + ch.passifArriere;

    double net = 0;
    if (w > 0 || (w == 0 && moteur > avant))
        net = moteur - avant;
    else if (w < 0 || (w == 0 && moteur < -arriere))
        net = moteur + arriere;
    double w2 = w + H * net / inertie;
    if ((w > 0 && w2 < 0) || (w < 0 && w2 > 0)) w2 = 0;
    double acceleration = (w2 - w) / H;

    // torque at the coupling: what the machine gives after its own friction
    // and the acceleration of its own rotor
    double secMachine = w > 0 ? sec : (w < 0 ? -sec : std::clamp(moteur + ch.actif, -sec, sec));
    coupleArbre_ = tem - visqueux - secMachine - machine_->Inertie() * acceleration;

    omega_ = w2;
    if (marche_) tours_ += std::abs(w) * H / (2 * Pi);
}

// ---- measurements ----

void Variateur::TirerBruit() {
    prochainBruitUs_ = (tempsUs_ / PeriodeBruitUs + 1) * PeriodeBruitUs;
    if (!bruit_) return;
    for (double& b : bruitTire_) b = Normale(graine_);
}

double Variateur::VitesseTrMin() const { return omega_ / TrMinVersRad; }

EtatElectrique Variateur::Electrique() const {
    return alimentee_.load() ? machine_->Electrique(omega_) : EtatElectrique{};
}

uint16_t Variateur::Mesure(int adresse) const {
    const int i = adresse - APremiereMesure;  // 0 for R3 ... 8 for R11
    const double b = bruit_ ? bruitTire_[i] : 0;
    const EtatElectrique e = Electrique();
    const double echelleI = deuxAmperes_ ? 10000 : 1000;  // counts per A
    const double echelleP = deuxAmperes_ ? 10 : 1;        // counts per W
    switch (i) {
        case 0: return Registre(VitesseTrMin() + 0.6 * b);
        case 1: return Registre(100 * (coupleArbre_ + 0.002 * CoupleEchelle() * b));
        case 2: return Registre(10000 * e.excitation * (1 + 0.003 * b));
        case 3:
        case 4: {
            bool voulu = (i == 4) == e.alternatif;
            return voulu ? Registre(echelleI * (e.courant * (1 + 0.003 * b) + 0.002 * b)) : 0;
        }
        case 5:
        case 6: {
            bool voulu = (i == 6) == e.alternatif;
            return voulu ? Registre(10 * e.tension * (1 + 0.002 * b)) : 0;
        }
        case 7: return Registre(KCourant());
        default: {
            double p = e.triphase ? e.puissance / 3 : e.puissance;
            return Registre(echelleP * p * (1 + 0.004 * b));
        }
    }
}

// ---- registers ----

int Variateur::LireRegistre(int adresse, uint16_t& valeur) {
    return LireRegistres(adresse, 1, &valeur);
}

int Variateur::LireRegistres(int adresse, int n, uint16_t* valeurs) {
    if (n < 1) return ValeurIllegale;
    if (adresse < 0 || adresse + n > AdresseLimite) return AdresseIllegale;
    for (int k = 0; k < n; ++k) {
        int a = adresse + k;
        uint16_t v = 0;
        if (a == ACalibre)
            v = static_cast<uint16_t>(calibre_);
        else if (a == AEcho)
            v = echo_;
        else if (a >= AParam && a < AParam + NbParamCharge)
            v = static_cast<uint16_t>(param_[a - AParam]);
        else if (a == AStatut)
            v = Statut();
        else if (a >= APremiereMesure && a <= ADerniereMesure)
            v = Mesure(a);
        else if (a == AControle)
            v = controle_;
        valeurs[k] = v;
    }
    return Succes;
}

int Variateur::EcrireRegistre(int adresse, uint16_t valeur) {
    return EcrireRegistres(adresse, 1, &valeur);
}

int Variateur::EcrireRegistres(int adresse, int n, const uint16_t* valeurs) {
    if (n < 1) return ValeurIllegale;
    for (int k = 0; k < n; ++k) {
        int a = adresse + k;
        if (a != AEcho && a != AControle && !(a >= AParam && a < AParam + NbParamCharge))
            return AdresseIllegale;
    }
    Journaliser(adresse, n, valeurs);
    for (int k = 0; k < n; ++k) {
        int a = adresse + k;
        if (a == AEcho) {
            echo_ = valeurs[k];
            dernierSigneUs_ = tempsUs_;
        } else if (a == AControle) {
            Commande(valeurs[k]);
        } else {
            param_[a - AParam] = static_cast<int16_t>(valeurs[k]);
            if (a == AParam) kFige_ = false;
        }
    }
    return Succes;
}

// ---- journal of the writes ----

std::string TexteEcriture(const Ecriture& e) {
    std::string t = std::to_string(e.menu) + "." + (e.parametre < 10 ? "0" : "") +
                    std::to_string(e.parametre) + " ";
    const bool controle = AdresseRegistre(e.menu, e.parametre) == AControle;
    for (size_t k = 0; k < e.valeurs.size(); ++k) {
        if (k) t += ",";
        t += controle ? std::to_string(e.valeurs[k])
                      : std::to_string(static_cast<int16_t>(e.valeurs[k]));
    }
    return t;
}

void Variateur::Journaliser(int adresse, int n, const uint16_t* valeurs) {
    if (adresse == AEcho && n == 1) return;
    Ecriture e;
    e.menu = (adresse + 1) / 100;
    e.parametre = (adresse + 1) % 100;
    e.valeurs.assign(valeurs, valeurs + n);
    e.tempsMs = TempsMs();
    std::function<void(const Ecriture&)> suivi;
    {
        std::lock_guard verrou(journalVerrou_);
        if (journal_.size() >= JournalEcrituresMax) journal_.pop_front();
        journal_.push_back(e);
        ++nbEcritures_;
        suivi = suiviEcritures_;
    }
    if (suivi) suivi(e);
}

std::vector<Ecriture> Variateur::JournalEcritures() const {
    std::lock_guard verrou(journalVerrou_);
    return {journal_.begin(), journal_.end()};
}

uint64_t Variateur::NbEcritures() const {
    std::lock_guard verrou(journalVerrou_);
    return nbEcritures_;
}

void Variateur::ViderJournal() {
    std::lock_guard verrou(journalVerrou_);
    journal_.clear();
    nbEcritures_ = 0;
}

void Variateur::SuivreEcritures(std::function<void(const Ecriture&)> suivi) {
    std::lock_guard verrou(journalVerrou_);
    suiviEcritures_ = std::move(suivi);
}

int Variateur::LireRegistre(int menu, int parametre, int32_t& valeur) {
    uint16_t v = 0;
    int r = LireRegistre(AdresseRegistre(menu, parametre), v);
    valeur = v;
    return r;
}

int Variateur::LireRegistres(int menu, int parametre, int n, int32_t* valeurs) {
    if (n < 1 || n > 125) return ValeurIllegale;
    uint16_t v[125];
    int r = LireRegistres(AdresseRegistre(menu, parametre), n, v);
    for (int k = 0; r == Succes && k < n; ++k) valeurs[k] = static_cast<int16_t>(v[k]);
    return r;
}

int Variateur::EcrireRegistre(int menu, int parametre, int32_t valeur) {
    return EcrireRegistre(AdresseRegistre(menu, parametre), static_cast<uint16_t>(valeur));
}

int Variateur::EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) {
    if (n < 1 || n > 123) return ValeurIllegale;
    uint16_t v[123];
    for (int k = 0; k < n; ++k) v[k] = static_cast<uint16_t>(valeurs[k]);
    return EcrireRegistres(AdresseRegistre(menu, parametre), n, v);
}

}  // namespace orvane::sim
