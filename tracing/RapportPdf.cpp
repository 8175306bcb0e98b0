#include "tracing/RapportPdf.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "graph/Graphe.h"
#include "graph/Lectures.h"
#include "graph/Vue.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/PointFonctionnement.h"
#include "study/Reponse.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString DeLEtude(const std::string& cp1252) { return QString::fromStdString(DepuisCp1252(cp1252)); }
QString TexteNo(int n) { return Utf8(Textes.Texte(n)); }
QString NomEssai(int k) { return Utf8(Textes.MotEssai) + QLatin1Char(' ') + QString::number(k); }
// The curve colour of trial k in the print scheme.
QColor CouleurEssai(int k) { return VersQColor(TablePalettes[1][std::clamp(k, 1, 5) + 1]); }

// Draws text with its top-left corner at (x, y), as the page layout places
// its texts.
void TexteEnHaut(QPainter& p, int x, int y, const QString& texte) {
    p.drawText(x, y + p.fontMetrics().ascent(), texte);
}

}  // namespace

// ---- the study's page ----

VuesMontrees VuesDeLEtude() {
    VuesMontrees m{};
    for (int k = 0; k < NbVues; ++k) m[k] = Etude.Vues[k].Presente && Etude.Vues[k].Affichee;
    return m;
}

int NombreVues(const VuesMontrees& montrees) {
    return static_cast<int>(std::count(montrees.begin(), montrees.end(), true));
}

std::array<QRect, 4> PositionsVues(int l, int t, int w, int h, int n) {
    const int w2 = w / 2, h2 = h / 2;
    switch (n) {
        case 1: return {QRect(l, t, w, h)};
        case 2: return {QRect(l, t, w2, h), QRect(l + w2, t, w2, h)};
        case 3: return {QRect(l, t, w2, h2), QRect(l, t + h2, w2, h2), QRect(l + w2, t, w2, h)};
        case 4:
            return {QRect(l, t, w2, h2), QRect(l, t + h2, w2, h2), QRect(l + w2, t, w2, h2),
                    QRect(l + w2, t + h2, w2, h2)};
        default: return {};
    }
}

MesuresPage MesurerPage(int largeurPage, int hauteurPage) {
    const int W = largeurPage * 28 / 30;
    return {W, W / 28, std::min(hauteurPage, W)};
}

void PreparerGrapheImpression(TGraphe& g, const QRect& r, int taillePolice) {
    g.Gauche = r.left();
    g.Haut = r.top();
    g.Droite = r.left() + r.width();
    g.Bas = r.top() + r.height();
    AppliquerPalette(g, 1);
    g.NomPolice = "arial";
    g.TaillePolice = taillePolice;
}

void DessinerVueImpression(QPainter& p, int vue, const QRect& place, int taillePolice) {
    TGraphe g;
    auto courbe = std::make_unique<TCourbeGraphe>();
    const SurfaceGraphe surface(g, p);
    PreparerGrapheImpression(g, place, taillePolice);
    DessinerVue(g, *courbe, vue);
}

void DessinerVuesDans(QPainter& p, const std::array<QRect, 4>& places, const VuesMontrees& montrees,
                      const DessinVue& dessin) {
    int j = 0;
    for (int k = 1; k <= NbVues; ++k) {
        if (!montrees[k - 1]) continue;
        const QRect place = places[j++];
        p.save();
        p.setClipRect(place);
        dessin(p, k, place);
        p.restore();
    }
}

void DessinerPageEtude(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                       const DessinVue& dessin) {
    const auto [W, M, H] = MesurerPage(largeur, hauteur);
    p.save();
    QFont police(QStringLiteral("Arial"), 12);
    police.setStyleHint(QFont::SansSerif);
    p.setFont(police);
    p.setPen(Qt::black);
    const QString titre = DeLEtude(Etude.Titre.Lire());
    const int hauteurTitre = p.fontMetrics().height();
    TexteEnHaut(p, (W - p.fontMetrics().horizontalAdvance(titre)) / 2, hauteurTitre, titre);

    police.setPointSize(9);
    p.setFont(police);
    const int nb = std::clamp(static_cast<int>(Etude.NbCaract), 0, NbCaractMax);
    for (int k = 1; k <= nb; ++k) {
        p.setPen(CouleurEssai(k));
        const int x = (k - 1) * W / 5 + M;
        TexteEnHaut(p, x, (H * 37 / 20) / 2, NomEssai(k));
        TexteEnHaut(p, x, H * 19 / 20, DeLEtude(Caracts[k].Entete.Commentaire.Lire()));
    }
    p.restore();

    const DessinVue propre = [](QPainter& q, int vue, const QRect& place) {
        DessinerVueImpression(q, vue, place, 8);
    };
    DessinerVuesDans(p, PositionsVues(M, H / 20, W, H * 17 / 20, NombreVues(montrees)), montrees,
                     dessin ? dessin : propre);
}

