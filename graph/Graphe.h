// The plotting component: a plain record and free routines that lay a plot
// out in a rectangle of any drawing surface, draw its axes, curves, markers
// and an XOR cursor.
//
// The surface is a QPainter active on any QPaintDevice (a QImage back buffer
// for the screen, a printer, a PDF or SVG generator): one code path for all.
// Lengths that must look alike on every device come from the device's
// horizontal resolution. The XOR cursor needs a raster surface (QImage).
#pragma once

#include <QRect>
#include <cstdint>
#include <string>

#include "graph/Echelle.h"
#include "study/Records.h"

class QPainter;
class QColor;

namespace orvane {

// Colours are 0x00BBGGRR (red in the low byte).
using TCouleur = uint32_t;
QColor VersQColor(TCouleur c);

// The XOR cursor drawn over a plot.
struct TCurseur {
    QPainter* Surface = nullptr;
    bool Trace = false;  // its image is on the surface now
    bool Actif = false;  // enabled
    int32_t Genre = 0;   // 0 dot, 1 cross-hair, negative: never drawn
    int32_t X = 0;
    int32_t Y = 0;
    QRect Cadre;              // the plot rectangle
    TCouleur CouleurXor = 0;  // background xor the cursor's palette colour
    int32_t StylePlume = 0;
};

// One plot. Zero-initialised: not ready, automatic font size, cursor kind 0.
struct TGraphe {
    TEchelleAxe X;
    TEchelleAxe Y;
    bool Pret = false;
    TCurseur Curseur;
    int64_t CurseurX = 0;  // cursor position in counts
    int64_t CurseurY = 0;
    int32_t TaillePolice = 0;     // points; <= 1: automatic, the layout stores the computed size
    QPainter* Surface = nullptr;  // not owned; lent by a SurfaceGraphe
    int32_t Gauche = 0, Haut = 0, Droite = 0, Bas = 0;
    TaxeC ConfigX;
    TaxeC ConfigY;
    std::string NomPolice = "arial";
    TCouleur Fond = 0x00FFFFFF;
    TCouleur Palette[6] = {};  // 0 axes and texts, 1..5 curves of characteristics 1..5
    int32_t GenreCurseur = 0;
    int32_t CouleurCurseur = 0;
};

// Lends a painter to a graph for one drawing (a screen update, a copy, a
// print): the graph and its cursor draw on it while the object lives and
// hold no pointer to it afterwards. Declare it after the painter, so that it
// ends first. The cursor's image state is kept: on a back buffer the image
// stays there for the next painter to take off.
class SurfaceGraphe {
public:
    SurfaceGraphe(TGraphe& g, QPainter& p);
    ~SurfaceGraphe();
    SurfaceGraphe(const SurfaceGraphe&) = delete;
    SurfaceGraphe& operator=(const SurfaceGraphe&) = delete;

private:
    TGraphe& g_;
};

// One curve: a characteristic seen through two quantities.
struct TCourbeGraphe {
    int32_t Dernier = -1;  // last point, -1 = none
    int32_t PremierTrace = 0;
    int32_t DernierTrace = -1;
    int32_t Marque = -1;         // 1 plus, 2 cross, 3 square, 4 diamond, 5 triangle; < 0 none
    int32_t Lissage = -1;        // line mode -1..5
    int32_t Couleur = 0;         // palette index
    int32_t StyleTrait = 0;      // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    int32_t Epaisseur = 0;       // pen width in steps of 0.3 mm (at least 1 pixel)
    int32_t Remplissage = 0;     // fill of closed markers 0..7
    int32_t X[NbElements] = {};  // element 0 unused, point p is element p + 1
    int32_t Y[NbElements] = {};
};

// Resolution of the surface (its horizontal logical dpi; 96 without a
// surface), from which every length in millimetres is converted.
int32_t DpiSurface(const TGraphe& g);

// Layout in the rectangle; the graph stays not ready (and draws nothing)
// without an active surface or with a side of 100 pixels or less.
void initgraphe(TGraphe& g);
void effacegraphe(TGraphe& g);
void traceaxes(TGraphe& g);
int32_t pixelx(const TGraphe& g, int64_t v);
int32_t pixely(const TGraphe& g, int64_t v);

// Markers and line of a curve; hides the cursor before and puts it back
// after. Pixels are clamped to +-LimitePixel.
void tracecourbegraphe(TGraphe& g, const TCourbeGraphe& c);
// Lets go of what is kept of the last curves drawn (their pixels and
// lines, made again when next drawn).
void oublielignes();
// The marker of point p alone; the caller hides and re-places the cursor.
void tracepointcourbe(TGraphe& g, int p, const TCourbeGraphe& c);
// Nearest point of the drawn range; -1 for an empty curve or a graph not
// laid out.
int pointproche(const TGraphe& g, int x, int y, const TCourbeGraphe& c);

// The cursor is drawn only on surfaces that can XOR (QImage); elsewhere it
// is silently left out. choixcurseur hides it, takes the graph's surface
// and rectangle, and keeps kind and colour index in the record for the
// next layout.
void choixcurseur(TGraphe& g, int32_t genre, int32_t indicePalette);
// Enables the cursor and places it on the value (X, Y) in counts.
void curseurvaleur(TGraphe& g, int64_t x, int64_t y);
// Places it again on the stored value, in the current layout.
void retracecurseur(TGraphe& g);
void masquecurseur(TGraphe& g);
void eteintcurseur(TGraphe& g);

}  // namespace orvane
