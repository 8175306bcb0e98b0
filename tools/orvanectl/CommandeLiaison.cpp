// orvanectl link (--serial NAME | --tcp A.B.C.D[:PORT] | --sim) [--machine M]
//                [--range 2A|20A] read [--json] | watch --interval MS --count N [--csv]
//                | write M.P VALUE
//
// Does what the program does when it connects (Initialise: rating, power
// range, control word 1) and then measures (LectureValeurs), or writes one
// drive parameter. --machine and --range stand for words 0 and 22 of the
// settings, which steer the computation of the quantities.
#include <charconv>
#include <chrono>
#include <optional>
#include <ostream>
#include <thread>

#include "comm/Passerelle.h"
#include "sim/LiaisonSimulee.h"
#include "study/Cp1252.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "tools/orvanectl/Orvanectl.h"

namespace orvane::ctl {

namespace {

std::string AideLiaison() {
    return "usage: orvanectl link (--serial NAME | --tcp A.B.C.D[:PORT] | --sim [--noise])\n"
           "                      [--machine M] [--range 2A|20A] COMMAND\n"
           "  read [--json]                          connect and measure once\n"
           "  watch --interval MS --count N [--csv]  N measurements MS apart\n"
           "  write M.P VALUE                        write drive parameter M.P\n"
           "NAME is a device under /dev (ttyUSB0, pts/3) or an absolute path.\n"
           "--sim runs the simulated bench in process (--noise adds measurement noise).\n";
}

int Usage(std::ostream& err, const std::string& message) {
    return ErreurDUsage(err, "orvanectl: link", message, "orvanectl link --help");
}

struct Options {
    std::string serie, tcp, commande;
    bool sim = false;
    bool bruit = false;  // measurement noise of the simulated bench
    int32_t machine = -1;
    int32_t calibre = -1;
    bool json = false, csv = false;
    int64_t intervalle = -1;
    int64_t nombre = -1;
    std::vector<std::string> positions;
};

// A.B.C.D[:PORT] into the four address fields and the port (0: Modbus port).
bool LireAdresse(const std::string& texte, std::array<std::string, 4>& champs, int32_t& port) {
    std::string adresse = texte;
    port = 0;
    if (const size_t d = texte.find(':'); d != std::string::npos) {
        const auto p = Nombre<int32_t>(std::string_view(texte).substr(d + 1));
        if (!p || *p < 1 || *p > 65535) return false;
        port = *p;
        adresse = texte.substr(0, d);
    }
    size_t debut = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t fin = i < 3 ? adresse.find('.', debut) : adresse.size();
        if (fin == std::string::npos) return false;
        champs[static_cast<size_t>(i)] = adresse.substr(debut, fin - debut);
        const auto v = Nombre<int>(champs[static_cast<size_t>(i)]);
        if (!v || *v < 0 || *v > 255 || champs[static_cast<size_t>(i)].size() > 3) return false;
        debut = fin + 1;
    }
    return true;
}

std::optional<int> Analyser(const std::vector<std::string>& args, Options& o, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valeur = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (a == "--serial" || a == "--tcp" || a == "--machine" || a == "--range" ||
            a == "--interval" || a == "--count") {
            const std::string* v = valeur();
            if (!v) return Usage(err, a + " needs a value");
            if (a == "--serial") {
                o.serie = *v;
            } else if (a == "--tcp") {
                o.tcp = *v;
            } else if (a == "--machine") {
                const auto m = Nombre<int32_t>(*v);
                if (!m || *m < 0 || *m >= NbTypesMachine) return Usage(err, "--machine is 0..7");
                o.machine = *m;
            } else if (a == "--range") {
                if (*v != "2A" && *v != "20A") return Usage(err, "--range is 2A or 20A");
                o.calibre = *v == "2A" ? 1 : 0;
            } else if (a == "--interval") {
                const auto n = Nombre<int64_t>(*v);
                if (!n || *n < 0 || *n > 3600000)
                    return Usage(err, "--interval takes milliseconds");
                o.intervalle = *n;
            } else {
                const auto n = Nombre<int64_t>(*v);
                if (!n || *n < 1) return Usage(err, "--count takes a positive number");
                o.nombre = *n;
            }
        } else if (a == "--sim") {
            o.sim = true;
        } else if (a == "--noise") {
            o.bruit = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--csv") {
            o.csv = true;
        } else if (a.size() > 1 && a[0] == '-' && !Nombre<int64_t>(a)) {
            return Usage(err, "unknown option '" + a + "'");
        } else if (o.commande.empty()) {
            o.commande = a;
        } else {
            o.positions.push_back(a);
        }
    }
    const int liens = !o.serie.empty() + !o.tcp.empty() + o.sim;
    if (liens != 1) return Usage(err, "give one of --serial NAME, --tcp A.B.C.D or --sim");
    if (o.commande != "read" && o.commande != "watch" && o.commande != "write")
        return Usage(err, o.commande.empty() ? "read, watch or write is needed"
                                             : "unknown command '" + o.commande + "'");
    if (o.json && o.commande != "read") return Usage(err, "--json goes with read");
    if (o.csv && o.commande != "watch") return Usage(err, "--csv goes with watch");
    if (o.commande == "watch" && (o.intervalle < 0 || o.nombre < 1))
        return Usage(err, "watch needs --interval MS and --count N");
    if (o.commande != "watch" && (o.intervalle >= 0 || o.nombre >= 0))
        return Usage(err, "--interval and --count go with watch");
    if (o.commande == "write" ? o.positions.size() != 2 : !o.positions.empty())
        return Usage(err, o.commande == "write" ? "write needs M.P and VALUE"
                                                : "unexpected argument '" + o.positions[0] + "'");
    return std::nullopt;
}

