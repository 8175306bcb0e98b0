// The network link: the drive's parameters through the network library
// (comm/knr). Each register operation is one request followed by polling
// until the library answers; the library bounds an exchange (no reply within
// its time-out is a failure), and the polling here is bounded as well.
#pragma once

#include <cstdint>
#include <string>

#include "comm/Transport.h"

namespace orvane {

class TLiaisonReseau : public ITransportModbus {
public:
    // The fixed six-digit number of the parameter record: the library's
    // response time-out in microseconds.
    static constexpr int32_t DelaiReponseUs = 900000;
    // Result code of an exchange whose polling found no end within GardeMs
    // (MaintenantMs): the request is then cancelled, so that the next ones
    // are not refused as busy.
    static constexpr int32_t SansFin = -1;
    static constexpr int64_t GardeMs = 2000;

    // TCP port of the drive; 0 for the Modbus port 502. Goes into the
    // otherwise unused last field of the parameter record.
    int32_t PortTcp = 0;

    ~TLiaisonReseau() override;

    // Sets the library's parameters and registers a user. A negative handle
    // shows "Erreur de communication : " + handle + "*" + parameter result.
    // On success the node address is taken from AdresseReseau.
    bool Ouvrir() override;
    void Fermer() override;
    bool EstOuvert() const override { return handle_ >= 0; }

    // A failed single read gives -1.
    int32_t LireRegistre(int menu, int parametre, int32_t& valeur) override;
    // Delivers all ten values whatever the count (those past n stay 0).
    int32_t LireRegistres(int menu, int parametre, int n, int32_t* valeurs) override;
    int32_t EcrireRegistre(int menu, int parametre, int32_t valeur) override;
    int32_t EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) override;

    const std::string& Noeud() const { return noeud_; }

private:
    // Polls for the response to a request and turns it into a result code.
    int32_t Attendre(int32_t genre);
    // Sets the library's parameters and registers a user; the handle
    // (negative on failure) and the parameter call's result.
    int32_t Inscrire(int32_t& resultat);
    // Drops the pending request: the library has no call for that, so the
    // user goes and another takes its place (the link closes if none can).
    void Abandonner();

    int32_t handle_ = -1;
    std::string noeud_;
};

}  // namespace orvane
