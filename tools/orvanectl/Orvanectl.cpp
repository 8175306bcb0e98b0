#include "tools/orvanectl/Orvanectl.h"

#include <ostream>

#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane::ctl {

std::string Aide() {
    return "usage: orvanectl COMMAND ...\n"
           "\n"
           "Study files (.OVX2):\n"
           "  orvanectl study show FILE [--json]\n"
           "      title, graph views (with their axis ranges in the quantities'\n"
           "      units) and trials of a work file\n"
           "  orvanectl study export FILE [--trial K] [--format tsv|csv|xlsx] [-o OUT]\n"
           "                          [--decimal-comma] [--cp1252]\n"
           "      values of all trials, or of trial K:\n"
           "      tsv  the tab-separated text the tracing window copies (CR LF);\n"
           "           UTF-8, or Windows-1252 with --cp1252\n"
           "      csv  one row per point with a trial column and \"symbol (unit)\"\n"
           "           headers; comma and decimal point, or with --decimal-comma\n"
           "           semicolon and decimal comma\n"
           "      xlsx the workbook of the tracing window's export (a sheet per\n"
           "           trial, the views as charts, the study's sheet); needs -o\n"
           "  orvanectl study fit FILE -o OUT\n"
           "      the study with every graph view fitted to its points (quadrant and\n"
           "      zoom steps), written to OUT\n"
           "  orvanectl study operating-point FILE --trial K\n"
           "                  (--law constant T | linear a b | quadratic a b | power P\n"
           "                   | --load-trial L) [--json]\n"
           "      where machine trial K meets a load: n* (tr/min), T* (N.m),\n"
           "      P* (W) and whether it is stable; T and b in N.m, a in N.m per\n"
           "      tr/min (per (tr/min)^2 for quadratic), P in W; --load-trial: the\n"
           "      law of static-load trial L\n"
           "  orvanectl study step FILE --trial K --quantity Q [--json]\n"
           "      step-response measurements of quantity Q (symbol or number 1..11)\n"
           "      against time: initial and final values, start, rise time 10-90 %,\n"
           "      time constant, overshoot (%), settling time 5 %\n"
           "  orvanectl study report FILE -o OUT.pdf\n"
           "      the lab report: the printed page, each trial's values, the\n"
           "      operating points and step measurements, paged on A4\n"
           "  Trials are numbered from 1, as on their buttons.\n"
           "\n"
           "The drive link (what the program does when it connects and measures):\n"
           "  orvanectl link (--serial NAME | --tcp A.B.C.D[:PORT] | --sim [--noise])\n"
           "                 [--machine M] [--range 2A|20A] read [--json]\n"
           "  orvanectl link ... watch --interval MS --count N [--csv]\n"
           "  orvanectl link ... write M.P VALUE\n"
           "\n"
           "The simulated drive, served to the program or to any Modbus client:\n"
           "  orvanectl bench (--pty | --serial PATH | --tcp A.B.C.D [--port P])\n"
           "                  [--rating R] [--machine M] [--current-range 2A|20A]\n"
           "                  [--mains 50|60] [--seed S] [--noise]\n"
           "                  [--fault badcrc|silent|exception|slow:MS|disconnect --every N]\n"
           "\n"
           "Like the program, orvanectl reads CFGOrvane.cfg from the current folder\n"
           "when there is one (language, power range, mains frequency).\n"
           "Exit status: 0 success, 1 usage error, 2 file or link failure; study fit,\n"
           "operating-point and step give 2 for a bad argument too.\n";
}

int ErreurDUsage(std::ostream& err, std::string_view prefixe, const std::string& message,
                 std::string_view aide) {
    err << prefixe << ": " << message << " (see " << aide << ")\n";
    return ErreurUsage;
}

void ChargerConfigLocale() {
    ChargerConfig(NomFichierConfig);
    InitEtude();
}

int Executer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Aide();
        return ErreurUsage;
    }
    const std::string& groupe = args[0];
    if (groupe == "--help" || groupe == "-h" || groupe == "help") {
        out << Aide();
        return Succes;
    }
    ChargerConfigLocale();
    const std::vector<std::string> reste(args.begin() + 1, args.end());
    if (groupe == "study") return CommandeEtude(reste, out, err);
    if (groupe == "link") return CommandeLiaison(reste, out, err);
    if (groupe == "bench") return CommandeBanc(reste, out, err);
    err << "orvanectl: unknown command '" << groupe << "' (see orvanectl --help)\n";
    return ErreurUsage;
}

}  // namespace orvane::ctl
