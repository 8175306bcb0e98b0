// orvanectl study fit | operating-point | step
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

#include "graph/Ajustement.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/PointFonctionnement.h"
#include "study/Reponse.h"
#include "study/Study.h"
#include "tools/orvanectl/Json.h"
#include "tools/orvanectl/Orvanectl.h"

namespace orvane::ctl {

namespace {

// These commands refuse a bad argument with status 2.
int Refus(std::ostream& err, const std::string& message) {
    ErreurDUsage(err, "orvanectl", message, "orvanectl --help");
    return ErreurArgument;
}

std::optional<double> Reel(std::string_view s) {
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The arguments of one of these commands: the file and its options, each
// option's values as given.
struct Ligne {
    std::string fichier;
    std::optional<int> essai, essaiCharge;
    std::string sortie, grandeur, genre;
    std::vector<double> parametres;
    bool json = false;
};

// Reads the line; `options` lists the options allowed. Returns a status
// when the line is not usable.
std::optional<int> Lire(const std::vector<std::string>& args, std::string_view options, Ligne& l,
                        std::ostream& err) {
    auto permise = [&](const std::string& o) {
        return options.find(" " + o + " ") != std::string_view::npos;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.empty() && a[0] == '-' && a != "-" && !permise(a))
            return Refus(err, "unknown option '" + a + "'");
        const bool avecValeur = a == "--trial" || a == "--load-trial" || a == "-o" ||
                                a == "--output" || a == "--quantity" || a == "--law";
        if (avecValeur && i + 1 >= args.size()) return Refus(err, a + " needs a value");
        if (a == "--json") {
            l.json = true;
        } else if (a == "--trial" || a == "--load-trial") {
            const auto k = Nombre<int>(args[++i]);
            if (!k) return Refus(err, a + " takes a trial number");
            (a == "--trial" ? l.essai : l.essaiCharge) = k;
        } else if (a == "-o" || a == "--output") {
            l.sortie = args[++i];
        } else if (a == "--quantity") {
            l.grandeur = args[++i];
        } else if (a == "--law") {
            l.genre = args[++i];
            const size_t nb = l.genre == "constant" || l.genre == "power"     ? 1
                              : l.genre == "linear" || l.genre == "quadratic" ? 2
                                                                              : 0;
            if (nb == 0) return Refus(err, "--law is constant, linear, quadratic or power");
            for (size_t j = 0; j < nb; ++j) {
                const auto v = i + 1 < args.size() ? Reel(args[i + 1]) : std::nullopt;
                if (!v)
                    return Refus(err, "--law " + l.genre + " needs " + std::to_string(nb) +
                                          (nb > 1 ? " numbers" : " number"));
                l.parametres.push_back(*v);
                ++i;
            }
        } else if (l.fichier.empty() && !(a.size() > 1 && a[0] == '-')) {
            l.fichier = a;
        } else {
            return Refus(err, "unexpected argument '" + a + "'");
        }
    }
    if (l.fichier.empty()) return Refus(err, "a work file is needed");
    return std::nullopt;
}

// A trial of the open study, or the refusal.
std::optional<int> VerifierEssai(const Ligne& l, int k, std::ostream& err) {
    if (k < 1 || k > Etude.NbCaract || k > NbCaractMax)
        return Refus(err, l.fichier + " has no trial " + std::to_string(k));
    return std::nullopt;
}

std::string NombreOuNull(const std::optional<double>& v, int decimales) {
    return v ? JsonNombre(*v, decimales) : "null";
}

}  // namespace

int CommandeAjuster(const std::vector<std::string>& args, std::ostream& err) {
    Ligne l;
    if (auto r = Lire(args, " -o --output ", l, err)) return *r;
    if (l.sortie.empty()) return Refus(err, "-o OUT is needed");
    if (!OuvrirEtudeOuDire(l.fichier, err)) return ErreurFichier;
    for (VueGraphe& v : Etude.Vues)
        if (v.Presente) v = VueAjusteeDe(v);
    RapportLigne rapport;
    if (!EnregistrerEtude(l.sortie)) {
        err << "orvanectl: " << l.sortie << ": " << rapport.ligne << "\n";
        return ErreurFichier;
    }
    return Succes;
}

int CommandePointFonctionnement(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err) {
    Ligne l;
    if (auto r = Lire(args, " --trial --law --load-trial --json ", l, err)) return *r;
    if (!l.essai) return Refus(err, "--trial K is needed");
    if (l.genre.empty() == !l.essaiCharge)
        return Refus(err, "one of --law and --load-trial is needed");
    if (!OuvrirEtudeOuDire(l.fichier, err)) return ErreurFichier;
    if (auto r = VerifierEssai(l, *l.essai, err)) return *r;
    if (!EstCaracteristiqueMachine(Caracts[*l.essai].Entete[MotTypeCaract]))
        return Refus(err, "trial " + std::to_string(*l.essai) + " is not a machine characteristic");

    LoiCharge loi;
    if (l.essaiCharge) {
        if (auto r = VerifierEssai(l, *l.essaiCharge, err)) return *r;
        const auto lu = LoiDeEssai(Caracts[*l.essaiCharge].Entete, ConfigGenerale.GammePuissance,
                                   ConfigGenerale.FrequenceReseau);
        if (!lu)
            return Refus(err,
                         "trial " + std::to_string(*l.essaiCharge) + " has no static load law");
        loi = *lu;
    } else {
        const std::vector<double>& p = l.parametres;
        if (l.genre == "constant") {
            loi = {GenreLoi::CoupleConstant, 0, p[0]};
        } else if (l.genre == "linear") {
            loi = {GenreLoi::Lineaire, p[0], p[1]};
        } else if (l.genre == "quadratic") {
            loi = {GenreLoi::Quadratique, p[0], p[1]};
        } else {
            loi.Genre = GenreLoi::PuissanceConstante;
            loi.P = p[0];
        }
        if (!LoiValide(loi)) return Refus(err, "a load's power cannot be negative");
    }

    const std::vector<Croisement> c = Croisements(PointsEssai(*l.essai), loi);
    if (l.json) {
        out << "{\"crossings\": [";
        for (size_t i = 0; i < c.size(); ++i)
            out << (i ? ", " : "") << "{\"n\": " << JsonNombre(c[i].n, 1)
                << ", \"T\": " << JsonNombre(c[i].T, 2) << ", \"P\": " << JsonNombre(c[i].P, 1)
                << ", \"stable\": " << (c[i].stable ? "true" : "false") << "}";
        out << "]}\n";
        return Succes;
    }
    if (c.empty()) out << "no operating point\n";
    for (const Croisement& x : c)
        out << "n* = " << JsonNombre(x.n, 1) << " tr/min, T* = " << JsonNombre(x.T, 2)
            << " N\u00b7m, P* = " << JsonNombre(x.P, 1) << " W, "
            << (x.stable ? "stable" : "unstable") << "\n";
    return Succes;
}

int CommandeReponse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Ligne l;
    if (auto r = Lire(args, " --trial --quantity --json ", l, err)) return *r;
    if (!l.essai) return Refus(err, "--trial K is needed");
    if (l.grandeur.empty()) return Refus(err, "--quantity Q is needed");
    if (!OuvrirEtudeOuDire(l.fichier, err)) return ErreurFichier;
    if (auto r = VerifierEssai(l, *l.essai, err)) return *r;
    // A number 1..11, or a symbol of the study's quantities.
    std::optional<int> q = Nombre<int>(l.grandeur);
    if (q && (*q < 1 || *q > GTemps)) {
        q.reset();
    } else if (!q) {
        for (int i = 1; i <= GTemps && !q; ++i)
            if (DepuisCp1252(Etude.Grandeurs[i].Symbole.Lire()) == l.grandeur) q = i;
    }
    if (!q) return Refus(err, "--quantity takes a quantity's symbol or a number 1..11");

