#include "graph/Vue.h"

#include <algorithm>
#include <limits>

#include "study/Cp1252.h"
#include "study/Study.h"

namespace orvane {

namespace {
constexpr TCouleur Blanc = 0x00FFFFFF, Noir = 0x00000000, Rouge = 0x000000FF, Marine = 0x00800000,
                   Vert = 0x00008000, Bordeaux = 0x00000080, Gris = 0x00808080, Aqua = 0x00FFFF00,
                   Jaune = 0x0000FFFF, Argent = 0x00C0C0C0, CitronVert = 0x0000FF00;

void ConfigurerAxe(TaxeC& c, int q) {
    const DescGrandeur& d = Etude.Grandeurs[q];
    c.Nom = DepuisCp1252(d.Symbole.Lire());
    c.Unite = DepuisCp1252(d.Unite.Lire());
    c.Exposant = d.Exposant;
    c.Decimales = d.Decimales;
}
}  // namespace

const TCouleur TablePalettes[NbPalettes + 1][7] = {
    {},
    {Blanc, Noir, Rouge, Marine, Vert, Bordeaux, Gris},
    {Aqua, Noir, Rouge, Marine, Vert, Bordeaux, Gris},
    {Jaune, Noir, Rouge, Marine, Vert, Bordeaux, Gris},
    {Argent, Noir, Rouge, Marine, Vert, Bordeaux, Gris},
    {Bordeaux, Blanc, Rouge, Aqua, CitronVert, Jaune, Argent},
    {Vert, Blanc, Rouge, Aqua, CitronVert, Jaune, Argent},
    {Marine, Blanc, Rouge, Aqua, CitronVert, Jaune, Argent},
    {Noir, Blanc, Rouge, Aqua, CitronVert, Jaune, Argent},
};

void AppliquerPalette(TGraphe& g, int ligne) {
    ligne = std::clamp(ligne, 1, NbPalettes);
    g.Fond = TablePalettes[ligne][0];
    for (int i = 0; i < 6; ++i) g.Palette[i] = TablePalettes[ligne][i + 1];
}

VueBornee BornerVue(const VueGraphe& v) {
    return {Borner(v.GrandeurX, NbGrandeurs), Borner(v.ZoomX, NbZooms),
            Borner(v.GrandeurY, NbGrandeurs), Borner(v.ZoomY, NbZooms), Borner(v.Quadrant, 9)};
}

void ConfigurerAxes(const VueGraphe& vue, TaxeC& x, TaxeC& y) {
    const VueBornee v = BornerVue(vue);
    ConfigurerAxe(x, v.qX);
    ConfigurerAxe(y, v.qY);
    const int32_t ex =
        VersInt32(int64_t{Etude.Grandeurs[v.qX].PleineEchelle} * 50 / TableZoom[v.zX]);
    const int32_t ey =
        VersInt32(int64_t{Etude.Grandeurs[v.qY].PleineEchelle} * 50 / TableZoom[v.zY]);
    // Which signs of each axis the quadrant choice shows: -1 negative side
    // only, 0 both, 1 positive side only.
    static const int cotes[9][2] = {{0, 0},   {1, 1},  {1, 0},  {1, -1}, {0, -1},
                                    {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}};
    const int cx = cotes[v.quadrant][0], cy = cotes[v.quadrant][1];
    x.Min = cx > 0 ? 0 : VersInt32(-int64_t{ex});
    x.Max = cx < 0 ? 0 : ex;
    y.Min = cy > 0 ? 0 : VersInt32(-int64_t{ey});
    y.Max = cy < 0 ? 0 : ey;
}

void ChargerCourbe(TCourbeGraphe& c, int k, int qX, int qY) {
    k = std::clamp(k, 0, NbRecords - 1);
    qX = Borner(qX, NbGrandeurs);
    qY = Borner(qY, NbGrandeurs);
    const Caracteristique& car = Caracts[k];
    c.Dernier = std::clamp(car.Dernier(), -1, DernierPointMax);
    c.DernierTrace = c.Dernier;
    c.PremierTrace = 0;
    c.Marque = k;
    c.Couleur = k;
    c.Lissage = AcquisitionEnCours != 0 ? -1 : Etude.Lissage;
    c.StyleTrait = 0;
    c.Remplissage = 3;
    std::copy(std::begin(car.Valeurs[qX]), std::end(car.Valeurs[qX]), c.X);
    std::copy(std::begin(car.Valeurs[qY]), std::end(car.Valeurs[qY]), c.Y);
}

void DessinerVue(TGraphe& g, TCourbeGraphe& courbe, int vue) {
    const VueGraphe& slot = Etude.Vues[std::clamp(vue, 1, NbVues) - 1];
    ConfigurerAxes(slot, g.ConfigX, g.ConfigY);
    initgraphe(g);
    traceaxes(g);
    const VueBornee v = BornerVue(slot);
    for (int k = 1; k <= NbCaractMax; ++k) {
        if (Caracts[k].Dernier() < 0) continue;
        ChargerCourbe(courbe, k, v.qX, v.qY);
        tracecourbegraphe(g, courbe);
    }
}

}  // namespace orvane
