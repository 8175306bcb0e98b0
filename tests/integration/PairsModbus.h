// libmodbus peers for the link tests (RTU slave on a pty, or TCP server on
// 127.0.0.x) that record every request and can be told to misbehave.
#pragma once

#include <arpa/inet.h>
#include <modbus/modbus.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::essai {

using Octets = std::vector<uint8_t>;

// Normal replies; an exception reply "illegal data address"; no reply; RTU: the
// last byte of the reply flipped, TCP: a wrong transaction id; the reply less its
// last three bytes (TCP: then the connection closes).
enum class Panne { Aucune, Exception, Silence, MauvaisCrc, Courte };

class PairModbus {
public:
    PairModbus() : tcp_(false) {
        char nom[128] = {};
        int esclave = -1;
        if (::openpty(&client_, &esclave, nom, nullptr, nullptr) != 0) return;
        ::close(esclave);  // only the master is kept: the slave is the device under test
        termios t{};
        ::tcgetattr(client_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(client_, TCSANOW, &t);
        nom_ = std::string(nom).substr(5);  // without "/dev/"
        ctx_ = modbus_new_rtu("/dev/null", 19200, 'N', 8, 1);
        modbus_set_slave(ctx_, 1);
        modbus_set_socket(ctx_, client_);
        Demarrer();
    }
    explicit PairModbus(const std::string& ip) : tcp_(true) {
        ctx_ = modbus_new_tcp(ip.c_str(), 0);
        ecoute_ = modbus_tcp_listen(ctx_, 4);
        sockaddr_in a{};
        socklen_t l = sizeof a;
        ::getsockname(ecoute_, reinterpret_cast<sockaddr*>(&a), &l);
        port_ = ntohs(a.sin_port);
        Demarrer();
    }
    ~PairModbus() {
        Debrancher();
        if (ecoute_ >= 0) ::close(ecoute_);
    }

    const std::string& Nom() const { return nom_; }
    int Port() const { return port_; }
    int Connexions() const { return connexions_; }
    uint16_t Registre(int a) {
        std::lock_guard g(verrou_);
        return carte_->tab_registers[a];
    }
    void DefinirRegistre(int a, uint16_t v) {
        std::lock_guard g(verrou_);
        carte_->tab_registers[a] = v;
    }
    // The rating and the block 20.02..20.11 (20.10 = -2).
    void Remplir(uint16_t calibre, uint16_t statut) {
        DefinirRegistre(1131, calibre);
        int i = 2001;
        for (int v : {int{statut}, 1500, 1200, 0, 0, 4000, 0, 2300, 0xFFFE, 700})
            DefinirRegistre(i++, static_cast<uint16_t>(v));
    }
    std::vector<Octets> Requetes() {
        std::lock_guard g(verrou_);
        return requetes_;
    }
    // Stops serving; an RTU device vanishes.
    void Debrancher() {
        if (fil_.joinable()) {
            fin_ = true;
            fil_.join();
            modbus_mapping_free(carte_);
            modbus_free(ctx_);
        }
        if (client_ >= 0) ::close(client_);
        client_ = -1;
    }
    // TCP: closes the connection as a drive closes an idle one (false: not within 2 s).
    bool FermerConnexion() {
        fermer_ = true;
        for (int i = 0; i < 2000 && fermer_; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return !fermer_;
    }
    std::atomic<Panne> panne{Panne::Aucune};

private:
    void Demarrer() {
        carte_ = modbus_mapping_new(0, 0, 3000, 0);
        fil_ = std::thread([this] { Servir(); });
    }
    void Accepter() {
        pollfd p{ecoute_, POLLIN, 0};
        if (::poll(&p, 1, client_ >= 0 ? 0 : 20) <= 0) return;
        const int c = ::accept(ecoute_, nullptr, nullptr);
        if (c < 0) return;
        if (client_ >= 0) ::close(client_);
        client_ = c;
        ++connexions_;
        modbus_set_socket(ctx_, client_);
    }
    void Perdu() {
        if (tcp_) ::close(client_), client_ = -1;
    }
    void RepondreAltere(const uint8_t* req, int n) {
        int sp[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, sp) != 0) return;
        modbus_set_socket(ctx_, sp[0]);
        modbus_reply(ctx_, req, n, carte_);
        modbus_set_socket(ctx_, client_);
        uint8_t r[300];
        const ssize_t l = ::read(sp[1], r, sizeof r);
        ::close(sp[0]), ::close(sp[1]);
        if (l < 4) return;
        const bool crc = panne == Panne::MauvaisCrc;
        if (crc) r[tcp_ ? 1 : l - 1] ^= 0x5A;
        (void)!::write(client_, r, static_cast<size_t>(crc ? l : l - 3));
        if (!crc) Perdu();
    }
    void Servir() {
        uint8_t req[MODBUS_TCP_MAX_ADU_LENGTH];
        while (!fin_) {
            if (fermer_) {
                if (client_ >= 0) Perdu();
                fermer_ = false;
            }
            if (tcp_) Accepter();
            if (client_ < 0) continue;
            pollfd p{client_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            if (!(p.revents & POLLIN)) {  // nobody on the other side: wait for someone
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            const int n = modbus_receive(ctx_, req);
            if (n < 0) Perdu();
            if (n <= 0) continue;
            std::lock_guard<std::mutex> g(verrou_);
            requetes_.emplace_back(req, req + n);
            switch (panne.load()) {
                case Panne::Aucune: modbus_reply(ctx_, req, n, carte_); break;
                case Panne::Exception:
                    modbus_reply_exception(ctx_, req, MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
                    break;
                case Panne::Silence: break;
                default: RepondreAltere(req, n);
            }
        }
    }

    const bool tcp_;
    std::string nom_;
    int client_ = -1, ecoute_ = -1, port_ = 0;
    std::atomic<int> connexions_{0};
    modbus_t* ctx_ = nullptr;
    modbus_mapping_t* carte_ = nullptr;
    std::mutex verrou_;
    std::vector<Octets> requetes_;
    std::atomic<bool> fin_{false}, fermer_{false};
    std::thread fil_;
};

}  // namespace orvane::essai