QPageLayout PageParDefaut() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

// ---- the lab report ----

namespace {

// One thing drawn on a page of the report: a text in its rectangle, or a
// filled rectangle (backgrounds and rules).
struct Trace {
    QRectF r;
    QColor couleur;
    QString texte;  // empty: a filled rectangle (an empty text draws nothing)
    QFont police;
    int alignement = 0;
};
using PageTraces = std::vector<Trace>;

// The pages after the first, laid out from the top of a zone of the given
// size in the device's pixels, one after the other.
class Mise {
public:
    Mise(const QPaintDevice* d, double largeur, double hauteur)
        : device_(d), largeur_(largeur), hauteur_(hauteur) {}

    double L() const { return largeur_; }
    double Y() const { return y_; }
    double Pt(double points) const { return points * device_->logicalDpiY() / 72.0; }
    double Ligne(const QFont& f) const { return QFontMetricsF(f, device_).height() * 1.25; }
    double Avance(const QFont& f, const QString& t) const {
        return QFontMetricsF(f, device_).horizontalAdvance(t);
    }
    QString Elide(const QFont& f, const QString& t, double largeur) const {
        return QFontMetricsF(f, device_).elidedText(t, Qt::ElideRight, largeur);
    }

    // A new page unless h fits below what the current one holds (a page
    // takes anything on its top); true when a page was started.
    bool Reserver(double h) {
        if (!pages.empty() && (y_ == 0 || y_ + h <= hauteur_)) return false;
        pages.emplace_back();
        y_ = 0;
        return true;
    }
    // A gap, none at the top of a page.
    void Sauter(double h) {
        if (y_ > 0) y_ += h;
    }
    void Avancer(double h) { y_ += h; }
    void Texte(const QRectF& r, const QString& t, const QFont& f, const QColor& c,
               int alignement = Qt::AlignLeft) {
        if (t.isEmpty()) return;
        pages.back().push_back({r, c, Elide(f, t, r.width()), f, alignement | Qt::AlignVCenter});
    }
    void Fond(const QRectF& r, const QColor& c) { pages.back().push_back({r, c, {}, {}, 0}); }

    std::vector<PageTraces> pages;

private:
    const QPaintDevice* device_;
    double largeur_, hauteur_;
    double y_ = 0;
};

const QColor GrisEntete(0xDD, 0xDD, 0xDD), GrisLigne(0xF2, 0xF2, 0xF2);

struct Styles {
    QFont titre, sousTitre, texte, gras;
};
Styles StylesRapport() {
    const auto police = [](double points, bool gras) {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(points);
        f.setStyleHint(QFont::SansSerif);
        f.setBold(gras);
        return f;
    };
    return {police(12, true), police(10, true), police(9, false), police(9, true)};
}

// A heading with a rule under it in its colour.
void Titre(Mise& m, const QString& texte, const QFont& f, const QColor& couleur) {
    const double h = m.Ligne(f);
    m.Texte(QRectF(0, m.Y(), m.L(), h), texte, f, couleur);
    m.Fond(QRectF(0, m.Y() + h - m.Pt(1.5), m.L(), m.Pt(0.8)), couleur);
    m.Avancer(h + m.Pt(3));
}

// A trial's block of the copied values: the symbols, the units, the points.
struct BlocValeurs {
    QStringList symboles, unites;
    std::vector<QStringList> lignes;
};
BlocValeurs LireBloc(int k) {
    QStringList l = DeLEtude(TexteValeurs(k)).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.back().isEmpty()) l.removeLast();
    BlocValeurs b;
    if (l.size() >= 2) b.symboles = l[0].split(u'\t'), b.unites = l[1].split(u'\t');
    for (qsizetype i = 2; i < l.size(); ++i) b.lignes.push_back(l[i].split(u'\t'));
    return b;
}

