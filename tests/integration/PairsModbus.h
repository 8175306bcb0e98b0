// libmodbus peers for the link tests: an RTU slave on the master side of a
// pseudo-terminal pair and a Modbus TCP server on a loopback address, each
// serving a register map from its own thread. A peer records every request
// it receives and can be told to misbehave.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <modbus/modbus.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::essai {

using Octets = std::vector<uint8_t>;

enum class Panne {
    Aucune,      // normal replies
    Exception,   // exception reply "illegal data address"
    Silence,     // no reply
    MauvaisCrc,  // RTU: last byte of the reply flipped; TCP: wrong transaction id
    Courte,      // the reply less its last three bytes (TCP: then the connection closes)
};

class PairModbus {
public:
    virtual ~PairModbus() { Arreter(); }

    // Register r of the map (address m × 100 + p − 1 for parameter m.p).
    uint16_t Registre(int adresse) {
        std::lock_guard<std::mutex> g(verrou_);
        return carte_->tab_registers[adresse];
    }
    void DefinirRegistre(int adresse, uint16_t v) {
        std::lock_guard<std::mutex> g(verrou_);
        carte_->tab_registers[adresse] = v;
    }
    std::vector<Octets> Requetes() {
        std::lock_guard<std::mutex> g(verrou_);
        return requetes_;
    }
    void Effacer() {
        std::lock_guard<std::mutex> g(verrou_);
        requetes_.clear();
    }
    std::atomic<Panne> panne{Panne::Aucune};

protected:
    void Demarrer(modbus_t* ctx) {
        ctx_ = ctx;
        carte_ = modbus_mapping_new(0, 0, 3000, 0);
        fil_ = std::thread([this] { Servir(); });
    }
    void Arreter() {
        if (!fil_.joinable()) return;
        fin_ = true;
        fil_.join();
        modbus_mapping_free(carte_);
        modbus_free(ctx_);
    }
    // The descriptor to watch for the next request (-1: none); may accept.
    virtual int Attendre() = 0;
    // After a reply that ends the exchange badly (TCP closes its connection).
    virtual void ApresCourte() {}
    virtual int Descripteur() = 0;

    // Sends the reply libmodbus makes, altered.
    void RepondreAltere(const uint8_t* req, int n, bool tcp) {
        int sp[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, sp) != 0) return;
        const int s = Descripteur();
        modbus_set_socket(ctx_, sp[0]);
        modbus_reply(ctx_, req, n, carte_);
        modbus_set_socket(ctx_, s);
        uint8_t r[300];
        const ssize_t l = ::read(sp[1], r, sizeof r);
        ::close(sp[0]);
        ::close(sp[1]);
        if (l < 4) return;
        if (panne == Panne::MauvaisCrc) {
            if (tcp)
                r[1] ^= 0x5A;
            else
                r[l - 1] ^= 0xFF;
            (void)!::write(s, r, static_cast<size_t>(l));
        } else {
            (void)!::write(s, r, static_cast<size_t>(l - 3));
            ApresCourte();
        }
    }

    void Servir() {
        uint8_t req[MODBUS_TCP_MAX_ADU_LENGTH];
        while (!fin_) {
            const int fd = Attendre();
            if (fd < 0) continue;
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            if (!(p.revents & POLLIN)) {
                // Nobody on the other side: wait for someone.
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            const int n = modbus_receive(ctx_, req);
            if (n < 0) {
                Perdu();
                continue;
            }
            if (n == 0) continue;
            {
                std::lock_guard<std::mutex> g(verrou_);
                requetes_.emplace_back(req, req + n);
                switch (panne.load()) {
                    case Panne::Aucune: modbus_reply(ctx_, req, n, carte_); break;
                    case Panne::Exception:
                        modbus_reply_exception(ctx_, req, MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
                        break;
                    case Panne::Silence: break;
                    default: RepondreAltere(req, n, Tcp());
                }
            }
        }
    }
    virtual void Perdu() {}
    virtual bool Tcp() const = 0;

    modbus_t* ctx_ = nullptr;
    modbus_mapping_t* carte_ = nullptr;
    std::mutex verrou_;
    std::vector<Octets> requetes_;
    std::atomic<bool> fin_{false};
    std::thread fil_;
};

// RTU slave 1 on the master side of a pseudo-terminal; our serial layer
// opens the slave side by its name "pts/N".
class PairRtu : public PairModbus {
public:
    PairRtu() {
        char nom[128] = {};
        if (::openpty(&maitre_, &esclave_, nom, nullptr, nullptr) != 0) return;
        termios t{};
        ::tcgetattr(maitre_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(maitre_, TCSANOW, &t);
        // Only the master is kept: the slave is the device under test.
        ::close(esclave_);
        nom_ = std::string(nom).substr(5);  // without "/dev/"
        modbus_t* ctx = modbus_new_rtu("/dev/null", 19200, 'N', 8, 1);
        modbus_set_slave(ctx, 1);
        modbus_set_socket(ctx, maitre_);
        Demarrer(ctx);
    }
    ~PairRtu() override {
        Arreter();
        if (maitre_ >= 0) ::close(maitre_);
    }
    const std::string& Nom() const { return nom_; }
    // Writes raw bytes to the device side, past libmodbus.
    void Envoyer(const Octets& o) { (void)!::write(maitre_, o.data(), o.size()); }
    // The device vanishes: the master side closes.
    void Debrancher() {
        Arreter();
        ::close(maitre_);
        maitre_ = -1;
    }

protected:
    int Attendre() override { return maitre_; }
    int Descripteur() override { return maitre_; }
    bool Tcp() const override { return false; }

private:
    int maitre_ = -1, esclave_ = -1;
    std::string nom_;
};

// Modbus TCP server on 127.0.0.x and a port the system chooses.
class PairTcp : public PairModbus {
public:
    explicit PairTcp(const std::string& ip) : ip_(ip) {
        modbus_t* ctx = modbus_new_tcp(ip.c_str(), 0);
        ecoute_ = modbus_tcp_listen(ctx, 4);
        sockaddr_in a{};
        socklen_t l = sizeof a;
        ::getsockname(ecoute_, reinterpret_cast<sockaddr*>(&a), &l);
        port_ = ntohs(a.sin_port);
        Demarrer(ctx);
    }
    ~PairTcp() override {
        Arreter();
        if (client_ >= 0) ::close(client_);
        if (ecoute_ >= 0) ::close(ecoute_);
    }
    int Port() const { return port_; }
    bool Ecoute() const { return ecoute_ >= 0; }
    int Connexions() const { return connexions_; }

protected:
    int Attendre() override {
        pollfd p{ecoute_, POLLIN, 0};
        if (::poll(&p, 1, client_ >= 0 ? 0 : 20) > 0) {
            const int c = ::accept(ecoute_, nullptr, nullptr);
            if (c >= 0) {
                if (client_ >= 0) ::close(client_);
                client_ = c;
                ++connexions_;
                modbus_set_socket(ctx_, client_);
            }
        }
        return client_;
    }
    void Perdu() override {
        ::close(client_);
        client_ = -1;
    }
    void ApresCourte() override { Perdu(); }
    int Descripteur() override { return client_; }
    bool Tcp() const override { return true; }

private:
    std::string ip_;
    int ecoute_ = -1, client_ = -1, port_ = 0;
    std::atomic<int> connexions_{0};
};

}  // namespace orvane::essai
