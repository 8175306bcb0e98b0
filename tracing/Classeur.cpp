#include "tracing/Classeur.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/Lectures.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Reponse.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

constexpr int GTempsCapture = GTemps;  // the abscissa of captures and time views
// The print colours of trials 1 to 5 (red, navy, green, maroon, grey) and
// their markers.
constexpr lxw_color_t CouleursEssais[NbCaractMax] = {0xFF0000, 0x000080, 0x008000, 0x800000,
                                                     0x808080};
constexpr uint8_t MarquesEssais[NbCaractMax] = {LXW_CHART_MARKER_SQUARE, LXW_CHART_MARKER_DIAMOND,
                                                LXW_CHART_MARKER_TRIANGLE, LXW_CHART_MARKER_X,
                                                LXW_CHART_MARKER_CIRCLE};
// Charts on the views' sheet: two a row, each 8 columns by 16 rows.
constexpr int LignesGraphique = 16, ColonnesGraphique = 8;

std::string Texte(int n) { return std::string(Textes.Texte(n)); }

// The machine and load titles start with a blank (they follow a caption on
// screen); a cell has no use for it.
std::string SansBlancs(std::string_view t) {
    const size_t debut = t.find_first_not_of(' ');
    return std::string(debut == std::string_view::npos ? std::string_view() : t.substr(debut));
}

std::string NomEssai(int k) { return std::string(Textes.MotEssai) + " " + std::to_string(k); }

std::string NomVue(int v) {
    std::string t = Texte(TexteVueNumero);
    const size_t p = t.find("%1");
    if (p != std::string::npos) t.replace(p, 2, std::to_string(v));
    return t;
}

// "name (unit)" of quantity q from the study's own descriptors.
std::string Titre(int q) {
    const DescGrandeur& g = Etude.Grandeurs[q];
    std::string t = DepuisCp1252(g.Nom.Lire());
    const std::string unite = DepuisCp1252(g.Unite.Lire());
    if (!unite.empty()) t += " (" + unite + ")";
    return t;
}

// A name that ends in parentheses of its own takes its unit in brackets.
std::string AvecUnite(std::string nom, const std::string& unite) {
    if (unite.empty()) return nom;
    return nom + (!nom.empty() && nom.back() == ')' ? " [" + unite + "]" : " (" + unite + ")");
}

// A count of quantity q in its unit (an exponent beyond any format bounded).
double Physique(int32_t v, int q) {
    return ValeurPhysique(v, std::clamp(Etude.Grandeurs[q].Exposant, -DecimalesMax, DecimalesMax));
}

std::string DateDuJour() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char texte[16];
    return std::strftime(texte, sizeof texte, "%Y-%m-%d", &tm) ? texte : "";
}

// The bench of the configuration: its serial port, its network address or
// the simulated bench.
std::string Banc() {
    switch (ConfigGenerale.TypeLiaison) {
        case LiaisonSerie: return DepuisCp1252(ConfigGenerale.PortSerie.Lire());
        case LiaisonReseau: {
            std::string a;
            for (int i = 0; i < 4; ++i) a += (i ? "." : "") + ConfigGenerale.Adresse[i].Lire();
            return DepuisCp1252(a);
        }
        case LiaisonSimulation: return Texte(TexteBancSimule);
        default: return "—";
    }
}

bool AvecPoints(int k) { return Caracts[k].Dernier() >= 0; }
int NbPoints(int k) { return std::min(Caracts[k].Dernier(), DernierPointMax) + 1; }

// Line modes that join the points: the polyline, and the splines drawn
// through them (smoothed or not). Stems and markers alone join nothing.
uint8_t TypeGraphique(int32_t lissage) {
    if (lissage == 1) return LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS;
    if (lissage >= 2 && lissage <= 5) return LXW_CHART_SCATTER_SMOOTH_WITH_MARKERS;
    return LXW_CHART_SCATTER;
}

class Redacteur {
public:
    explicit Redacteur(lxw_workbook* c) : classeur_(c) {
        gras_ = workbook_add_format(c);
        format_set_bold(gras_);
        entete_ = workbook_add_format(c);
        format_set_bold(entete_);
        format_set_text_wrap(entete_);
        format_set_align(entete_, LXW_ALIGN_CENTER);
        format_set_align(entete_, LXW_ALIGN_VERTICAL_TOP);
    }

