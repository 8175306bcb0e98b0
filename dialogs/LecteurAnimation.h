// The animation player of the applications window. A movie is an animated
// vector drawing: an SVG file whose motion is made of <animateTransform> and
// <animateColor> elements, drawn scaled to fit and centred, advanced by a
// timer. Three uses: naming a movie by its full path loads it and plays it,
// Stop holds the picture where it is, Play starts it again from the
// beginning. A file that cannot be read leaves the area empty.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QSvgRenderer;
class QTimer;

namespace orvane {

class TLecteurAnimation : public QWidget {
    Q_OBJECT

public:
    explicit TLecteurAnimation(QWidget* parent = nullptr);

    // Loads the movie and plays it from its start.
    void SetMovie(const QString& chemin);
    QString Movie() const { return chemin_; }
    void Stop();
    void Play();

    bool EnLecture() const;  // a movie plays
    bool Chargee() const;    // a movie could be read
    // The picture the player shows now, at the given size.
    QImage Image(const QSize& taille);

    static constexpr int PeriodeMs = 40;  // 25 pictures a second

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Dessiner(QPainter& p, const QRect& zone);

    QSvgRenderer* rendu_;
    QTimer* minuterie_;
    QString chemin_;
    bool chargee_ = false;
    QImage fige_;  // the picture held by Stop
};

}  // namespace orvane