// The values tables' columns, the same for every trial; the font shrinks
// until they fit across the page.
struct Colonnes {
    QFont police, gras;
    std::vector<double> largeurs;
    double hauteur = 0, marge = 0;
};
Colonnes MesurerColonnes(const Mise& m, const std::vector<BlocValeurs>& blocs) {
    for (double taille = 8;; taille -= 0.5) {
        Colonnes c;
        c.police.setFamily(QStringLiteral("Arial"));
        c.police.setStyleHint(QFont::SansSerif);
        c.police.setPointSizeF(taille);
        c.gras = c.police;
        c.gras.setBold(true);
        c.hauteur = m.Ligne(c.police) * 1.1;
        c.marge = m.Pt(2.5);
        const auto elargir = [&](const QStringList& cellules, const QFont& f) {
            if (c.largeurs.size() < static_cast<size_t>(cellules.size()))
                c.largeurs.resize(static_cast<size_t>(cellules.size()), 0);
            for (qsizetype i = 0; i < cellules.size(); ++i)
                c.largeurs[static_cast<size_t>(i)] = std::max(
                    c.largeurs[static_cast<size_t>(i)], m.Avance(f, cellules[i]) + 2 * c.marge);
        };
        for (const BlocValeurs& b : blocs) {
            elargir(b.symboles, c.gras), elargir(b.unites, c.gras);
            for (const QStringList& l : b.lignes) elargir(l, c.police);
        }
        if (c.largeurs.empty()) return c;
        double total = 0;
        for (double w : c.largeurs) total += w;
        if (total > m.L() && taille > 4) continue;
        // What is left spread over the columns.
        const double reste = std::max(0.0, m.L() - total) / static_cast<double>(c.largeurs.size());
        for (double& w : c.largeurs) w += reste;
        return c;
    }
}

void LigneTableau(Mise& m, const Colonnes& c, const QStringList& cellules, const QFont& f) {
    double x = 0;
    for (qsizetype i = 0; i < cellules.size() && static_cast<size_t>(i) < c.largeurs.size(); ++i) {
        const double w = c.largeurs[static_cast<size_t>(i)];
        m.Texte(QRectF(x + c.marge, m.Y(), w - 2 * c.marge, c.hauteur), cellules[i], f, Qt::black,
                Qt::AlignRight);
        x += w;
    }
    m.Avancer(c.hauteur);
}

// The two header rows; on a page that goes on with a trial, its name first.
void EnteteTableau(Mise& m, const Colonnes& c, const BlocValeurs& b, int k, bool suite,
                   const Styles& s) {
    if (suite) {
        const double h = m.Ligne(s.gras);
        m.Texte(QRectF(0, m.Y(), m.L(), h), NomEssai(k), s.gras, CouleurEssai(k));
        m.Avancer(h);
    }
    m.Fond(QRectF(0, m.Y(), m.L(), 2 * c.hauteur), GrisEntete);
    LigneTableau(m, c, b.symboles, c.gras);
    LigneTableau(m, c, b.unites, c.gras);
}

QString TitreTable(std::string_view t) {
    const QString titre = Utf8(t).trimmed();
    return titre.isEmpty() ? QStringLiteral("—") : titre;
}

void SectionEssai(Mise& m, int k, const BlocValeurs& b, const Colonnes& c, const Styles& s) {
    const EnteteCaract& e = Caracts[k].Entete;
    const QString infos[3][2] = {
        {TexteNo(TexteRapportCommentaire), DeLEtude(e.Commentaire.Lire())},
        {TexteNo(TexteRapportMachine),
         TitreTable(
             Textes.TitreMachine[static_cast<size_t>(Borner(e[MotTypeMachine], NbNomMachine))])},
        {TexteNo(TexteRapportCharge),
         TitreTable(
             Textes.TitreCharge[static_cast<size_t>(Borner(e[MotTypeCaract], NbTypeCaract))])},
    };
    const double hTitre = m.Ligne(s.titre) + m.Pt(3), hTexte = m.Ligne(s.texte);
    const double hTable = b.lignes.empty() ? 0 : m.Pt(4) + 3 * c.hauteur;
    m.Reserver(m.Pt(14) + hTitre + 3 * hTexte + hTable);
    m.Sauter(m.Pt(14));
    Titre(m, NomEssai(k), s.titre, CouleurEssai(k));
    double colonne = 0;
    for (const auto& info : infos) colonne = std::max(colonne, m.Avance(s.gras, info[0]));
    colonne += m.Pt(10);
    for (const auto& info : infos) {
        m.Texte(QRectF(0, m.Y(), colonne, hTexte), info[0], s.gras, Qt::black);
        m.Texte(QRectF(colonne, m.Y(), m.L() - colonne, hTexte), info[1], s.texte, Qt::black);
        m.Avancer(hTexte);
    }
    if (b.lignes.empty()) return;
    m.Sauter(m.Pt(4));
    EnteteTableau(m, c, b, k, false, s);
    for (size_t i = 0; i < b.lignes.size(); ++i) {
        if (m.Reserver(c.hauteur)) EnteteTableau(m, c, b, k, true, s);
        if (i % 2) m.Fond(QRectF(0, m.Y(), m.L(), c.hauteur), GrisLigne);
        LigneTableau(m, c, b.lignes[i], c.police);
    }
}

