// orvanectl study show | export
#include <charconv>
#include <optional>
#include <ostream>

#include "graph/Ajustement.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tools/orvanectl/Json.h"
#include "tools/orvanectl/Orvanectl.h"
#include "tracing/Classeur.h"

namespace orvane::ctl {

namespace {

struct Options {
    std::string fichier;
    bool json = false;
    std::optional<int> essai;
    std::string format = "tsv";
    std::string sortie;
    bool virguleDecimale = false;
    bool cp1252 = false;
};

int Usage(std::ostream& err, const std::string& message) {
    return ErreurDUsage(err, "orvanectl", message, "orvanectl --help");
}

// Parses FILE and the options allowed for the command; returns an exit
// status when the line is not usable.
std::optional<int> Analyser(const std::vector<std::string>& args, bool pourExport, Options& o,
                            std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valeur = [&](const char* nom) -> const std::string* {
            if (i + 1 >= args.size()) {
                Usage(err, std::string(nom) + " needs a value");
                return nullptr;
            }
            return &args[++i];
        };
        if (!pourExport && a == "--json") {
            o.json = true;
        } else if (pourExport && a == "--trial") {
            const std::string* v = valeur("--trial");
            if (!v) return ErreurUsage;
            o.essai = Nombre<int>(*v);
            if (!o.essai) return Usage(err, "--trial takes a trial number");
        } else if (pourExport && a == "--format") {
            const std::string* v = valeur("--format");
            if (!v) return ErreurUsage;
            if (*v != "tsv" && *v != "csv" && *v != "xlsx")
                return Usage(err, "--format is tsv, csv or xlsx");
            o.format = *v;
        } else if (pourExport && (a == "-o" || a == "--output")) {
            const std::string* v = valeur("-o");
            if (!v) return ErreurUsage;
            o.sortie = *v;
        } else if (pourExport && a == "--decimal-comma") {
            o.virguleDecimale = true;
        } else if (pourExport && a == "--cp1252") {
            o.cp1252 = true;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return Usage(err, "unknown option '" + a + "'");
        } else if (o.fichier.empty()) {
            o.fichier = a;
        } else {
            return Usage(err, "unexpected argument '" + a + "'");
        }
    }
    if (o.fichier.empty()) return Usage(err, "a work file is needed");
    return std::nullopt;
}

std::string Utf8(const std::string& cp1252) { return DepuisCp1252(cp1252); }

std::string Libelle(std::string_view texte) {
    return texte.empty() ? std::string("(none)") : std::string(texte);
}

std::string NomMachine(int32_t t) {
    return t >= 0 && t < NbNomMachine ? Libelle(Textes.NomMachine[static_cast<size_t>(t)])
                                      : "(none)";
}

std::string NomLoi(int32_t t) {
    return t >= 0 && t < NbTypeCaract ? Libelle(Textes.NomLoi[static_cast<size_t>(t)]) : "(none)";
}

std::string TitreAxe(int32_t q) {
    if (q < 0 || q >= NbGrandeurs) return "?";
    const DescGrandeur& g = Etude.Grandeurs[q];
    std::string t = Utf8(g.Symbole.Lire());
    const std::string unite = Utf8(g.Unite.Lire());
    if (!unite.empty()) t += " (" + unite + ")";
    return t;
}

void MontrerTexte(const Options& o, std::ostream& out) {
    out << "File: " << o.fichier << "\n";
    out << "Title: " << Utf8(Etude.Titre.Lire()) << "\n";
    out << "Smoothing: " << Etude.Lissage << "\n";
    out << "Views: " << NbVuesGraphe() << "\n";
    for (int v = 0; v < NbVues; ++v) {
        const VueGraphe& g = Etude.Vues[v];
        if (!g.Presente) continue;
        out << "  View " << v + 1 << ": x = " << TitreAxe(g.GrandeurX) << " [zoom " << g.ZoomX
            << "], y = " << TitreAxe(g.GrandeurY) << " [zoom " << g.ZoomY << "], quadrant "
            << g.Quadrant << (g.Affichee ? ", shown" : ", hidden") << "\n";
    }
    out << "Trials: " << Etude.NbCaract << "\n";
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        out << "  Trial " << k << ": " << NomMachine(e[MotTypeMachine]) << ", "
            << NomLoi(e[MotTypeCaract]) << ", " << Caracts[k].Dernier() + 1
            << (Caracts[k].Dernier() == 0 ? " point" : " points") << ", comment \""
            << Utf8(e.Commentaire.Lire()) << "\"\n";
    }
}

// [min, max] of an axis with the decimals its quantity's counts have.
std::string Plage(std::pair<double, double> p, int32_t q) {
    const int d = BornerDecimales(-int64_t{Etude.Grandeurs[Borner(q, NbGrandeurs)].Exposant});
    return "[" + JsonNombre(p.first, d) + ", " + JsonNombre(p.second, d) + "]";
}

