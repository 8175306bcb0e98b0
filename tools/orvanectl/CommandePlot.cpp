// orvanectl study plot: a graph view drawn as the copy command draws it;
// orvanectl study report: the lab report as a PDF file.
#include <QFile>
#include <QGuiApplication>
#include <charconv>
#include <memory>
#include <optional>
#include <ostream>

#include "graph/Export.h"
#include "study/Study.h"
#include "tools/orvanectl/Orvanectl.h"
#include "tracing/RapportPdf.h"

namespace orvane::ctl {

namespace {

constexpr int DpiPlot = 96;

// Text needs a GUI application; without a display it runs off screen.
void ApplicationGraphique() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nom[] = "orvanectl";
    static char* argv[] = {nom, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

int Usage(std::ostream& err, const std::string& message) {
    return ErreurDUsage(err, "orvanectl", message, "orvanectl --help");
}

}  // namespace

int CommandePlot(const std::vector<std::string>& args, std::ostream& err) {
    std::string fichier, sortie;
    std::optional<int> vue;
    QSize taille = TailleCopie(DpiPlot);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool avecValeur = a == "--view" || a == "-o" || a == "--output" || a == "--size";
        if (avecValeur && i + 1 >= args.size()) return Usage(err, a + " needs a value");
        if (a == "--view") {
            vue = Nombre<int>(args[++i]);
            if (!vue) return Usage(err, "--view takes a view number");
        } else if (a == "-o" || a == "--output") {
            sortie = args[++i];
        } else if (a == "--size") {
            const std::string& t = args[++i];
            const size_t x = t.find('x');
            const auto w = x == std::string::npos ? std::nullopt
                                                  : Nombre<int>(std::string_view(t).substr(0, x));
            const auto h = x == std::string::npos ? std::nullopt
                                                  : Nombre<int>(std::string_view(t).substr(x + 1));
            if (!w || !h || *w < 1 || *h < 1 || *w > 20000 || *h > 20000)
                return Usage(err, "--size takes WIDTHxHEIGHT in pixels");
            taille = QSize(*w, *h);
        } else if (!a.empty() && a[0] == '-') {
            return Usage(err, "unknown option '" + a + "'");
        } else if (fichier.empty()) {
            fichier = a;
        } else {
            return Usage(err, "unexpected argument '" + a + "'");
        }
    }
    if (fichier.empty()) return Usage(err, "a work file is needed");
    if (!vue) return Usage(err, "--view N is needed");
    const auto point = sortie.rfind('.');
    const std::string ext = point == std::string::npos ? "" : sortie.substr(point + 1);
    if (ext != "svg" && ext != "png" && ext != "pdf" && ext != "SVG" && ext != "PNG" &&
        ext != "PDF")
        return Usage(err, "-o OUT.svg|.png|.pdf is needed");
    if (!OuvrirEtudeOuDire(fichier, err)) return ErreurFichier;
    if (*vue < 1 || *vue > NbVues || !Etude.Vues[*vue - 1].Presente)
        return Usage(err, fichier + " has no view " + std::to_string(*vue));
    ApplicationGraphique();
    std::string raison;
    if (!ExporterVue(*vue, sortie, taille, DpiPlot, &raison)) {
        err << "orvanectl: " << sortie << ": " << raison << "\n";
        return ErreurFichier;
    }
    return Succes;
}

int CommandeRapport(const std::vector<std::string>& args, std::ostream& err) {
    std::string fichier, sortie;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) return Usage(err, a + " needs a value");
            sortie = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return Usage(err, "unknown option '" + a + "'");
        } else if (fichier.empty()) {
            fichier = a;
        } else {
            return Usage(err, "unexpected argument '" + a + "'");
        }
    }
    if (fichier.empty()) return Usage(err, "a work file is needed");
    const auto point = sortie.rfind('.');
    const std::string ext = point == std::string::npos ? "" : sortie.substr(point + 1);
    if (ext != "pdf" && ext != "PDF") return Usage(err, "-o OUT.pdf is needed");
    if (!OuvrirEtudeOuDire(fichier, err)) return ErreurFichier;
    ApplicationGraphique();
    CompteRendu c;
    c.vues = VuesDeLEtude();
    QString raison;
    if (!EcrireCompteRendu(QFile::decodeName(sortie.c_str()), c, &raison)) {
        err << "orvanectl: " << sortie << ": " << raison.toStdString() << "\n";
        return ErreurFichier;
    }
    return Succes;
}

}  // namespace orvane::ctl
