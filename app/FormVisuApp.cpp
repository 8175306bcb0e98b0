#include "app/FormVisuApp.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "dialogs/Emplacements.h"
#include "dialogs/Habillage.h"
#include "dialogs/ImageJpeg.h"
#include "dialogs/LecteurAnimation.h"
#include "study/Cp1252.h"
#include "study/Study.h"

namespace orvane {

namespace {

constexpr int TexteApplications = 53;
constexpr int TextePrecedente = 54;  // then its hint, 55
constexpr int TexteSuivante = 56;    // 57
constexpr int TexteRepeter = 58;     // 59
constexpr int TexteFermer = 60;      // 61

QFrame* Barre(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFixedHeight(TFormVisuApp::HauteurBarre);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, CouleurBarre);
    p.setColor(QPalette::WindowText, Qt::white);
    f->setPalette(p);
    return f;
}

}  // namespace

TFormVisuApp::TFormVisuApp(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setFixedSize(Largeur, Hauteur);

    PanelTitreApp = Barre(this);
    StaticText1 = new QLabel(PanelTitreApp);
    StaticText1->setAlignment(Qt::AlignCenter);
    StaticText1->setFont(PoliceArial(16));
    auto* titre = new QHBoxLayout(PanelTitreApp);
    titre->setContentsMargins(8, 0, 8, 0);
    titre->addWidget(StaticText1);

    Affichage = new QWidget(this);
    Affichage->setAutoFillBackground(true);
    QPalette fond = Affichage->palette();
    fond.setColor(QPalette::Window, Qt::black);
    Affichage->setPalette(fond);
    Image1 = new QLabel(Affichage);
    Image1->setAlignment(Qt::AlignCenter);
    Flash1 = new TLecteurAnimation(Affichage);
    Flash1->setPalette(fond);
    auto* pile = new QGridLayout(Affichage);
    pile->setContentsMargins(0, 0, 0, 0);
    pile->addWidget(Image1, 0, 0);
    pile->addWidget(Flash1, 0, 0);

    PanelBouton = Barre(this);
    const auto bouton = [this](auto gestionnaire) {
        auto* b = new QPushButton(PanelBouton);
        b->setFont(PoliceArial(10));
        b->setMinimumWidth(200);
        connect(b, &QPushButton::clicked, this, gestionnaire);
        return b;
    };
    APPMoins = bouton(&TFormVisuApp::APPMoinsClick);
    APPPlus = bouton(&TFormVisuApp::APPPlusClick);
    Repeter = bouton(&TFormVisuApp::RepeterClick);
    ButtonClose = bouton(&TFormVisuApp::ButtonCloseClick);
    auto* boutons = new QHBoxLayout(PanelBouton);
    boutons->setContentsMargins(8, 4, 8, 4);
    boutons->addWidget(APPMoins);
    boutons->addWidget(APPPlus);
    boutons->addStretch(1);
    boutons->addWidget(Repeter);
    boutons->addWidget(ButtonClose);

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(PanelTitreApp);
    colonne->addWidget(Affichage, 1);
    colonne->addWidget(PanelBouton);
}

void TFormVisuApp::DefinirGroupe(int groupe) { groupe_ = groupe; }

void TFormVisuApp::Montrer() {
    if (isVisible()) {
        FormShow();
        raise();
        activateWindow();
        return;
    }
    Centrer(this, nullptr);
    show();
}

void TFormVisuApp::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFormVisuApp::hideEvent(QHideEvent* e) {
    Flash1->Stop();
    QDialog::hideEvent(e);
}

QString TFormVisuApp::CheminApplication(const std::string& fichier) const {
    // Names written on another system may separate folders with '\'.
    QString nom = VersQString(DepuisCp1252(fichier));
    nom.replace(u'\\', u'/');
    return dossier_ + QStringLiteral("/") + nom;
}

void TFormVisuApp::FormShow() {
    setWindowTitle(TexteNumero(TexteApplications));
    const std::pair<QPushButton*, int> textes[] = {{APPMoins, TextePrecedente},
                                                   {APPPlus, TexteSuivante},
                                                   {Repeter, TexteRepeter},
                                                   {ButtonClose, TexteFermer}};
    for (auto [b, n] : textes) {
        b->setText(TexteNumero(n));
        b->setToolTip(TexteNumero(n + 1));
    }
    // A file that cannot be read shows nothing: no title, no picture, no
    // step (rather than the applications of another language).
    const QString nom = VersQString(Textes.FichierApplications);
    dossier_ =
        DossierContenant(DossiersApplications(QFile::decodeName(RepertoireDepart.c_str())), nom);
    const std::string chemin =
        QFile::encodeName(dossier_ + QStringLiteral("/") + nom).toStdString();
    if (dossier_.isEmpty() || !LireApplications(chemin, table_)) table_ = TableApplications{};
    Flash1->Stop();
    Flash1->hide();
    Image1->hide();
    Repeter->hide();
    numero_ = 1;
    Action();
}

void TFormVisuApp::Action() {
    APPMoins->setEnabled(numero_ > 1);
    APPPlus->setEnabled(numero_ < NombreApplications(table_, groupe_));
    const Application a = ApplicationDe(table_, groupe_, numero_);
    StaticText1->setText(dossier_.isEmpty() ? TexteNumero(TexteApplicationsAbsentes)
                                            : VersQString(DepuisCp1252(a.titre)));
    if (a.genre == ApplicationImage) {
        Flash1->Stop();
        Flash1->hide();
        Repeter->hide();
        const QString chemin = CheminApplication(a.fichier);
        const QString suffixe = QFileInfo(chemin).suffix().toLower();
        QImage image = suffixe == u"jpg" || suffixe == u"jpeg" ? LireJpeg(chemin) : QImage(chemin);
        if (!image.isNull())
            image = image.scaled(Affichage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        Image1->setPixmap(QPixmap::fromImage(image));
        Image1->show();
    } else if (a.genre == ApplicationAnimation) {
        Image1->hide();
        Repeter->show();
        Flash1->show();
        Flash1->SetMovie(CheminApplication(a.fichier));
    }
}

void TFormVisuApp::APPMoinsClick() {
    if (numero_ <= 1) return;
    --numero_;
    Action();
}

void TFormVisuApp::APPPlusClick() {
    if (numero_ >= NombreApplications(table_, groupe_)) return;
    ++numero_;
    Action();
}

void TFormVisuApp::RepeterClick() {
    Flash1->Stop();
    Flash1->Play();
}

void TFormVisuApp::ButtonCloseClick() { close(); }

}  // namespace orvane
