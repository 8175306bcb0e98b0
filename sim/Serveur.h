// Serving the simulated drive: as a Modbus RTU slave on a pseudo-terminal or
// a serial device, or as a Modbus TCP server. The drive's time follows the
// real clock while serving.
#pragma once

#include <poll.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "sim/BancDirect.h"
#include "sim/Modbus.h"
#include "sim/Variateur.h"

namespace orvane::sim {

class ServeurBanc {
public:
    explicit ServeurBanc(Variateur& variateur, Injection injection = {});
    ~ServeurBanc();
    ServeurBanc(const ServeurBanc&) = delete;
    ServeurBanc& operator=(const ServeurBanc&) = delete;

    // A new pseudo-terminal; `nom` receives its slave's name under /dev
    // ("pts/4"). The slave stays open on this side too, so clients may come
    // and go.
    bool OuvrirPty(std::string& nom, std::string& erreur);
    // A serial device, set fully raw at 19200 baud, 8 data bits, no parity,
    // 1 stop bit, without hardware or software flow control.
    bool OuvrirSerie(const std::string& chemin, std::string& erreur);
    // A Modbus TCP server on IPv4 `adresse` ("127.0.0.1"); port 0 takes any free port.
    bool OuvrirTcp(const std::string& adresse, int port, std::string& erreur);
    int Port() const { return port_; }
    // The drive's time follows `source` (milliseconds) instead of the real
    // clock; the framing of the link keeps the real clock. Set before `Servir`.
    void SuivreHorloge(HorlogeBanc::Source source) { temps_.Suivre(std::move(source)); }
    // The clock of the link's framing (silences, delayed replies) follows
    // `source` instead of the real clock. Set before `Servir`.
    void SuivreHorlogeLigne(HorlogeBanc::Source source) { horloge_.Suivre(std::move(source)); }
    // Every wait of `Servir` for the descriptors goes through `attente`, with
    // poll's arguments and result; an empty one restores poll. For tests.
    using Attente = std::function<int(pollfd*, size_t, int delaiMs)>;
    void DefinirAttente(Attente attente);
    // Emulates the line time of a real serial line at `baud` (0: none, the
    // default) on a pseudo-terminal or a serial device: each byte takes 10
    // bits (8N1). A reply is held back until the request and the whole reply
    // would have crossed the line (rounded up to the next millisecond, never
    // faster than the real line), then written in one piece. Set before `Servir`.
    void DefinirDebit(int baud) { debit_ = baud > 0 ? baud : 0; }
    // Line time of `octets` bytes at the emulated rate, in milliseconds
    // rounded up (0 without emulation).
    int64_t DureeLigneMs(size_t octets) const;

    // Changes the injected fault while serving (from any thread): it applies
    // to the requests received from now on, counted again from 1.
    void DefinirInjection(Injection injection);
    // Requests faulted so far (from any thread).
    int Fautes() const;

    // Serves until `arret` is set (looked at every 10 ms at most). False, with
    // a message, when the device fails.
    bool Servir(const std::atomic<bool>& arret, std::string& erreur);

private:
    struct Envoi {
        int64_t instantMs;
        std::vector<uint8_t> octets;
        bool fermer;
    };
    struct Connexion {
        int fd = -1;
        std::vector<uint8_t> tampon;
        std::deque<Envoi> envois;
        bool fermee = false;
    };

    void Fermer();
    template <typename F>
    Reponse Traiter(F traiter) {
        const std::lock_guard<std::mutex> verrou(verrouEsclave_);
        return traiter();
    }
    void Repondre(Connexion& c, Reponse r, int64_t maintenant);
    bool EnvoyerDus(Connexion& c, int64_t maintenant);
    bool LireSerie(int64_t maintenant, std::string& erreur);
    void LireTcp(Connexion& c, int64_t maintenant);

    Variateur& variateur_;
    mutable std::mutex verrouEsclave_;  // the fault may change while serving
    EsclaveModbus esclave_;
    HorlogeBanc horloge_;  // real time: framing, delays, waits
    HorlogeBanc temps_;    // the drive's time
    Attente attente_;
    // serial or pty
    int fdSerie_ = -1;
    int fdEsclavePty_ = -1;
    Connexion serie_;
    DecoupeurRtu decoupeur_;
    int64_t muetJusquaMs_ = 0;
    int debit_ = 0;  // emulated baud rate, 0: none
    // TCP
    int fdEcoute_ = -1;
    int port_ = 0;
    std::vector<Connexion> clients_;
};

}  // namespace orvane::sim