QString Unite(int q) { return DeLEtude(Etude.Grandeurs[q].Unite.Lire()); }
QString Symbole(int q) { return DeLEtude(Etude.Grandeurs[std::clamp(q, 0, 11)].Symbole.Lire()); }

// The law of a view as the load trials name theirs.
QString TitreLoi(const VueGraphe& v) {
    const std::optional<LoiVue> lue = LireLoiVue(v);
    if (!lue) return {};
    if (lue->essaiCharge > 0 && lue->essaiCharge <= NbCaractMax)
        return NomEssai(lue->essaiCharge) + QStringLiteral(" : ") +
               TitreTable(Textes.TitreCharge[static_cast<size_t>(
                   Borner(Caracts[lue->essaiCharge].Entete[MotTypeCaract], NbTypeCaract))]);
    // The static load types of each kind of law.
    constexpr int types[] = {0, 6, 7, 8, 9, 15};
    const int genre = std::clamp(static_cast<int>(lue->loi.Genre), 0, 5);
    return TitreTable(Textes.TitreCharge[static_cast<size_t>(types[genre])]);
}

void SectionPoints(Mise& m, const Styles& s) {
    std::vector<int> vues;
    for (int v = 0; v < NbVues; ++v)
        if (Etude.Vues[v].Presente && VueCoupleVitesse(Etude.Vues[v]) && LoiDeVue(Etude.Vues[v]))
            vues.push_back(v);
    if (vues.empty()) return;
    const double hTexte = m.Ligne(s.texte), hSous = m.Ligne(s.sousTitre);
    m.Reserver(m.Pt(18) + m.Ligne(s.titre) + hSous + hTexte);
    m.Sauter(m.Pt(18));
    Titre(m, TexteNo(TextePointsFonctionnement), s.titre, Qt::black);
    double colonne = 0;
    for (int k = 1; k <= NbCaractMax; ++k)
        colonne = std::max(colonne, m.Avance(s.gras, NomEssai(k)));
    colonne += m.Pt(10);
    for (int v : vues) {
        const VueGraphe& vue = Etude.Vues[v];
        const std::vector<PointVue> points = PointsDeFonctionnement(vue);
        m.Reserver(m.Pt(6) + hSous + hTexte);
        m.Sauter(m.Pt(6));
        m.Texte(QRectF(0, m.Y(), m.L(), hSous),
                QStringLiteral("%1 = f(%2) — %3").arg(Symbole(2), Symbole(1), TitreLoi(vue)),
                s.sousTitre, Qt::black);
        m.Avancer(hSous);
        if (points.empty()) {
            m.Texte(QRectF(colonne, m.Y(), m.L() - colonne, hTexte), TexteNo(TextePasDePoint),
                    s.texte, Qt::black);
            m.Avancer(hTexte);
        }
        for (const PointVue& pv : points) {
            QStringList lignes;
            for (const std::string& l : TextesPoint(pv)) lignes << QString::fromStdString(l);
            m.Reserver(hTexte * static_cast<double>(lignes.size()));
            m.Texte(QRectF(0, m.Y(), colonne, hTexte), NomEssai(pv.essai), s.gras,
                    CouleurEssai(pv.essai));
            for (const QString& l : lignes) {
                m.Texte(QRectF(colonne, m.Y(), m.L() - colonne, hTexte), l, s.texte, Qt::black);
                m.Avancer(hTexte);
            }
        }
    }
}

