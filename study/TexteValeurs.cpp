#include "study/TexteValeurs.h"

#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

constexpr const char* FinLigne = "\r\n";

bool RecordAvecPoints(int k) { return Caracts[k].Dernier() >= 0; }

void AjouterBloc(std::string& t, int k) {
    for (int q = 0; q < NbGrandeurs; ++q) {
        if (q) t += '\t';
        t += Etude.Grandeurs[q].Symbole.Lire();
    }
    t += FinLigne;
    t += Etude.Grandeurs[0].Unite.Lire();
    for (int q = 1; q < NbGrandeurs; ++q) {
        t += '\t';
        const std::string unite = Etude.Grandeurs[q].Unite.Lire();
        if (!unite.empty()) t += "(" + unite + ")";
    }
    t += FinLigne;
    const Caracteristique& c = Caracts[k];
    for (int p = 0; p <= std::min(c.Dernier(), DernierPointMax); ++p) {
        for (int q = 0; q < NbGrandeurs; ++q) {
            if (q) t += '\t';
            t += FormatFixe(c.Point(q, p), Etude.Grandeurs[q].Decimales);
        }
        t += FinLigne;
    }
}

std::string CellCsv(const std::string& s, char separateur) {
    if (s.find_first_of(std::string("\"\r\n") + separateur) == std::string::npos) return s;
    std::string o = "\"";
    for (char ch : s) {
        if (ch == '"') o += '"';
        o += ch;
    }
    return o + "\"";
}

}  // namespace

std::string TexteValeurs(int r) {
    std::string t;
    if (r <= 0) {
        for (int k = 1; k <= NbCaractMax; ++k) {
            if (!RecordAvecPoints(k)) continue;
            t += VersCp1252(Textes.MotEssai) + " " + std::to_string(k) + "\t" +
                 Caracts[k].Entete.Commentaire.Lire() + FinLigne;
            AjouterBloc(t, k);
        }
    } else if (r <= NbCaractMax) {
        AjouterBloc(t, r);
    }
    return t;
}

std::string CsvValeurs(int r, bool virguleDecimale) {
    const char sep = virguleDecimale ? ';' : ',';
    const char virgule = virguleDecimale ? ',' : '.';
    std::string t = CellCsv(std::string(Textes.MotEssai), sep);
    for (int q = 0; q < NbGrandeurs; ++q) {
        const DescGrandeur& g = Etude.Grandeurs[q];
        std::string titre = DepuisCp1252(g.Symbole.Lire());
        const std::string unite = DepuisCp1252(g.Unite.Lire());
        if (!unite.empty()) titre += " (" + unite + ")";
        t += sep;
        t += CellCsv(titre, sep);
    }
    t += FinLigne;
    for (int k = 1; k <= NbCaractMax; ++k) {
        if (r > 0 && k != r) continue;
        const Caracteristique& c = Caracts[k];
        for (int p = 0; p <= std::min(c.Dernier(), DernierPointMax); ++p) {
            t += std::to_string(k);
            for (int q = 0; q < NbGrandeurs; ++q) {
                t += sep;
                t += FormatFixe(c.Point(q, p), Etude.Grandeurs[q].Decimales, virgule);
            }
            t += FinLigne;
        }
    }
    return t;
}

std::string CsvValeursLangue(int r, int32_t langue) {
    return CsvValeurs(r, langue != LangueAnglais);
}

}  // namespace orvane
