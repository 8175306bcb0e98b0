// The serial port of the link to the drive: 19200 baud, 8 data bits, no
// parity, one stop bit, no flow control, raw bytes.
//
// A port is named as it is stored in the configuration: a name under /dev
// ("ttyUSB0", "ttyS0", "ttyACM0", "pts/3") or an absolute path.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "comm/Trames.h"

namespace orvane {

// What the Modbus requests need of a port; the tests put a scripted port in
// its place.
class IPortSerie {
public:
    virtual ~IPortSerie() = default;
    virtual bool EstOuvert() const = 0;
    // Discards both queues.
    virtual void Purger() = 0;
    // One write of all the bytes; false when it failed.
    virtual bool Ecrire(std::span<const uint8_t> octets) = 0;
    // Exactly n bytes (at most 50) within the time-outs; otherwise false and
    // `recus` empty.
    virtual bool Lire(int n, TTrame& recus) = 0;
    // A Modbus RTU reply expected n bytes long, or the 5-byte exception reply
    // when its second byte says so, read as soon as those two bytes show it;
    // as Lire otherwise. This one reads the first two bytes, then the rest.
    virtual bool LireReponse(int n, TTrame& recus);
};

class TPortCom : public IPortSerie {
public:
    // Read time-outs: at most 100 ms between two bytes, and at most
    // 10 ms per byte + 100 ms for the whole read. Writes get the same total.
    static constexpr int IntervalleMs = 100;
    static constexpr int MultiplicateurMs = 10;
    static constexpr int ConstanteMs = 100;
    static constexpr int Bauds = 19200;

    TPortCom() = default;
    ~TPortCom() override;
    TPortCom(const TPortCom&) = delete;
    TPortCom& operator=(const TPortCom&) = delete;

    // Opens the named device. On failure shows "Erreur de communication : -
    // Port : NAME (reason)" and returns false, leaving the port closed.
    bool Ouvrir(const std::string& nom);
    void Fermer();

    bool EstOuvert() const override { return fd_ >= 0; }
    void Purger() override;
    bool Ecrire(std::span<const uint8_t> octets) override;
    bool Lire(int n, TTrame& recus) override;
    // Within the time-outs of a read of n bytes.
    bool LireReponse(int n, TTrame& recus) override;

    const std::string& Nom() const { return nom_; }
    // True once the device has vanished under an open port (unplugged
    // adapter, closed pseudo-terminal): the port is then closed, every
    // exchange fails, and the next open tries again.
    bool Perdu() const { return perdu_; }

    // The device path of a stored name: "/dev/" + name, or the name itself
    // when it is absolute.
    static std::string Chemin(const std::string& nom);

private:
    void Perte();
    // Lire, or LireReponse when `reponse`.
    bool Recevoir(int n, TTrame& recus, bool reponse);

    int fd_ = -1;
    bool perdu_ = false;
    std::string nom_;
};

}  // namespace orvane
