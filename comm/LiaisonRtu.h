// The serial link: Modbus RTU requests over the serial port.
//
// Each request builds its frame, purges the port, writes the frame in one
// call, waits 10 ms before a read, reads exactly the expected reply length
// within the port's time-outs and checks the reply's length and CRC. A
// Modbus exception reply (5 bytes) is shorter than every expected reply and
// so fails. No retry is made here: the gateway counts the failures.
#pragma once

#include <cstdint>

#include "comm/PortSerie.h"
#include "comm/Transport.h"

namespace orvane {

class TLiaisonRtu : public ITransportModbus {
public:
    // Result codes of the requests.
    static constexpr int32_t Ok = 0;
    static constexpr int32_t PortFerme = 1;      // also any failure of the block write
    static constexpr int32_t ReponseFausse = 3;  // missing, short or bad CRC
    static constexpr int32_t EchecEnvoi = 4;     // frame not sent or reply incomplete

    // Works on the given port (the tests' scripted port), or on a port of
    // its own opened with the name stored in the configuration.
    explicit TLiaisonRtu(IPortSerie* port = nullptr);

    // Value 0..65535; erreur 0 on success, 1 on any failure (value 0).
    int32_t ReadRegRS232(int menu, int parametre, int32_t& erreur);
    // n signed values; erreur 0, 1 (port not open) or 3 (reply missing,
    // short or with a bad CRC). The values are filled whenever a reply of the
    // expected length arrived, and then word 0 of ValeursCourantes is set to
    // 0 before the CRC is judged.
    void Read10RegRS232(int menu, int parametre, int32_t& erreur, int n, int32_t* valeurs);
    // 0, 3 (complete reply with a bad CRC) or 4 (not sent, reply incomplete,
    // or port not open).
    int32_t WriteRegRS232(int menu, int parametre, int32_t valeur);
    // 0 on success, 1 on any failure.
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
    // Purge, write, optional 10 ms wait, read of `attendu` bytes; false when
    // the write failed. `reponse` is empty unless exactly `attendu` came.
    bool Echange(const TTrame& requete, bool lecture, int attendu, TTrame& reponse);

    TPortCom propre_;
    IPortSerie* port_;
};

}  // namespace orvane
