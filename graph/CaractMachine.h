// The plot frame: one graph view of the study with its zoom bars, the
// read-outs of the current point, mouse selection and a pop-up menu.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QStringList>
#include <memory>
#include <vector>

#include "graph/Graphe.h"
#include "graph/Lectures.h"

class QAction;
class QMenu;
class QPushButton;
class QSlider;
class QToolButton;

namespace orvane {

// What the frame asks of the tracing window. The frame knows no dialog: the
// window opens them.
class ITraceCaract {
public:
    virtual ~ITraceCaract() = default;
    virtual void curseur() = 0;  // cursors and value boxes of every frame
    virtual void Action() = 0;   // full refresh
    virtual void SupprimePoint() = 0;
    virtual void SupprimeTousPoints() = 0;
    virtual void Nouvellecourbe1Click() = 0;
    // The new-characteristic dialog, modal, changing view `vue` (1..4): its
    // modification mode (mode 1). Returns once the dialog is closed.
    virtual void NouvelCaractVue(int vue) = 0;
    // The load line dialog of view `vue` (1..4), modal; the step
    // measurements of its trials. Each returns once its dialog is closed.
    virtual void DroiteDeCharge(int vue) = 0;
    virtual void MesuresReponseVue(int vue) = 0;
};

// The tracing window, once it exists.
extern ITraceCaract* FenetreTrace;

class TCaractMachine;

// The name of a quantity over its column of the frame's band: cut with "…"
// when the column is narrower than the name, the whole name then heading the
// hint.
class TNomColonne : public QLabel {
public:
    using QLabel::QLabel;
    void DefinirNom(const QString& nom);
    void DefinirBulle(const QString& bulle);
    // The whole name is wished for, a few letters are enough.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Ajuster();
    QString nom_;
    QString bulle_;
};

// The drawing area: shows a back buffer that the frame draws into.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(TCaractMachine* cadre);
    QImage Tampon;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void contextMenuEvent(QContextMenuEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    TCaractMachine* cadre_;
};

class TCaractMachine : public QFrame {
    Q_OBJECT
public:
    explicit TCaractMachine(QWidget* parent = nullptr);
    ~TCaractMachine() override;

    int NumeroVue = 1;  // the view slot shown, 1..4

    TGraphe GrapheEcran;
    TGraphe GrapheCopie;       // set up by whoever copies
    TGraphe GrapheImpression;  // set up by whoever prints
    TCourbeGraphe& Courbe() { return *courbe_; }

    // ---- controls ----
    QFrame* Panel1;
    QFrame* Panel2;
    QFrame* Panel3;
    QFrame* Panel4;
    QFrame* Panel5;
    TNomColonne* TextVariableY;
    QLabel* TextValeurY;
    TNomColonne* TextVariableX;
    QLabel* TextValeurX;
    QPushButton* ButtonCaract;
    QLabel* TextCaract;
    QFrame* PanelAscenseurY;
    QSlider* ZoomY;
    QFrame* PanelAscenseurX;
    QFrame* PanelBoutonAuto;
    QToolButton* ButtonAuto;
    QSlider* ZoomX;
    TPaintBox* PaintBox1;
    QMenu* PopupMenu1;
    QAction* Suppressiondupoint1;
    QAction* Suppressiondetouslespoints1;
    QAction* Nouvelessai1;
    QAction* Modificationdelacarcateristique1;
    QAction* Copierlacaracteristique1;
    QAction* CopierlesvaleursSel;
    QAction* AjusterPoints1;
    QAction* DroiteCharge1;
    QAction* Curseurs1;  // checkable: the two time cursors
    QAction* MesuresReponse1;

    // ---- over the view: the load line, its operating points, the cursors ----
    // The operating points found at the last whole drawing of the view
    // (tracegraphe), and the texts drawn at the last paint
    // over the view (operating points, "no operating point", cursor read-outs).
    std::vector<PointVue> PointsVus;
    QStringList TextesSurcouche;
    // The two time cursors (abscissas in counts of the view's horizontal
    // quantity) and the one the mouse or the keys move.
    bool CurseursActifs = false;
    double PositionCurseur[2] = {0, 0};
    int CurseurChoisi = 0;

    // ---- operations for the tracing window ----
    void setmenu();
    void tracecaract();
    void tracepoint(int k, int p);
    void curseur();
    void Copiercaract();
    void Imprimercaract();

    // ---- internal operations ----
    void setCb(int k);
    void cfgaxe(TGraphe& g);
    void tracegraphe();
    void tracecourbe();
    void CopierValeurs();

    // ---- handlers ----
    void ZoomXChange();
    void ZoomYChange();
    void PaintBox1Paint();
    void PaintBox1MouseDown(Qt::MouseButtons boutons, int x, int y);
    void PaintBox1MouseMove(Qt::MouseButtons boutons, int x, int y);
    void PopupMenu1Popup();
    void ButtonCaractClick();
    void Suppressiondupoint1Click();
    void Suppressiondetouslespoints1Click();
    void Nouvelessai1Click();
    void Copierlacaracteristique1Click();
    void CopierlesvaleursSelClick();
    void AjusterPoints1Click();
    void DroiteCharge1Click();
    void Curseurs1Click();
    void MesuresReponse1Click();
    // Moves the chosen cursor by `pas` pixels (the keys), or puts the nearer
    // one at pixel column x (the mouse).
    void DeplacerCurseur(int pas);
    void PlacerCurseur(int x);

private:
    friend class TPaintBox;
    // Opens a painter on the back buffer for the screen graph and asks for
    // a repaint when done.
    class SurfaceEcran;
    bool Visible() const;
    void NouveauTampon();
    // Draws the load line, its points and the cursors on the screen picture
    // (after the back buffer), and notes their texts.
    void DessinerSurcouche(QPainter& p);
    void DessinerLoi(QPainter& p);
    void DessinerCurseurs(QPainter& p);

    std::unique_ptr<TCourbeGraphe> courbe_;
    bool tamponAJour_ = false;
    bool enPeinture_ = false;
};

}  // namespace orvane