    bool Ecrire() {
        nbEssais_ = std::clamp(Etude.NbCaract, 0, NbCaractMax);
        for (int k = 1; k <= nbEssais_; ++k)
            if (!FeuilleEssai(k)) return false;
        return FeuilleVues() && FeuilleEtude();
    }

private:
    // The cell format showing d decimals, made once per count of decimals.
    lxw_format* Decimales(int d) {
        d = BornerDecimales(d);
        if (!formats_[d]) {
            formats_[d] = workbook_add_format(classeur_);
            format_set_num_format(
                formats_[d], d ? ("0." + std::string(static_cast<size_t>(d), '0')).c_str() : "0");
        }
        return formats_[d];
    }

    void Chaine(lxw_worksheet* f, int l, int c, const std::string& t, lxw_format* fmt = nullptr) {
        worksheet_write_string(f, static_cast<lxw_row_t>(l), static_cast<lxw_col_t>(c), t.c_str(),
                               fmt);
    }
    void Nombre(lxw_worksheet* f, int l, int c, double v, int decimales) {
        worksheet_write_number(f, static_cast<lxw_row_t>(l), static_cast<lxw_col_t>(c), v,
                               Decimales(decimales));
    }
    void Mesure(lxw_worksheet* f, int l, int c, const std::optional<double>& v, int decimales) {
        if (v && std::isfinite(*v))
            Nombre(f, l, c, *v, decimales);
        else
            Chaine(f, l, c, "—");
    }
    // A sheet printed across, one page wide.
    lxw_worksheet* Feuille(const std::string& nom) {
        lxw_worksheet* f = workbook_add_worksheet(classeur_, nom.c_str());
        if (f) {
            worksheet_set_landscape(f);
            worksheet_fit_to_pages(f, 1, 0);
        }
        return f;
    }
    // A header row of three lines, its names wrapped.
    void Entete(lxw_worksheet* f, int l) {
        worksheet_set_row(f, static_cast<lxw_row_t>(l), 45, nullptr);
    }

    bool FeuilleEssai(int k) {
        lxw_worksheet* f = Feuille(NomEssai(k));
        if (!f) return false;
        const EnteteCaract& e = Caracts[k].Entete;
        const int machine = Borner(e[MotTypeMachine], NbNomMachine);
        const int type = Borner(e[MotTypeCaract], NbTypeCaract);
        Chaine(f, 0, 0, NomEssai(k), gras_);
        Chaine(f, 1, 0, Texte(TexteRapportCommentaire));
        Chaine(f, 1, 1, DepuisCp1252(e.Commentaire.Lire()));
        Chaine(f, 2, 0, Texte(TexteRapportMachine));
        Chaine(f, 2, 1, SansBlancs(Textes.TitreMachine[static_cast<size_t>(machine)]));
        Chaine(f, 3, 0, Texte(TexteRapportCharge));
        Chaine(f, 3, 1, SansBlancs(Textes.TitreCharge[static_cast<size_t>(type)]));
        worksheet_set_column(f, 0, 0, 14, nullptr);
        worksheet_set_column(f, 1, NbGrandeurs - 1, 12, nullptr);
        Entete(f, LigneEnteteValeurs);
        for (int q = 0; q < NbGrandeurs; ++q) Chaine(f, LigneEnteteValeurs, q, Titre(q), entete_);
        worksheet_repeat_rows(f, LigneEnteteValeurs, LigneEnteteValeurs);
        const Caracteristique& c = Caracts[k];
        for (int p = 0; p < NbPoints(k); ++p)
            for (int q = 0; q < NbGrandeurs; ++q)
                Nombre(f, PremiereLigneValeurs + p, q, Physique(c.Point(q, p), q),
                       Etude.Grandeurs[q].Decimales);
        worksheet_freeze_panes(f, PremiereLigneValeurs, 0);
        return true;
    }

