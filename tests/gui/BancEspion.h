// The simulated bench (link type 3) behind a journal of every exchange, failures on
// demand, measurement blocks replaced, a clock the test moves.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <optional>

#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "comm/Registres.h"
#include "comm/Transport.h"
#include "dialogs/FormCom.h"
#include "sim/LiaisonSimulee.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

namespace orvane::essai {

inline void EtudeVierge() {  // French, the default settings, an empty study
    ChoixLangue(LangueFrancais), ConfigGenerale = ConfigDefaut, InitEtude();
    AcquisitionEnCours = 0;
}

class LienEspionne : public ITransportModbus {
public:
    explicit LienEspionne(std::unique_ptr<ITransportModbus> t) : dedans_(std::move(t)) {}
    bool Ouvrir() override { return dedans_->Ouvrir(); }
    void Fermer() override { dedans_->Fermer(); }
    bool EstOuvert() const override { return dedans_->EstOuvert(); }
    int32_t LireRegistre(int m, int p, int32_t& v) override {
        return Noter(QStringLiteral("R%1.%2").arg(m).arg(p), dedans_->LireRegistre(m, p, v));
    }
    int32_t LireRegistres(int m, int p, int n, int32_t* v) override {
        const int32_t code = dedans_->LireRegistres(m, p, n, v);
        if (m == ParamStatut.menu && p == ParamStatut.parametre) {
            for (int i = 0; bloc && i < n && i < 10; ++i) v[i] = (*bloc)[static_cast<size_t>(i)];
            if (vitesse && n > 1) v[1] = *vitesse;
        }
        return Noter(QStringLiteral("R%1.%2").arg(m).arg(p), code);
    }
    int32_t EcrireRegistre(int m, int p, int32_t v) override {
        return EcrireRegistres(m, p, 1, &v);
    }
    int32_t EcrireRegistres(int m, int p, int n, const int32_t* v) override {
        QStringList mots;
        for (int i = 0; i < n; ++i) mots << QString::number(v[i]);
        return Noter(
            QStringLiteral("W%1.%2=%3").arg(m).arg(p).arg(mots.join(u',')),
            n == 1 ? dedans_->EcrireRegistre(m, p, *v) : dedans_->EcrireRegistres(m, p, n, v));
    }
    QStringList journal;
    int passer = 0;  // exchanges that go through before `echecs` applies
    int echecs = 0;  // the next exchanges that fail
    std::optional<std::array<int32_t, 10>> bloc;  // replaces 20.02..20.11
    std::optional<int32_t> vitesse;               // forces the speed register alone

    QStringList Ecritures() const {  // the writes only (no reads, no status echoes)
        return journal.filter(QRegularExpression(QStringLiteral("^W(?!18\\.30)")));
    }

private:
    int32_t Noter(const QString& e, int32_t code) {
        journal << e;
        if (passer > 0) return --passer, code;
        if (echecs > 0) return --echecs, 4;
        return code;
    }
    std::unique_ptr<ITransportModbus> dedans_;
};

// Installs the spied simulated bench and the test's clock while it lives.
class BancEspion {
public:
    BancEspion() {
        sim::InstallerBancSimule(1, false);
        fabrique_ = DefinirFabriqueSimulation(
            [this, simule = FabriqueSimulation()]() -> std::unique_ptr<ITransportModbus> {
                auto t = std::make_unique<LienEspionne>(simule());
                lien = t.get();
                return t;
            });
        horloge_ = DefinirHorloge([this] { return maintenant; });
        pause_ = DefinirPause([this](int ms) { maintenant += ms; });
    }
    ~BancEspion() {
        DefinirFabriqueSimulation(fabrique_), DefinirHorloge(horloge_), DefinirPause(pause_);
    }
    LienEspionne* lien = nullptr;
    int64_t maintenant = 0;
    FonctionPause pause_;
    FonctionHorloge horloge_;
    FabriqueTransport fabrique_;
};

// The tracing window on the spied bench: the bench and the gateway for the
// whole test program, a fresh window and reporter for each test.
class FenetreSurBanc : public QObject {
protected:
    std::unique_ptr<BancEspion> banc;
    std::unique_ptr<TFormCom> com;
    std::unique_ptr<TFormTraceCaract> fenetre;
    std::unique_ptr<RapportEnregistre> rapport;

