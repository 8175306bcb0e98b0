// The program's only gateway to the drive: four register operations that
// hide the link in use, the opening and closing of the link, and the
// measurement step the windows' timers run.
//
// The communication window owns the one instance and shows these operations
// under their own names. Everything runs on the user-interface thread; the
// exchanges are synchronous, with fixed pauses (Horloge.h).
//
// The register map is in Registres.h.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "comm/LiaisonReseau.h"
#include "comm/LiaisonRtu.h"
#include "comm/Registres.h"
#include "comm/Transport.h"
#include "study/Records.h"

namespace orvane {

// Drive operating-mode code of each characteristic type 0..18 (the high
// byte of the control word).
inline constexpr std::array<int32_t, NbTypesCaract> CodeModeCharge = {
    0, 2, 1, 4, 3, 10, 11, 11, 7, 8, 11, 11, 7, 8, 9, 12, 12, 13, 13};

// (CodeModeCharge of the type) << 8 | bits; bits alone for a type outside 0..18.
int32_t MotControle(int32_t typeCaract, int32_t bits);

// The power range for a drive rating: 0 for -10..0 (which includes the
// unread -1), 1 for 10..500, 2 for 501..1500, 3 for 1501..5000; any other
// rating keeps `gamme`.
int32_t GammeDeCalibre(int32_t calibre, int32_t gamme);

// Quantities 1..11 from the raw block (r[3]..r[11] used) for a machine type
// and a current range (word 22 of the settings: 1 is the 2 A range), with
// `ecouleMs` since the time base was reset. Integer arithmetic, divisions
// truncating toward zero; word 0 is left alone, and so are words 4..7, 9
// and 10 for a machine type outside 0..7.
void CalculerValeurs(const std::array<int32_t, 12>& r, int32_t typeMachine, int32_t calibre,
                     int64_t ecouleMs, ValeursPoint& v);

class TPasserelleCom {
public:
    // `port` replaces the serial port (tests); by default the serial link
    // opens the port named in the configuration.
    explicit TPasserelleCom(IPortSerie* port = nullptr);
    virtual ~TPasserelleCom();
    TPasserelleCom(const TPasserelleCom&) = delete;
    TPasserelleCom& operator=(const TPasserelleCom&) = delete;

    // Result code of an exchange asked of a link type that has no link
    // (LiaisonAucune, an unknown type, or the simulated bench with no maker
    // installed): nothing was read or written, so it is a failure.
    static constexpr int32_t SansLiaison = -2;

    // ---- register operations ----
    // Nothing happens while the link is closed. Otherwise the link of
    // ConfigGenerale.TypeLiaison does the exchange (SansLiaison for a type
    // without one); a failure adds one to the failure count.
    int32_t ReadRegModbus(int menu, int parametre);
    // valeurs has room for 10; n is brought into 1..10.
    void Read10RegModbus(int menu, int parametre, int32_t* valeurs, int n);
    void WriteRegModbus(int menu, int parametre, int32_t valeur);
    void Write10RegModbus(int menu, int parametre, const int32_t* valeurs, int n);

    // ---- link and measurement ----
    // Opens the link if needed, reads the rating into GammePuissance and
    // sends control word 1; "Erreur de liaison" when the link is not open.
    void Initialise();
    // Sends control word 0 when no exchange has failed since the last good
    // step (and the transport is still there), then releases the link.
    void Ferme();
    // Releases the link without any control word.
    void Liberer();
    // Status word |= 1, written to 18.30.
    void SetStatus();
    // One measurement step: block read of 20.02..20.11, status echo, and the
    // quantities into ValeursCourantes. Word 0 becomes 0 after a good step,
    // -1 after two failed exchanges in a row or on a closed link; a single
    // failure keeps the previous values and status.
    void LectureValeurs();
    void CalculValeurs();
    // Writes the low 16 bits to 20.29, then waits 100 ms.
    void EmissionControle(int32_t mot);
    void EmissionConstanteK(int32_t valeur);
    // P0..P5 to 19.20..19.25 in one block, then waits 100 ms.
    void EmissionParam();
    // P0..P4 := 0 (P5 is never set), EmissionParam, failure count := 0.
    void setParam0();
    // Resets the time base of quantity 11.
    void initime();

    // ---- state ----
    // The link is open and its transport still is: a serial device that
    // vanished closes its port, and the link is then no longer open, so
    // that the next start (Initialise when the link is not open) reopens it.
    bool LiaisonOuverte() const;
    bool DerniereErreur() const { return derniereErreur_; }
    int32_t CodeResultat() const { return code_; }
    int32_t NbEchecs() const { return echecs_; }
    // Status word of the latest good block read (with the echo's bit 0), and
    // the copy the tracing window reads (as the drive sent it).
    int32_t Status() const { return status_; }
    int32_t StatusCopie() const { return statusCopie_; }
    // Rating read at the last Initialise, -1 when not read.
    int32_t CalibreVariateur() const { return calibre_; }
    // True when the latest LectureValeurs was a good step.
    bool LectureValide() const { return lectureValide_; }

    // Raw block of the latest good step: R[3]..R[11] (20.03..20.11).
    std::array<int32_t, 12> R{};
    // The load parameter block, composed by the tracing window.
    std::array<int32_t, 6> P{};

    TLiaisonRtu& Serie() { return serie_; }
    TLiaisonReseau& Reseau() { return reseau_; }
    // The link of a type: 0 network, 1 serial, 3 simulated bench (made by
    // the maker installed with DefinirFabriqueSimulation); nullptr otherwise.
    ITransportModbus* Transport(int32_t typeLiaison);

protected:
    // Called by Initialise each time it finds the link open, after the idle
    // control word: the moment the link (re)starts.
    virtual void LiaisonPrete() {}
    // Called by each measurement step whose block read succeeded, with the
    // status word the drive sent.
    virtual void StatutLu(int32_t statut) { (void)statut; }

private:
    // The link of a type when it exists, without making one.
    const ITransportModbus* TransportExistant(int32_t typeLiaison) const;
    template <class Echange>
    void Expedier(Echange echange);

    TLiaisonRtu serie_;
    TLiaisonReseau reseau_;
    std::unique_ptr<ITransportModbus> simulation_;

    bool ouverte_ = false;
    bool derniereErreur_ = false;
    int32_t code_ = 0;
    int32_t echecs_ = 0;
    int32_t status_ = 0;
    int32_t statusCopie_ = 0;
    int32_t calibre_ = -1;
    bool lectureValide_ = false;
    int64_t debutMs_ = 0;
};

}  // namespace orvane
