#include "dialogs/LecteurAnimation.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

namespace orvane {

TLecteurAnimation::TLecteurAnimation(QWidget* parent)
    : QWidget(parent), rendu_(new QSvgRenderer(this)), minuterie_(new QTimer(this)) {
    minuterie_->setInterval(PeriodeMs);
    connect(minuterie_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TLecteurAnimation::SetMovie(const QString& chemin) {
    chemin_ = chemin;
    Play();
}

void TLecteurAnimation::Play() {
    fige_ = QImage();
    // A fresh load restarts the drawing's clock at its first rendering.
    chargee_ = !chemin_.isEmpty() && rendu_->load(chemin_);
    if (chargee_) rendu_->setFramesPerSecond(0);  // our own timer paces the pictures
    if (chargee_ && rendu_->animated())
        minuterie_->start();
    else
        minuterie_->stop();
    update();
}

void TLecteurAnimation::Stop() {
    if (minuterie_->isActive()) fige_ = Image(size());
    minuterie_->stop();
}

bool TLecteurAnimation::EnLecture() const { return minuterie_->isActive(); }

bool TLecteurAnimation::Chargee() const { return chargee_; }

void TLecteurAnimation::Dessiner(QPainter& p, const QRect& zone) {
    if (!chargee_) return;
    QSizeF taille = rendu_->viewBoxF().size();
    if (taille.isEmpty()) taille = rendu_->defaultSize();
    if (taille.isEmpty()) return;
    taille.scale(zone.size(), Qt::KeepAspectRatio);
    QRectF cible(QPointF(), taille);
    cible.moveCenter(QRectF(zone).center());
    p.setRenderHint(QPainter::Antialiasing);
    rendu_->render(&p, cible);
}

QImage TLecteurAnimation::Image(const QSize& taille) {
    // A player squeezed to nothing (a window resized to a strip) has no
    // picture to paint: an empty one, never a painter on a null image.
    if (taille.isEmpty()) return {};
    if (!fige_.isNull())
        return fige_.size() == taille
                   ? fige_
                   : fige_.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage image(taille, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter p(&image);
    Dessiner(p, image.rect());
    return image;
}

void TLecteurAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!fige_.isNull()) {
        p.drawImage(QPoint(), fige_);
        return;
    }
    Dessiner(p, rect());
}

void TLecteurAnimation::resizeEvent(QResizeEvent*) {
    // A held picture follows the size of the area (and is kept while the
    // area is squeezed to nothing).
    if (!fige_.isNull() && !size().isEmpty()) fige_ = Image(size());
}

}  // namespace orvane