    const DescGrandeur& dy = Etude.Grandeurs[*q];
    const MesuresReponse m = MesurerEssai(*l.essai, *q);
    // Means and interpolated times are finer than one count: one more
    // decimal than the quantity's, tenths of a millisecond.
    const int dv = std::clamp(BornerDecimales(dy.Decimales) + 1, 1, 18);
    constexpr int DecTemps = 4;
    const struct {
        const char* cle;
        const char* libelle;
        const std::optional<double>& valeur;
        int decimales;
        std::string unite;
    } lignes[] = {
        {"initial", "initial value", m.initiale, dv, DepuisCp1252(dy.Unite.Lire())},
        {"final", "final value", m.finale, dv, DepuisCp1252(dy.Unite.Lire())},
        {"start", "start", m.debut, DecTemps, "s"},
        {"rise_time", "rise time 10-90 %", m.montee, DecTemps, "s"},
        {"time_constant", "time constant 63.2 %", m.constante, DecTemps, "s"},
        {"overshoot", "overshoot", m.depassement, 1, "%"},
        {"settling_time", "settling time 5 %", m.etablissement, DecTemps, "s"},
    };
    if (l.json) {
        out << "{";
        bool premiere = true;
        for (const auto& x : lignes) {
            out << (premiere ? "" : ", ") << "\"" << x.cle
                << "\": " << NombreOuNull(x.valeur, x.decimales);
            premiere = false;
        }
        out << "}\n";
        return Succes;
    }
    for (const auto& x : lignes) {
        out << x.libelle << ": ";
        if (x.valeur)
            out << JsonNombre(*x.valeur, x.decimales) << (x.unite.empty() ? "" : " ") << x.unite;
        else
            out << "\u2014";
        out << "\n";
    }
    return Succes;
}

}  // namespace orvane::ctl
