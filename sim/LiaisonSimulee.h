// The simulated bench as the program's link type 3: the drive runs in
// process, in step with the clock, and its machine and current-range switch
// follow what the program has chosen.
#pragma once

#include <cstdint>

#include "comm/Transport.h"
#include "sim/BancDirect.h"

namespace orvane::sim {

class TLiaisonSimulee : public ITransportModbus {
public:
    explicit TLiaisonSimulee(uint64_t graine = 1, bool bruit = false);

    bool Ouvrir() override;
    void Fermer() override { ouvert_ = false; }
    bool EstOuvert() const override { return ouvert_; }
    int32_t LireRegistre(int menu, int parametre, int32_t& valeur) override;
    int32_t LireRegistres(int menu, int parametre, int n, int32_t* valeurs) override;
    int32_t EcrireRegistre(int menu, int parametre, int32_t valeur) override;
    int32_t EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) override;

    BancDirect& Banc() { return banc_; }

private:
    // The bench follows the machine (word 0 of the prepared characteristic;
    // none chosen runs the DC machine with independent excitation, as it is
    // measured), the current range (word 22) and the mains frequency of the
    // configuration.
    void Suivre();

    BancDirect banc_;
    bool ouvert_ = false;
    int machine_ = -1;
    int frequence_ = -1;
};

// Makes link type 3 the simulated bench for every gateway created from now on.
void InstallerBancSimule(uint64_t graine = 1, bool bruit = false);

}  // namespace orvane::sim
