#include "comm/ComSelection.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <utility>

#include "study/Rapport.h"
#include "study/Records.h"

namespace orvane {

namespace {

bool Existe(const std::string& chemin) {
    struct stat s {};
    return ::stat(chemin.c_str(), &s) == 0;
}

// A serial-core port with no UART behind it reports type 0 (unknown).
bool PortReel(const std::string& dossier) {
    if (!Existe(dossier + "/device")) return false;
    std::ifstream f(dossier + "/type");
    int type = -1;
    if (f >> type) return type != 0;
    return true;
}

}  // namespace

bool AvantNaturel(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t fi = i, fj = j;
            while (fi < a.size() && std::isdigit(static_cast<unsigned char>(a[fi]))) ++fi;
            while (fj < b.size() && std::isdigit(static_cast<unsigned char>(b[fj]))) ++fj;
            const std::string na = a.substr(i, fi - i), nb = b.substr(j, fj - j);
            const size_t za = na.find_first_not_of('0'), zb = nb.find_first_not_of('0');
            const std::string sa = za == std::string::npos ? "" : na.substr(za);
            const std::string sb = zb == std::string::npos ? "" : nb.substr(zb);
            if (sa.size() != sb.size()) return sa.size() < sb.size();
            if (sa != sb) return sa < sb;
            i = fi;
            j = fj;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

TComSelection::TComSelection(std::string racine) : racine_(std::move(racine)) {}

void TComSelection::EnumComPorts(std::vector<std::string>& liste) const {
    DIR* d = ::opendir(racine_.c_str());
    if (!d) {
        Avertir("Erreur A1 ");
        return;
    }
    std::vector<std::string> trouves;
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(d);
        if (!e) {
            if (errno != 0) Avertir("Erreur A2 ");
            break;
        }
        const std::string nom = e->d_name;
        if (nom.empty() || nom[0] == '.') continue;
        if (nom.size() > decltype(TConfigGenerale::PortSerie)::Capacite) continue;
        if (PortReel(racine_ + "/" + nom)) trouves.push_back(nom);
    }
    ::closedir(d);
    std::sort(trouves.begin(), trouves.end(), AvantNaturel);
    liste = std::move(trouves);
}

int TComSelection::Setnumcomport(const std::string& nom) {
    EnumComPorts(Items);
    selection_ = -1;
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i] == nom) selection_ = static_cast<int>(i);
    return selection_;
}

void TComSelection::Selectionner(int i) {
    selection_ = i >= 0 && static_cast<size_t>(i) < Items.size() ? i : -1;
}

void TComSelection::NomComportSelect(std::string& nom) const {
    nom = selection_ >= 0 && static_cast<size_t>(selection_) < Items.size()
              ? Items[static_cast<size_t>(selection_)]
              : std::string();
}

}  // namespace orvane