std::string Titre(int q) {
    const DescGrandeur& g = Etude.Grandeurs[q];
    std::string t = DepuisCp1252(g.Symbole.Lire());
    const std::string unite = DepuisCp1252(g.Unite.Lire());
    if (!unite.empty()) t += " (" + unite + ")";
    return t;
}

std::string Valeur(int q, char virgule) {
    return FormatFixe(ValeursCourantes[static_cast<size_t>(q)], Etude.Grandeurs[q].Decimales,
                      virgule);
}

void EcrireLecture(const TPasserelleCom& com, bool json, std::ostream& out) {
    if (json) {
        out << "{\"rating\": " << com.CalibreVariateur()
            << ", \"range\": " << ConfigGenerale.GammePuissance
            << ", \"status\": " << com.StatusCopie() << ", \"values\": [";
        for (int q = 0; q < NbGrandeurs; ++q) out << (q ? ", " : "") << ValeursCourantes[q];
        out << "]}\n";
        return;
    }
    out << "rating: " << com.CalibreVariateur() << "\n";
    out << "range: " << ConfigGenerale.GammePuissance << "\n";
    out << "status: " << com.StatusCopie() << "\n";
    for (int q = 1; q < NbGrandeurs; ++q)
        out << DepuisCp1252(Etude.Grandeurs[q].Nom.Lire()) << " " << Titre(q) << ": "
            << Valeur(q, ',') << "\n";
}

int EchecLiaison(std::ostream& err, const std::string& message) {
    err << "orvanectl: link: " << message << "\n";
    return ErreurFichier;
}

}  // namespace

int CommandeLiaison(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << AideLiaison();
        return Succes;
    }
    Options o;
    if (auto r = Analyser(args, o, err)) return *r;
    if (o.bruit && !o.sim) return Usage(err, "--noise goes with --sim");
    int menu = 0, parametre = 0;
    int32_t aEcrire = 0;
    if (o.commande == "write") {
        const std::string& mp = o.positions[0];
        const size_t point = mp.find('.');
        const auto m = Nombre<int>(std::string_view(mp).substr(0, point));
        const auto p = point == std::string::npos
                           ? std::nullopt
                           : Nombre<int>(std::string_view(mp).substr(point + 1));
        if (!m || !p || *m < 0 || *m > 99 || *p < 1 || *p > 99)
            return Usage(err, "M.P is a drive parameter such as 20.29");
        const auto v = Nombre<int32_t>(o.positions[1]);
        if (!v || *v < -32768 || *v > 65535) return Usage(err, "VALUE is -32768..65535");
        menu = *m;
        parametre = *p;
        aEcrire = *v;
    }

    RapportLigne rapport;
    TPasserelleCom com;
    if (o.sim) {
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        sim::InstallerBancSimule(1, o.bruit);
    } else if (!o.serie.empty()) {
        ConfigGenerale.TypeLiaison = LiaisonSerie;
        ConfigGenerale.PortSerie.Ecrire(o.serie);
        // Opened here so that a path longer than the configuration's field works.
        if (!com.Serie().Port().Ouvrir(o.serie)) return EchecLiaison(err, rapport.ligne);
    } else {
        std::array<std::string, 4> champs;
        if (!LireAdresse(o.tcp, champs, com.Reseau().PortTcp))
            return Usage(err, "--tcp takes A.B.C.D or A.B.C.D:PORT");
        ConfigGenerale.TypeLiaison = LiaisonReseau;
        for (size_t i = 0; i < 4; ++i) ConfigGenerale.Adresse[i].Ecrire(champs[i]);
        AdresseReseau = "(" + champs[0] + "." + champs[1] + "." + champs[2] + "." + champs[3] + ")";
    }
    if (o.machine >= 0) ReglagesCourants[MotTypeMachine] = o.machine;
    if (o.calibre >= 0) ReglagesCourants[MotCalibre] = o.calibre;

    com.Initialise();
    if (!com.LiaisonOuverte()) return EchecLiaison(err, rapport.ligne);
    com.initime();

    if (o.commande == "write") {
        com.WriteRegModbus(menu, parametre, aEcrire);
        const bool echec = com.DerniereErreur();
        const int32_t code = com.CodeResultat();
        // The value written stays in force: no control word on the way out.
        com.Liberer();
        if (echec) return EchecLiaison(err, "write refused (code " + std::to_string(code) + ")");
        return Succes;
    }

    if (o.commande == "read") {
        com.LectureValeurs();
        if (!com.LectureValide()) {
            com.Ferme();
            return EchecLiaison(err, "no valid reply from the drive");
        }
        EcrireLecture(com, o.json, out);
        com.Ferme();
        return Succes;
    }

    // watch: one row per good step, a time column counted from the start.
    const char sep = o.csv ? ',' : '\t';
    const char virgule = o.csv ? '.' : ',';
    out << "status";
    for (int q = 1; q < NbGrandeurs; ++q) out << sep << (o.csv ? "\"" + Titre(q) + "\"" : Titre(q));
    out << "\n";
    const auto debut = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < o.nombre; ++i) {
        if (i > 0)
            std::this_thread::sleep_until(debut + std::chrono::milliseconds(i * o.intervalle));
        com.LectureValeurs();
        if (!com.LectureValide() && com.NbEchecs() > 1) {
            com.Ferme();
            return EchecLiaison(err, "the drive stopped answering");
        }
        if (!com.LectureValide()) continue;
        out << com.StatusCopie();
        for (int q = 1; q < NbGrandeurs; ++q) out << sep << Valeur(q, virgule);
        out << "\n" << std::flush;
    }
    com.Ferme();
    return Succes;
}

}  // namespace orvane::ctl
