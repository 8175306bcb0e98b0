// The load panel: sliders for the parameters of an emulated industrial load
// (types 6..18) and its torque-speed characteristic, edited in place in
// ReglagesCourants. The choice window holds two of them.
//
// The arithmetic (captions, constraints between the sliders, polyline, plot
// geometry) lives in study/LoisCharge.h; this class moves the controls and
// shows what those routines compute. Texts and geometry are computed when
// something changes; the plot area's paint event only draws them.
#pragma once

#include <QFrame>

#include "study/LoisCharge.h"

class QLabel;
class QSlider;
class QToolButton;

namespace orvane {

class TZoneCharge;

class TPanelCaract : public QFrame {
    Q_OBJECT

public:
    explicit TPanelCaract(QWidget* parent = nullptr);

    // Shows characteristic type `type` (6..18) with the words of ReglagesCourants.
    // The law's words are first brought into their ranges; the sliders are
    // then placed with their signals blocked, the constraints between them
    // applied (B, then A) and word 14 brought to a step of the inertia table.
    void SetMode(QObject* sender, int type);
    // Recomputes the captions and values and redraws the plot from the words.
    void Action(QObject* sender);

    // Change handlers; each acts only when `sender` is its own control.
    void TrackBarAChange(QObject* sender);
    void TrackBarBChange(QObject* sender);
    void TrackBarNChange(QObject* sender);
    void TrackBarJChange(QObject* sender);
    void SpinButtonReductionUpClick();
    void SpinButtonReductionDownClick();
    void SpinButtonPenteUpClick();
    void SpinButtonPenteDownClick();

    int Type() const { return type_; }
    // What the panel shows, as last computed by Action.
    const AffichageCharge& Affichage() const { return affichage_; }
    // The plot's axes, ticks and polyline in pixels.
    const GeometrieTrace& Geometrie() const;

    QFrame* PanelAff1;
    QFrame* PanelAff2;
    QFrame* PanelAff3;
    QLabel* TextC1;
    QLabel* TextC2;
    QLabel* TextC3;
    QLabel* TextB1;
    QLabel* TextB2;
    QLabel* TextB3;
    QSlider* TrackBarB;  // left; its value is maximum − position
    TZoneCharge* PaintBox;
    QSlider* TrackBarA;  // right; its value is maximum − position + minimum
    QFrame* PanelN;
    QSlider* TrackBarN;
    QFrame* PanelCycle;
    QLabel* StaticTextReduction;
    QLabel* StaticTextred;
    QToolButton* SpinButtonReductionUp;
    QToolButton* SpinButtonReductionDown;
    QLabel* StaticTextPent;
    QLabel* StaticTextPente;
    QToolButton* SpinButtonPenteUp;
    QToolButton* SpinButtonPenteDown;
    QFrame* PanelInertie;
    QLabel* StaticTextInertie;
    QSlider* TrackBarJ;
    QLabel* TextJ;

private:
    EtatCurseurs LireCurseurs() const;
    void PlacerCurseursAB(const EtatCurseurs& c);
    int32_t EchelleInertie() const;

    int type_ = 0;
    AffichageCharge affichage_;
};

// The plot area: black, cyan axes with their ticks, the yellow polyline.
class TZoneCharge : public QWidget {
    Q_OBJECT

public:
    explicit TZoneCharge(QWidget* parent = nullptr);
    // New axes and polyline (an empty polyline: nothing but the black area).
    void Definir(bool valide, const AxeCharge& vitesse, const AxeCharge& couple,
                 const std::vector<PointCharge>& points);
    const GeometrieTrace& Geometrie() const { return geometrie_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Recalculer();

    bool valide_ = false;
    AxeCharge vitesse_, couple_;
    std::vector<PointCharge> points_;
    GeometrieTrace geometrie_;
};

}  // namespace orvane