void SectionMesures(Mise& m, const Styles& s) {
    // The vertical quantity of each present time view (once each) and the
    // trials whose samples give at least a final value.
    struct Table {
        int q;
        std::vector<std::pair<int, QStringList>> essais;
    };
    std::vector<Table> tables;
    for (int v = 0; v < NbVues; ++v) {
        const VueGraphe& vue = Etude.Vues[v];
        const int q = vue.GrandeurY;
        if (!vue.Presente || !VueTemporelle(vue) || q < 1 || q >= GTemps ||
            std::any_of(tables.begin(), tables.end(), [q](const Table& t) { return t.q == q; }))
            continue;
        Table t{q, {}};
        for (int k = 1; k <= std::min<int>(Etude.NbCaract, NbCaractMax); ++k) {
            if (Caracts[k].Dernier() < 0) continue;
            const MesuresReponse r = MesurerEssai(k, q);
            if (!r.finale) continue;
            QStringList textes;
            for (const std::string& texte : TextesMesures(r, q))
                textes << QString::fromStdString(texte);
            t.essais.push_back({k, textes});
        }
        if (!t.essais.empty()) tables.push_back(std::move(t));
    }
    if (tables.empty()) return;
    const double hTexte = m.Ligne(s.texte) * 1.1, hSous = m.Ligne(s.sousTitre);
    m.Reserver(m.Pt(18) + m.Ligne(s.titre) + hSous + 8 * hTexte);
    m.Sauter(m.Pt(18));
    Titre(m, TexteNo(TexteMesuresReponse), s.titre, Qt::black);
    const double marge = m.Pt(2.5);
    for (const Table& t : tables) {
        m.Reserver(m.Pt(6) + hSous + 8 * hTexte);
        m.Sauter(m.Pt(6));
        const QString unite = Unite(t.q);
        m.Texte(QRectF(0, m.Y(), m.L(), hSous),
                DeLEtude(Etude.Grandeurs[t.q].Nom.Lire()) +
                    (unite.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unite)),
                s.sousTitre, Qt::black);
        m.Avancer(hSous);
        // The measurements' names, then a column per trial.
        std::vector<double> largeurs(t.essais.size(), 0);
        for (size_t j = 0; j < t.essais.size(); ++j) {
            largeurs[j] = m.Avance(s.gras, NomEssai(t.essais[j].first));
            for (const QString& v : t.essais[j].second)
                largeurs[j] = std::max(largeurs[j], m.Avance(s.texte, v));
            largeurs[j] += 2 * marge + m.Pt(8);
        }
        double noms = 0;
        for (int i = 0; i < 7; ++i)
            noms = std::max(noms, m.Avance(s.texte, TexteNo(TexteValeurInitiale + i)));
        double reste = m.L();
        for (double w : largeurs) reste -= w;
        noms = std::min(noms + 2 * marge, std::max(reste, m.L() / 4));
        m.Fond(QRectF(0, m.Y(), m.L(), hTexte), GrisEntete);
        double x = noms;
        for (size_t j = 0; j < t.essais.size(); ++j) {
            m.Texte(QRectF(x + marge, m.Y(), largeurs[j] - 2 * marge, hTexte),
                    NomEssai(t.essais[j].first), s.gras, CouleurEssai(t.essais[j].first),
                    Qt::AlignRight);
            x += largeurs[j];
        }
        m.Avancer(hTexte);
        for (int i = 0; i < 7; ++i) {
            if (i % 2) m.Fond(QRectF(0, m.Y(), m.L(), hTexte), GrisLigne);
            m.Texte(QRectF(marge, m.Y(), noms - 2 * marge, hTexte),
                    TexteNo(TexteValeurInitiale + i), s.texte, Qt::black);
            x = noms;
            for (size_t j = 0; j < t.essais.size(); ++j) {
                m.Texte(QRectF(x + marge, m.Y(), largeurs[j] - 2 * marge, hTexte),
                        t.essais[j].second[i], s.texte, Qt::black, Qt::AlignRight);
                x += largeurs[j];
            }
            m.Avancer(hTexte);
        }
    }
}

// Lays out the pages after the first.
void Disposer(Mise& m) {
    const Styles s = StylesRapport();
    const int nb = std::clamp(static_cast<int>(Etude.NbCaract), 0, NbCaractMax);
    if (nb == 0) {
        m.Reserver(m.Ligne(s.titre));
        Titre(m, TexteNo(TexteAucunEssai), s.titre, Qt::black);
        return;
    }
    std::vector<BlocValeurs> blocs;
    for (int k = 1; k <= nb; ++k) blocs.push_back(LireBloc(k));
    const Colonnes colonnes = MesurerColonnes(m, blocs);
    for (int k = 1; k <= nb; ++k)
        SectionEssai(m, k, blocs[static_cast<size_t>(k - 1)], colonnes, s);
    SectionPoints(m, s);
    SectionMesures(m, s);
}

