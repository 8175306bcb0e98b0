// orvanectl bench: runs the simulated drive and its machine as a Modbus
// slave, until interrupted (SIGINT or SIGTERM).
#include <arpa/inet.h>

#include <atomic>
#include <charconv>
#include <csignal>
#include <fstream>
#include <ostream>

#include "sim/Serveur.h"
#include "study/Study.h"
#include "tools/orvanectl/Orvanectl.h"

namespace orvane::ctl {

namespace {

std::atomic<bool> ArretDemande{false};

extern "C" void SurSignal(int) { ArretDemande.store(true); }

bool Entier(const std::string& texte, long bas, long haut, long& valeur) {
    const auto v = Nombre<long>(texte);
    if (!v || *v < bas || *v > haut) return false;
    valeur = *v;
    return true;
}

bool AdresseIpv4(const std::string& texte) {
    in_addr a;
    return inet_pton(AF_INET, texte.c_str(), &a) == 1;
}

const char* const UsageBanc =
    "usage: orvanectl bench (--pty | --serial PATH | --tcp A.B.C.D) [--port P]\n"
    "                       [--rating R] [--machine M] [--current-range 2A|20A]\n"
    "                       [--mains 50|60] [--seed S] [--noise] [--baud B]\n"
    "                       [--journal PATH]\n"
    "                       [--fault badcrc|silent|exception|slow:MS|disconnect [--every N]]\n"
    "  Runs the simulated drive as a Modbus slave until interrupted.\n"
    "  --pty prints the name of the pseudo-terminal served (pts/N, under /dev).\n"
    "  --machine 0..7 (default 0, none chosen: the DC machine with independent\n"
    "  excitation, as the program measures it); --rating sets parameter 11.32\n"
    "  (default 1500); --mains defaults to the configuration's frequency.\n"
    "  --baud (with --pty or --serial) holds each reply back by the line time of\n"
    "  the request and the reply at B baud, 10 bits a byte (19200: 0.52 ms a\n"
    "  byte); default none. --journal appends to PATH one line per write the\n"
    "  drive accepts on 19.20..19.25 or 20.29, in order: 'MM.PP V[,V...]'.\n";

int Usage(std::ostream& err, const std::string& message) {
    return ErreurDUsage(err, "orvanectl bench", message, "orvanectl bench --help");
}

// Installs the stop handlers for the life of the object.
class Signaux {
public:
    Signaux() {
        ArretDemande.store(false);
        struct sigaction a {};
        a.sa_handler = SurSignal;
        sigemptyset(&a.sa_mask);
        sigaction(SIGINT, &a, &ancienInt_);
        sigaction(SIGTERM, &a, &ancienTerm_);
    }
    ~Signaux() {
        sigaction(SIGINT, &ancienInt_, nullptr);
        sigaction(SIGTERM, &ancienTerm_, nullptr);
    }

private:
    struct sigaction ancienInt_ {
    }, ancienTerm_{};
};

}  // namespace

int CommandeBanc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    enum class Lien { Aucun, Pty, Serie, Tcp } lien = Lien::Aucun;
    std::string chemin, adresse;
    long port = 502, calibre = sim::CalibreParDefaut, machine = 0, graine = 1, chaque = 1,
         debit = 0;
    std::string journal;
    long frequence = ConfigGenerale.FrequenceReseau == 60 ? 60 : 50;
    bool deuxAmperes = false, bruit = false, defautDonne = false, chaqueDonne = false;
    sim::Injection injection;

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valeur = [&](std::string& v) {
            if (i + 1 >= args.size()) return false;
            v = args[++i];
            return true;
        };
        std::string v;
        auto choisir = [&](Lien l) {
            if (lien != Lien::Aucun) return false;
            lien = l;
            return true;
        };
        if (a == "--help" || a == "-h") {
            out << UsageBanc;
            return Succes;
        } else if (a == "--pty") {
            if (!choisir(Lien::Pty)) return Usage(err, "choose one of --pty, --serial, --tcp");
        } else if (a == "--serial") {
            if (!valeur(chemin) || !choisir(Lien::Serie))
                return Usage(err, "--serial needs a path, alone of its kind");
            if (chemin.find('/') == std::string::npos) chemin = "/dev/" + chemin;
        } else if (a == "--tcp") {
            if (!valeur(adresse) || !AdresseIpv4(adresse) || !choisir(Lien::Tcp))
                return Usage(err, "--tcp needs an IPv4 address A.B.C.D, alone of its kind");
        } else if (a == "--port") {
            if (!valeur(v) || !Entier(v, 0, 65535, port)) return Usage(err, "bad --port");
        } else if (a == "--rating") {
            if (!valeur(v) || !Entier(v, -32768, 32767, calibre)) return Usage(err, "bad --rating");
        } else if (a == "--machine") {
            if (!valeur(v) || !Entier(v, 0, 7, machine)) return Usage(err, "--machine takes 0..7");
        } else if (a == "--current-range") {
            if (!valeur(v) || (v != "2A" && v != "20A"))
                return Usage(err, "--current-range takes 2A or 20A");
            deuxAmperes = v == "2A";
        } else if (a == "--mains") {
            if (!valeur(v) || (v != "50" && v != "60")) return Usage(err, "--mains takes 50 or 60");
            frequence = v == "60" ? 60 : 50;
        } else if (a == "--seed") {
            if (!valeur(v) || !Entier(v, 0, 2147483647, graine)) return Usage(err, "bad --seed");
        } else if (a == "--noise") {
            bruit = true;
        } else if (a == "--baud") {
            if (!valeur(v) || !Entier(v, 0, 4000000, debit)) return Usage(err, "bad --baud");
        } else if (a == "--journal") {
            if (!valeur(journal) || journal.empty()) return Usage(err, "--journal needs a path");
        } else if (a == "--fault") {
            if (!valeur(v) || !sim::LireDefaut(v, injection)) return Usage(err, "bad --fault");
            defautDonne = true;
        } else if (a == "--every") {
            if (!valeur(v) || !Entier(v, 1, 1000000, chaque)) return Usage(err, "bad --every");
            chaqueDonne = true;
        } else {
            return Usage(err, "unknown option '" + a + "'");
        }
    }
    if (lien == Lien::Aucun) return Usage(err, "choose one of --pty, --serial, --tcp");
    if (chaqueDonne && !defautDonne) return Usage(err, "--every goes with --fault");
    if (debit > 0 && lien == Lien::Tcp) return Usage(err, "--baud goes with --pty or --serial");
    injection.chaque = static_cast<int>(chaque);

    sim::Variateur variateur(static_cast<uint64_t>(graine));
    variateur.SetFrequenceReseau(static_cast<int>(frequence));
    variateur.SetCalibre(static_cast<int>(calibre));
    variateur.SetTypeMachine(static_cast<int>(machine));
    variateur.SetCalibreDeuxAmperes(deuxAmperes);
    variateur.SetBruit(bruit);

    std::ofstream fichierJournal;
    if (!journal.empty()) {
        fichierJournal.open(journal, std::ios::app);
        if (!fichierJournal) {
            err << "orvanectl bench: cannot open " << journal << "\n";
            return ErreurFichier;
        }
        variateur.SuivreEcritures([&fichierJournal](const sim::Ecriture& e) {
            fichierJournal << sim::TexteEcriture(e) << std::endl;
        });
    }

    sim::ServeurBanc serveur(variateur, injection);
    serveur.DefinirDebit(static_cast<int>(debit));
    std::string erreur;
    bool ouvert = false;
    if (lien == Lien::Pty) {
        std::string nom;
        ouvert = serveur.OuvrirPty(nom, erreur);
        if (ouvert) out << nom << std::endl;
    } else if (lien == Lien::Serie) {
        ouvert = serveur.OuvrirSerie(chemin, erreur);
    } else {
        ouvert = serveur.OuvrirTcp(adresse, static_cast<int>(port), erreur);
    }
    if (!ouvert) {
        err << "orvanectl bench: " << erreur << "\n";
        return ErreurFichier;
    }

    Signaux signaux;
    if (!serveur.Servir(ArretDemande, erreur)) {
        err << "orvanectl bench: " << erreur << "\n";
        return ErreurFichier;
    }
    return Succes;
}

}  // namespace orvane::ctl