void MontrerJson(const Options& o, std::ostream& out) {
    out << "{\n  \"file\": " << JsonTexte(o.fichier) << ",\n";
    out << "  \"title\": " << JsonTexte(Utf8(Etude.Titre.Lire())) << ",\n";
    out << "  \"smoothing\": " << Etude.Lissage << ",\n";
    out << "  \"quantities\": [";
    for (int q = 0; q < NbGrandeurs; ++q) {
        const DescGrandeur& g = Etude.Grandeurs[q];
        out << (q ? ",\n" : "\n") << "    {\"number\": " << q
            << ", \"name\": " << JsonTexte(Utf8(g.Nom.Lire()))
            << ", \"symbol\": " << JsonTexte(Utf8(g.Symbole.Lire()))
            << ", \"unit\": " << JsonTexte(Utf8(g.Unite.Lire()))
            << ", \"decimals\": " << g.Decimales << "}";
    }
    out << "\n  ],\n  \"views\": [";
    bool premiere = true;
    for (int v = 0; v < NbVues; ++v) {
        const VueGraphe& g = Etude.Vues[v];
        if (!g.Presente) continue;
        out << (premiere ? "\n" : ",\n") << "    {\"view\": " << v + 1
            << ", \"shown\": " << (g.Affichee ? "true" : "false") << ", \"x\": " << g.GrandeurX
            << ", \"x_zoom\": " << g.ZoomX << ", \"y\": " << g.GrandeurY
            << ", \"y_zoom\": " << g.ZoomY << ", \"quadrant\": " << g.Quadrant
            << ", \"x_range\": " << Plage(PlageX(g), g.GrandeurX)
            << ", \"y_range\": " << Plage(PlageY(g), g.GrandeurY) << "}";
        premiere = false;
    }
    out << (premiere ? "" : "\n  ") << "],\n  \"trials\": [";
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        out << (k > 1 ? ",\n" : "\n") << "    {\"trial\": " << k
            << ", \"machine\": " << e[MotTypeMachine]
            << ", \"machine_name\": " << JsonTexte(NomMachine(e[MotTypeMachine]))
            << ", \"type\": " << e[MotTypeCaract]
            << ", \"type_name\": " << JsonTexte(NomLoi(e[MotTypeCaract]))
            << ", \"points\": " << Caracts[k].Dernier() + 1
            << ", \"comment\": " << JsonTexte(Utf8(e.Commentaire.Lire())) << "}";
    }
    out << (Etude.NbCaract > 0 ? "\n  " : "") << "]\n}\n";
}

int Montrer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (auto r = Analyser(args, false, o, err)) return *r;
    if (!OuvrirEtudeOuDire(o.fichier, err)) return ErreurFichier;
    if (o.json)
        MontrerJson(o, out);
    else
        MontrerTexte(o, out);
    return Succes;
}

int Exporter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    if (auto r = Analyser(args, true, o, err)) return *r;
    if (o.format == "xlsx" && (o.sortie.empty() || o.sortie == "-"))
        return Usage(err, "a workbook is not written to the standard output: give -o OUT.xlsx");
    if (o.format == "xlsx" && o.essai) return Usage(err, "the workbook holds every trial");
    if (!OuvrirEtudeOuDire(o.fichier, err)) return ErreurFichier;
    const int essai = o.essai.value_or(-1);
    if (o.essai && (essai < 1 || essai > Etude.NbCaract))
        return Usage(err, o.fichier + " has no trial " + std::to_string(essai));
    std::string texte, raison;
    if (o.format == "xlsx") {
        if (EcrireClasseur(o.sortie, &raison)) return Succes;
        err << "orvanectl: " << o.sortie << ": " << raison << "\n";
        return ErreurFichier;
    }
    if (o.format == "csv") {
        texte = CsvValeurs(essai, o.virguleDecimale);
    } else {
        texte = TexteValeurs(essai);
        if (!o.cp1252) texte = DepuisCp1252(texte);
    }
    if (o.sortie.empty() || o.sortie == "-") {
        out << texte;
        return Succes;
    }
    if (!EcrireFichierEntier(o.sortie, texte.data(), texte.size(), &raison)) {
        err << "orvanectl: " << o.sortie << ": " << raison << "\n";
        return ErreurFichier;
    }
    return Succes;
}

}  // namespace

bool OuvrirEtudeOuDire(const std::string& fichier, std::ostream& err) {
    RapportLigne rapport;
    if (OuvrirEtude(fichier)) return true;
    err << "orvanectl: " << fichier << ": " << rapport.ligne << "\n";
    return false;
}

int CommandeEtude(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "study needs a command: show, export, fit, ...");
    const std::vector<std::string> reste(args.begin() + 1, args.end());
    if (args[0] == "show") return Montrer(reste, out, err);
    if (args[0] == "export") return Exporter(reste, out, err);
    if (args[0] == "fit") return CommandeAjuster(reste, err);
    if (args[0] == "operating-point") return CommandePointFonctionnement(reste, out, err);
    if (args[0] == "step") return CommandeReponse(reste, out, err);
#ifdef ORVANE_AVEC_GRAPHES
    if (args[0] == "plot") return CommandePlot(reste, err);
    if (args[0] == "report") return CommandeRapport(reste, err);
#endif
    return Usage(err, "unknown study command '" + args[0] + "'");
}

}  // namespace orvane::ctl