    bool FeuilleVues() {
        lxw_worksheet* f = Feuille(Texte(TexteFeuilleVues));
        if (!f) return false;
        int place = 0;
        for (int v = 0; v < NbVues; ++v) {
            const VueGraphe& vue = Etude.Vues[v];
            if (!vue.Presente) continue;
            std::vector<int> essais;
            for (int k = 1; k <= nbEssais_; ++k)
                if (AvecPoints(k)) essais.push_back(k);
            if (essais.empty()) continue;
            const int qX = Borner(vue.GrandeurX, NbGrandeurs);
            const int qY = Borner(vue.GrandeurY, NbGrandeurs);
            const uint8_t type = TypeGraphique(Etude.Lissage);
            lxw_chart* g = workbook_add_chart(classeur_, type);
            if (!g) return false;
            for (int k : essais) {
                const std::string feuille = NomEssai(k);
                lxw_chart_series* s = chart_add_series(g, nullptr, nullptr);
                if (!s) return false;
                const auto premiere = static_cast<lxw_row_t>(PremiereLigneValeurs);
                const auto derniere =
                    static_cast<lxw_row_t>(PremiereLigneValeurs + NbPoints(k) - 1);
                chart_series_set_categories(s, feuille.c_str(), premiere,
                                            static_cast<lxw_col_t>(qX), derniere,
                                            static_cast<lxw_col_t>(qX));
                chart_series_set_values(s, feuille.c_str(), premiere, static_cast<lxw_col_t>(qY),
                                        derniere, static_cast<lxw_col_t>(qY));
                chart_series_set_name(s, feuille.c_str());
                lxw_chart_fill plein{CouleursEssais[k - 1], 0, 0};
                lxw_chart_line bord{CouleursEssais[k - 1], 0, 0.75f, 0, 0};
                chart_series_set_marker_type(s, MarquesEssais[k - 1]);
                chart_series_set_marker_size(s, 5);
                chart_series_set_marker_fill(s, &plein);
                chart_series_set_marker_line(s, &bord);
                if (type != LXW_CHART_SCATTER) {
                    lxw_chart_line trait{CouleursEssais[k - 1], 0, 1.5f, 0, 0};
                    chart_series_set_line(s, &trait);
                }
            }
            chart_title_set_name(g, NomVue(v + 1).c_str());
            chart_axis_set_name(g->x_axis, Titre(qX).c_str());
            chart_axis_set_name(g->y_axis, Titre(qY).c_str());
            chart_legend_set_position(g, LXW_CHART_LEGEND_BOTTOM);
            worksheet_insert_chart(f, static_cast<lxw_row_t>(1 + place / 2 * LignesGraphique),
                                   static_cast<lxw_col_t>(place % 2 * ColonnesGraphique), g);
            ++place;
        }
        if (place == 0) Chaine(f, 0, 0, Texte(TexteAucunEssai));
        return true;
    }

    bool FeuilleEtude() {
        lxw_worksheet* f = Feuille(Texte(TexteFeuilleEtude));
        if (!f) return false;
        worksheet_set_column(f, 0, 0, 22, nullptr);
        worksheet_set_column(f, 1, 7, 15, nullptr);
        Chaine(f, 0, 0, DepuisCp1252(Etude.Titre.Lire()), gras_);
        Chaine(f, 2, 0, Texte(TexteRapportDate));
        Chaine(f, 2, 1, DateDuJour());
        Chaine(f, 3, 0, Texte(TexteRapportBanc));
        Chaine(f, 3, 1, Banc());
        int l = 5;
        if (nbEssais_ == 0) Chaine(f, l++, 0, Texte(TexteAucunEssai));
        for (int v = 0; v < NbVues; ++v) {
            const VueGraphe& vue = Etude.Vues[v];
            if (vue.Presente && VueCoupleVitesse(vue) && LoiDeVue(vue))
                l = PointsFonctionnement(f, l, v);
        }
        for (int v = 0; v < NbVues; ++v) {
            const VueGraphe& vue = Etude.Vues[v];
            if (vue.Presente && VueTemporelle(vue)) l = MesuresReponse(f, l, v);
        }
        return true;
    }

    int PointsFonctionnement(lxw_worksheet* f, int l, int v) {
        Chaine(f, l++, 0, Texte(TextePointsFonctionnement) + " — " + NomVue(v + 1), gras_);
        const std::vector<PointVue> points = PointsDeFonctionnement(Etude.Vues[v]);
        if (points.empty()) {
            Chaine(f, l++, 0, Texte(TextePasDePoint));
            return l + 1;
        }
        Entete(f, l);
        Chaine(f, l, 0, std::string(Textes.MotEssai), entete_);
        for (int q : {GVitesse, GCouple, GPuissanceMeca}) Chaine(f, l, q, Titre(q), entete_);
        ++l;
        for (const PointVue& p : points) {
            Chaine(f, l, 0, NomEssai(p.essai));
            Nombre(f, l, 1, p.point.n, Etude.Grandeurs[GVitesse].Decimales);
            Nombre(f, l, 2, p.point.T, Etude.Grandeurs[GCouple].Decimales);
            Nombre(f, l, 3, p.point.P, Etude.Grandeurs[GPuissanceMeca].Decimales);
            Chaine(f, l++, 4, Texte(p.point.stable ? TexteStable : TexteInstable));
        }
        return l + 1;
    }

