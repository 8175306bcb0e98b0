// Start-up time: from the process start to the main menu shown (off screen),
// against a minimal Qt Widgets program that shows one window. Both are
// started in turn, 15 times each after one warm-up start, from a start
// folder that holds the simulated bench's configuration and the
// applications' files (as `./dev run` prepares it); each reports its first
// paint on a pipe. Medians of the wall time from spawn to that report.
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Tableau.h"
#include "study/Fichiers.h"
#include "study/Study.h"

extern char** environ;

namespace fs = std::filesystem;
using Horloge = std::chrono::steady_clock;

namespace {

// Milliseconds from spawn to "shown", or a negative value on failure (no
// report within 30 s, or the program ended first).
double Demarrer(const std::string& programme, const std::string& dossier) {
    int tube[2];
    if (::pipe(tube) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    posix_spawn_file_actions_addchdir_np(&actions, dossier.c_str());
    char* argv[] = {const_cast<char*>(programme.c_str()), nullptr};
    pid_t pid = 0;
    const auto t0 = Horloge::now();
    const int e = posix_spawn(&pid, programme.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(tube[1]);
    double ms = -1;
    if (e == 0) {
        std::string lu;
        pollfd p{tube[0], POLLIN, 0};
        while (lu.find('\n') == std::string::npos && ::poll(&p, 1, 30000) > 0) {
            char b[64];
            const ssize_t n = ::read(tube[0], b, sizeof b);
            if (n <= 0) break;
            lu.append(b, static_cast<size_t>(n));
            if (lu.size() > 4096) break;
        }
        if (lu.rfind("shown", 0) == 0)
            ms = std::chrono::duration<double, std::milli>(Horloge::now() - t0).count();
        else
            ::kill(pid, SIGKILL);
        int statut = 0;
        ::waitpid(pid, &statut, 0);
    }
    ::close(tube[0]);
    return ms;
}

double Mediane(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main() {
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path app = ORVANE_APP_DIR;
    std::string modele = (fs::temp_directory_path() / "orvane-demarrage-XXXXXX").string();
    if (!::mkdtemp(modele.data())) return 1;
    const fs::path dossier = modele;
    // The start folder: configuration with the simulated bench, the
    // applications' description files and folder.
    orvane::RepertoireDepart = dossier.string();
    orvane::ConfigGenerale = orvane::ConfigDefaut;
    orvane::ConfigGenerale.TypeLiaison = orvane::LiaisonSimulation;
    std::error_code ec;
    bool ok = orvane::EcrireConfig();
    for (const auto& f : fs::directory_iterator(app, ec))
        if (f.path().filename().string().rfind("CFGAPP", 0) == 0)
            fs::copy_file(f.path(), dossier / f.path().filename(), ec);
    if (fs::is_directory(app / "applications"))
        fs::copy(app / "applications", dossier / "applications", fs::copy_options::recursive, ec);

    const std::string menu = (app / "orvane_bench_demarrage_menu").string();
    const std::string minimal = (app / "orvane_bench_demarrage_minimal").string();
    std::vector<double> tMenu, tMinimal;
    constexpr int Tours = 15;
    for (int i = -1; i < Tours && ok; ++i) {
        const double a = Demarrer(menu, dossier.string());
        const double b = Demarrer(minimal, dossier.string());
        ok = a >= 0 && b >= 0;
        if (i >= 0) {
            tMenu.push_back(a);
            tMinimal.push_back(b);
        }
    }
    fs::remove_all(dossier, ec);
    if (!ok) {
        std::fprintf(stderr, "orvane_bench_startup: a program did not show its window\n");
        return 1;
    }
    std::printf("start-up to the main menu shown: %.1f ms; minimal Qt Widgets window: %.1f ms\n",
                Mediane(tMenu), Mediane(tMinimal));
    orvane::banc::Noter("start-up to the main menu shown (offscreen)", Mediane(tMenu),
                        "minimal Qt Widgets program showing one window", Mediane(tMinimal));
    orvane::banc::EcrireLignes();
    return 0;
}
