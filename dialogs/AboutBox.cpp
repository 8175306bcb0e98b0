#include "dialogs/AboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "dialogs/Habillage.h"
#include "dialogs/ImageJpeg.h"

namespace orvane {

TAboutBox* AboutBox = nullptr;

namespace {

constexpr int TexteOK = 1;
constexpr int TexteFermeture = 4;
constexpr int TexteNomProgramme = 44;
constexpr int Largeur = 315;
constexpr int Hauteur = 399;
const QColor Creme(255, 251, 240);

}  // namespace

QPixmap ImageProgramme(int cote) {
    QPixmap image(cote, cote);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(cote / 64.0, cote / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(CouleurBarre);
    p.drawEllipse(QRectF(1, 1, 62, 62));
    // shaft
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(26, 30, 12, 4));
    // machine under study and load machine
    p.setBrush(QColor(0, 255, 255));
    p.drawRoundedRect(QRectF(10, 20, 17, 24), 3, 3);
    p.setBrush(QColor(255, 200, 0));
    p.drawRoundedRect(QRectF(37, 20, 17, 24), 3, 3);
    p.setPen(QPen(Qt::black, 1.5));
    for (int x : {14, 18, 22}) p.drawLine(QLineF(x, 23, x, 41));
    for (int x : {42, 46, 50}) p.drawLine(QLineF(x, 23, x, 41));
    p.end();
    return image;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    AboutBox = this;
    setFixedSize(Largeur, Hauteur);
    setAutoFillBackground(true);
    QPalette noir = palette();
    noir.setColor(QPalette::Window, Qt::black);
    setPalette(noir);

    Image = new QLabel(this);
    Image->setAlignment(Qt::AlignCenter);
    const QImage image = LireJpeg(CheminImage(QString::fromLatin1(ImageAPropos)));
    if (!image.isNull())
        Image->setPixmap(
            QPixmap::fromImage(image.scaledToWidth(Largeur - 16, Qt::SmoothTransformation)));
    Image->setFixedHeight(140);

    Panel = new QFrame(this);
    Panel->setFrameShape(QFrame::Panel);
    Panel->setFrameShadow(QFrame::Sunken);
    Panel->setAutoFillBackground(true);
    QPalette creme = Panel->palette();
    creme.setColor(QPalette::Window, Creme);
    creme.setColor(QPalette::WindowText, Qt::black);
    Panel->setPalette(creme);

    LabelORVANE = new QLabel(Panel);
    LabelORVANE->setWordWrap(true);
    LabelORVANE->setAlignment(Qt::AlignCenter);
    LabelORVANE->setFont(PoliceArial(16));
    ProgramIcon = new QLabel(Panel);
    ProgramIcon->setPixmap(ImageProgramme(64));
    ProgramIcon->setFixedSize(64, 64);
    Mentions = new QLabel(Panel);
    Mentions->setWordWrap(true);
    Mentions->setAlignment(Qt::AlignCenter);
    Mentions->setFont(PoliceArial(8, false));

    auto* tete = new QHBoxLayout;
    tete->addWidget(ProgramIcon);
    tete->addWidget(LabelORVANE, 1);
    auto* contenu = new QVBoxLayout(Panel);
    contenu->setContentsMargins(10, 10, 10, 10);
    contenu->addLayout(tete);
    contenu->addStretch(1);
    contenu->addWidget(Mentions);

    OKButton = new QPushButton(this);
    OKButton->setDefault(true);
    OKButton->setFont(PoliceArial(9));
    OKButton->setFixedSize(90, 28);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(8, 8, 8, 8);
    colonne->addWidget(Image);
    colonne->addWidget(Panel, 1);
    colonne->addWidget(OKButton, 0, Qt::AlignHCenter);
}

void TAboutBox::FormShow() {
    setWindowTitle(TexteNumero(TexteNomProgramme));
    LabelORVANE->setText(TexteNumero(TexteNomProgramme));
    OKButton->setText(TexteNumero(TexteOK));
    OKButton->setToolTip(TexteNumero(TexteFermeture));
    Mentions->setText(TexteNumero(TexteMentionsApropos).arg(QStringLiteral("0.1")));
}

void TAboutBox::OKButtonClick() { accept(); }

void TAboutBox::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
        Centrer(this, nullptr);
    }
    QDialog::showEvent(event);
}

}  // namespace orvane