void DessinerTraces(QPainter& p, const PageTraces& traces) {
    for (const Trace& t : traces) {
        if (t.texte.isEmpty()) {
            p.fillRect(t.r, t.couleur);
            continue;
        }
        p.setFont(t.police);
        p.setPen(t.couleur);
        p.drawText(t.r, t.alignement, t.texte);
    }
}

// The footer at the bottom of the drawable page: a rule, then the study
// title on the left, the date in the middle, "page n / total" on the right.
void DessinerPied(QPainter& p, const QRectF& zone, double hauteur, const QString& date, int n,
                  int total) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8);
    f.setStyleHint(QFont::SansSerif);
    p.save();
    p.setFont(f);
    p.setPen(Qt::black);
    const QFontMetricsF fm(f, p.device());
    const QRectF ligne(zone.left(), zone.bottom() - fm.height(), zone.width(), fm.height());
    p.fillRect(QRectF(zone.left(), zone.bottom() - hauteur, zone.width(), fm.height() / 12),
               Qt::gray);
    const QString page = TexteNo(TextePageSur).arg(n).arg(total);
    const double centre = std::max(fm.horizontalAdvance(date), fm.horizontalAdvance(page));
    const QString titre = fm.elidedText(DeLEtude(Etude.Titre.Lire()), Qt::ElideRight,
                                        zone.width() / 2 - centre / 2 - fm.height());
    p.drawText(ligne, Qt::AlignLeft | Qt::AlignVCenter, titre);
    p.drawText(ligne, Qt::AlignHCenter | Qt::AlignVCenter, date);
    p.drawText(ligne, Qt::AlignRight | Qt::AlignVCenter, page);
    p.restore();
}

}  // namespace

QByteArray CompteRenduPdf(const CompteRendu& c) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&tampon);
    pdf.setResolution(300);
    pdf.setPageLayout(c.page.isValid() ? c.page : PageParDefaut());
    pdf.setTitle(DeLEtude(Etude.Titre.Lire()));
    pdf.setCreator(QStringLiteral("Orvane"));
    const QDate jour = c.date.isValid() ? c.date : QDate::currentDate();
    const QString date =
        jour.toString(ConfigGenerale.Langue == LangueAnglais ? QStringLiteral("yyyy-MM-dd")
                                                             : QStringLiteral("dd/MM/yyyy"));

    // Laid out first, so that every footer knows the number of pages.
    QFont policePied(QStringLiteral("Arial"));
    policePied.setPointSizeF(8);
    const double pied = QFontMetricsF(policePied, &pdf).height() * 2.2;
    const QRectF zone(0, 0, pdf.width(), pdf.height());
    Mise mise(&pdf, zone.width(), zone.height() - pied);
    Disposer(mise);
    const int total = 1 + static_cast<int>(mise.pages.size());

    QPainter p;
    if (!p.begin(&pdf)) return {};
    DessinerPageEtude(p, pdf.width(), static_cast<int>(zone.height() - pied), c.vues, c.dessin);
    DessinerPied(p, zone, pied, date, 1, total);
    for (size_t i = 0; i < mise.pages.size(); ++i) {
        if (!pdf.newPage()) {
            p.end();
            return {};
        }
        DessinerTraces(p, mise.pages[i]);
        DessinerPied(p, zone, pied, date, static_cast<int>(i) + 2, total);
    }
    if (!p.end()) return {};
    return octets;
}

bool EcrireCompteRendu(const QString& chemin, const CompteRendu& c, QString* raison) {
    const QByteArray octets = CompteRenduPdf(c);
    if (octets.isEmpty()) {
        if (raison) *raison = QStringLiteral("the PDF document could not be drawn");
        return false;
    }
    std::string pourquoi;
    if (!EcrireFichierEntier(QFile::encodeName(chemin).toStdString(), octets.constData(),
                             static_cast<size_t>(octets.size()), &pourquoi)) {
        if (raison) *raison = QString::fromLocal8Bit(pourquoi.c_str());
        return false;
    }
    return true;
}

}  // namespace orvane
