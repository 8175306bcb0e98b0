// The serial link: Modbus RTU requests over the serial port.
//
// Each request builds its frame, purges the port, writes the frame in one
// call, waits 10 ms before a read, and reads the reply within the port's
// time-outs: the expected length, or the 5-byte exception reply as soon as
// its first two bytes show one. A reply counts only when it answers this
// request: length and CRC, then slave 1, the request's function, the byte
// count of a read, and the echoed address and count of a write (a late
// reply to an earlier request is no reply to this one). No retry is made
// here: the gateway counts the failures.
#pragma once

#include <cstdint>

#include "comm/PortSerie.h"
#include "comm/Transport.h"

namespace orvane {

class TLiaisonRtu : public ITransportModbus {
public:
    // Result codes of the requests.
    static constexpr int32_t Ok = 0;
    // Port not open; also any failure of the single read and of the block
    // write other than the two below.
    static constexpr int32_t PortFerme = 1;
    static constexpr int32_t ReponseFausse = 3;  // missing, short or bad CRC
    static constexpr int32_t EchecEnvoi = 4;     // frame not sent or reply incomplete
    // A sound frame that is not the reply to this request: another slave or
    // function, a wrong byte count, or the echo of another address or count.
    static constexpr int32_t ReponseDiscordante = 5;
    // The drive's exception reply: this plus its exception code (0x82 for
    // an illegal data address).
    static constexpr int32_t ReponseException = 0x80;

    // Works on the given port (the tests' scripted port), or on a port of
    // its own opened with the name stored in the configuration.
    explicit TLiaisonRtu(IPortSerie* port = nullptr);

    // Every request below also fails with ReponseDiscordante or
    // ReponseException + code as their comments say.

    // Value 0..65535; erreur 0 on success, 1 on any other failure (value 0).
    int32_t ReadRegRS232(int menu, int parametre, int32_t& erreur);
    // n signed values; erreur 0, 1 (port not open) or 3 (reply missing,
    // short or with a bad CRC). The values are filled whenever a reply of the
    // expected length arrived from the drive for this read, and then word 0
    // of ValeursCourantes is set to 0 before the CRC is judged.
    void Read10RegRS232(int menu, int parametre, int32_t& erreur, int n, int32_t* valeurs);
    // 0, 3 (complete reply with a bad CRC) or 4 (not sent, reply incomplete,
    // or port not open).
    int32_t WriteRegRS232(int menu, int parametre, int32_t valeur);
    // 0 on success, 1 on any other failure.
    int32_t Write10RegRS232(int menu, int parametre, int n, const int32_t* valeurs);

    TPortCom& Port() { return propre_; }

    bool Ouvrir() override;
    void Fermer() override;
    bool EstOuvert() const override { return port_->EstOuvert(); }
    int32_t LireRegistre(int menu, int parametre, int32_t& valeur) override;
    int32_t LireRegistres(int menu, int parametre, int n, int32_t* valeurs) override;
    int32_t EcrireRegistre(int menu, int parametre, int32_t valeur) override;
    int32_t EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) override;

private:
    // Purge, write, optional 10 ms wait, read of the reply (`attendu` bytes,
    // or an exception reply); false when the write failed. `reponse` is
    // empty unless a whole reply came.
    bool Echange(const TTrame& requete, bool lecture, int attendu, TTrame& reponse);

    TPortCom propre_;
    IPortSerie* port_;
};

}  // namespace orvane
