// One value frame of the live display: a raised panel with the quantity's
// name above its value, both in large characters scaled to the frame.
#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace orvane {

class TAffichage : public QFrame {
    Q_OBJECT

public:
    explicit TAffichage(QWidget* parent = nullptr);

    QFrame* PanelAffichage;
    QWidget* Panel1;  // spacer above the title
    QLabel* TextTitre;
    QWidget* Panel2;  // spacer between the title and the value
    QLabel* TextAffichage;

    // The widest value text the frame is expected to show: the value's font
    // is sized so that it fits, and keeps its size while the values change.
    void DefinirModele(const QString& modele);
    // Places the parts from the panel's height (spacers h/8, title h/5,
    // value 3h/8) and sizes each text to its part's height, smaller when the
    // text would not fit the width.
    void PanelAffichageResize();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString modele_ = QStringLiteral("---------------");
};

// The largest pixel size at which a line of `texte` written in `police` is
// at most `hauteur` high (the font's cell height: that of a label of that
// height) and `largeur` wide; at least 1.
int TaillePolice(const QFont& police, const QString& texte, int hauteur, int largeur);

}  // namespace orvane