    // The step of each trial in the view's vertical quantity against time;
    // only the trials where a step could be measured at all.
    int MesuresReponse(lxw_worksheet* f, int l, int v) {
        const int q = Borner(Etude.Vues[v].GrandeurY, NbGrandeurs);
        const int d = std::max(Etude.Grandeurs[q].Decimales, 0);
        bool entete = false;
        for (int k = 1; k <= nbEssais_; ++k) {
            const struct MesuresReponse m = MesurerEssai(k, q);
            if (!m.finale) continue;
            if (!entete) {
                Chaine(f, l++, 0,
                       Texte(TexteMesuresReponse) + " — " + NomVue(v + 1) + " — " +
                           DepuisCp1252(Etude.Grandeurs[q].Nom.Lire()),
                       gras_);
                const std::string u = DepuisCp1252(Etude.Grandeurs[q].Unite.Lire());
                const std::string s = DepuisCp1252(Etude.Grandeurs[GTempsCapture].Unite.Lire());
                const std::string unites[7] = {u, u, s, s, s, "%", s};
                Entete(f, l);
                Chaine(f, l, 0, std::string(Textes.MotEssai), entete_);
                for (int i = 0; i < 7; ++i)
                    Chaine(f, l, i + 1, AvecUnite(Texte(TexteValeurInitiale + i), unites[i]),
                           entete_);
                ++l;
                entete = true;
            }
            Chaine(f, l, 0, NomEssai(k));
            Mesure(f, l, 1, m.initiale, d);
            Mesure(f, l, 2, m.finale, d);
            Mesure(f, l, 3, m.debut, 3);
            Mesure(f, l, 4, m.montee, 3);
            Mesure(f, l, 5, m.constante, 3);
            Mesure(f, l, 6, m.depassement, 1);
            Mesure(f, l++, 7, m.etablissement, 3);
        }
        return entete ? l + 1 : l;
    }

    lxw_workbook* classeur_;
    lxw_format *gras_ = nullptr, *entete_ = nullptr;
    lxw_format* formats_[DecimalesMax + 1] = {};
    int nbEssais_ = 0;
};

// A file of the system's temporary folder (of `repli` when there is none),
// removed with the object.
class FichierTemporaire {
public:
    explicit FichierTemporaire(const std::filesystem::path& repli) {
        std::error_code ec;
        std::filesystem::path dossier = std::filesystem::temp_directory_path(ec);
        if (ec) dossier = repli.empty() ? "." : repli;
        std::string modele = (dossier / ".orvane-classeur-XXXXXX").string();
        const int fd = ::mkstemp(modele.data());
        if (fd >= 0) {
            ::close(fd);
            chemin = modele;
        }
    }
    ~FichierTemporaire() {
        if (!chemin.empty()) ::unlink(chemin.c_str());
    }
    FichierTemporaire(const FichierTemporaire&) = delete;
    FichierTemporaire& operator=(const FichierTemporaire&) = delete;
    std::string chemin;
};

}  // namespace

bool EcrireClasseur(const std::string& chemin, std::string* raison) {
    auto echec = [&](const std::string& r) {
        if (raison) *raison = r;
        return false;
    };
    // The library writes only to a named file: the workbook is made in the
    // temporary folder, then put in place as a whole.
    FichierTemporaire aside(std::filesystem::path(chemin).parent_path());
    if (aside.chemin.empty()) return echec("no temporary file");
    lxw_workbook* classeur = workbook_new(aside.chemin.c_str());
    if (!classeur) return echec("no workbook");
    if (!Redacteur(classeur).Ecrire()) {
        lxw_workbook_free(classeur);
        return echec("the workbook could not be laid out");
    }
    const lxw_error e = workbook_close(classeur);
    if (e != LXW_NO_ERROR) return echec(lxw_strerror(e));
    std::error_code ec;
    const auto taille = static_cast<size_t>(std::filesystem::file_size(aside.chemin, ec));
    std::vector<uint8_t> octets;
    if (ec || !LireFichier(aside.chemin, taille, octets) || octets.size() != taille)
        return echec("the workbook could not be read back");
    return EcrireFichierEntier(chemin, octets.data(), octets.size(), raison);
}

}  // namespace orvane