    TFormTraceCaract& F() { return *fenetre; }
    LienEspionne& L() { return *banc->lien; }
    int Points() const { return Caracts[CaractCourante].Dernier() + 1; }

    void Installer() {  // initTestCase
        banc = std::make_unique<BancEspion>(), NouvelleEtude();
        com = std::make_unique<TFormCom>(), com->Transport(LiaisonSimulation);
    }
    void NouvelleEtude() {  // init: French, default settings, an empty study
        EtudeVierge();
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
    }
    // Once the study is prepared: the window shown, the link open on power
    // range `gamme`, the journal empty, no failure pending.
    void OuvrirFenetre(int gamme = 1) {
        rapport = std::make_unique<RapportEnregistre>();
        fenetre = std::make_unique<TFormTraceCaract>();
        F().show(), F().Action(), com->Initialise();
        ConfigGenerale.GammePuissance = gamme, L().echecs = L().passer = 0;
        L().journal.clear(), L().bloc.reset(), L().vitesse.reset();
    }
    void FermerFenetre() {  // cleanup
        F().ArreterAcquisition(), fenetre.reset(), rapport.reset(), AcquisitionEnCours = 0;
    }
    void Desinstaller() { com.reset(), banc.reset(); }  // cleanupTestCase
};

// The tracing window on the simulated drive served in real time on a
// pseudo-terminal (link type 1) or on 127.0.0.1 (link type 2).
class FenetreSurServeur : public QObject {
protected:
    std::unique_ptr<ServeurEnFond> serveur;
    std::unique_ptr<TFormCom> com;
    std::unique_ptr<TFormTraceCaract> f;
    std::unique_ptr<RapportEnregistre> rapport;

    const Caracteristique& C() const { return Caracts[CaractCourante]; }
    int Points() const { return C().Dernier() + 1; }
    template <typename Condition>
    static bool Attendre(Condition condition, int ms) {
        for (int i = 0; i < ms / 10 && !condition(); ++i) QTest::qWait(10);
        return condition();
    }
    // French, the default settings, an empty study, the settings of a trial.
    void Essai(int machine, int type) {
        EtudeVierge();
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = machine, ReglagesCourants[MotTypeCaract] = type;
        rapport = std::make_unique<RapportEnregistre>(), com = std::make_unique<TFormCom>();
    }
    // A drive of this machine (stopped long ago when asked), served and chosen.
    bool Servir(int machine, bool tcp = false, bool auRepos = false) {
        serveur = std::make_unique<ServeurEnFond>(), serveur->variateur.SetTypeMachine(machine);
        if (auRepos)
            serveur->variateur.SetMachineAlimentee(false), serveur->variateur.Avancer(60000);
        ConfigGenerale.TypeLiaison = tcp ? LiaisonReseau : LiaisonSerie,
        AdresseReseau = "(127.0.0.1)";
        if (tcp) return serveur->Tcp() && (com->Reseau().PortTcp = serveur->serveur.Port());
        const std::string pty = serveur->Pty();
        ConfigGenerale.PortSerie.Ecrire(pty);
        return !pty.empty();
    }
    // The trial made and the window shown.
    void Montrer() {
        NouvelleCaract(), f = std::make_unique<TFormTraceCaract>();
        f->show(), f->Action();
    }
    void Liberer() {  // cleanup
        if (f) f->ArreterAcquisition(), f.reset();
        if (com) com->Liberer();
        com.reset(), serveur.reset(), rapport.reset(), AcquisitionEnCours = 0;
    }
};

}  // namespace orvane::essai
