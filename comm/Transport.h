// One link to the drive, whatever carries it: the serial Modbus RTU link,
// the network library, or the simulated bench. The gateway (Passerelle.h)
// dispatches its four register operations to the link of the configured
// type and counts the failures.
//
// Every operation returns a result code: 0 on success, anything else is a
// failure (the gateway only tests for zero). Parameters are given as
// menu.parametre (20.02 is menu 20, parameter 2).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace orvane {

class ITransportModbus {
public:
    virtual ~ITransportModbus() = default;

    // Opens the link with the current configuration; reports its own
    // failure to the user (Avertir) and returns false then.
    virtual bool Ouvrir() = 0;
    virtual void Fermer() = 0;
    virtual bool EstOuvert() const = 0;

    // One register, as sent (0..65535). `valeur` is left to the transport on
    // failure (the serial link gives 0, the network link -1).
    virtual int32_t LireRegistre(int menu, int parametre, int32_t& valeur) = 0;
    // n registers (1..10) from menu.parametre, as signed 16-bit values.
    // valeurs has room for 10.
    virtual int32_t LireRegistres(int menu, int parametre, int n, int32_t* valeurs) = 0;
    // The low 16 bits of the value(s).
    virtual int32_t EcrireRegistre(int menu, int parametre, int32_t valeur) = 0;
    virtual int32_t EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) = 0;
};

// Makes the link of the simulated bench (link type 3). The bench lives above
// the communication code, so it registers its maker here at start.
using FabriqueTransport = std::function<std::unique_ptr<ITransportModbus>()>;

// Installs the maker of link type 3 (an empty function removes it) and
// returns the previous one. A gateway calls it when it first needs the
// simulated link, and owns what it returns.
FabriqueTransport DefinirFabriqueSimulation(FabriqueTransport f);
const FabriqueTransport& FabriqueSimulation();

}  // namespace orvane
