// Reads a workbook back through the unzip tool: its sheet names, the cells
// of a sheet (shared strings resolved, with their number formats) and the
// formulas of its charts.
#pragma once

#include <cstdio>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace orvane::essai {

// One member of a zip archive, empty when absent.
inline std::string Membre(const std::string& zip, const std::string& nom) {
    const std::string commande = "unzip -p '" + zip + "' '" + nom + "' 2>/dev/null";
    std::string texte;
    if (std::FILE* f = ::popen(commande.c_str(), "r")) {
        char tampon[4096];
        for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;) texte.append(tampon, n);
        ::pclose(f);
    }
    return texte;
}

inline std::string SansEntites(std::string s) {
    static const std::pair<const char*, const char*> entites[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [e, c] : entites)
        for (size_t p; (p = s.find(e)) != std::string::npos;) s.replace(p, std::strlen(e), c);
    return s;
}

// Every match of group 1 of `motif` in `texte`, in order.
inline std::vector<std::string> Toutes(const std::string& texte, const std::string& motif) {
    std::vector<std::string> v;
    const std::regex re(motif);
    for (auto it = std::sregex_iterator(texte.begin(), texte.end(), re);
         it != std::sregex_iterator(); ++it)
        v.push_back(SansEntites((*it)[1].str()));
    return v;
}

struct Cellule {
    std::string valeur;  // the text, or the number as written
    bool nombre = false;
    std::string format;  // the number format ("0.00"), "" for General
};

struct Classeur {
    explicit Classeur(const std::string& chemin) : zip(chemin) {
        feuilles = Toutes(Membre(zip, "xl/workbook.xml"), "<sheet name=\"([^\"]*)\"");
        chaines = Toutes(Membre(zip, "xl/sharedStrings.xml"), "<t[^>]*>([^<]*)</t>");
        const std::string styles = Membre(zip, "xl/styles.xml");
        std::map<std::string, std::string> codes = {{"0", ""}, {"1", "0"}, {"2", "0.00"}};
        const std::regex numFmt("<numFmt numFmtId=\"(\\d+)\" formatCode=\"([^\"]*)\"");
        for (auto it = std::sregex_iterator(styles.begin(), styles.end(), numFmt);
             it != std::sregex_iterator(); ++it)
            codes[(*it)[1].str()] = SansEntites((*it)[2].str());
        const size_t xfs = styles.find("<cellXfs");
        for (const std::string& id :
             Toutes(styles.substr(xfs == std::string::npos ? styles.size() : xfs),
                    "<xf numFmtId=\"(\\d+)\""))
            formatsStyles.push_back(codes[id]);
    }

    // Cells of sheet n (1, 2 ...) by reference ("B7").
    std::map<std::string, Cellule> Cellules(int n) const {
        std::map<std::string, Cellule> cellules;
        const std::string xml = Membre(zip, "xl/worksheets/sheet" + std::to_string(n) + ".xml");
        const std::regex c(
            "<c r=\"([A-Z]+\\d+)\"([^>]*?)(?:/>|>(?:<f>[^<]*</f>)?<v>([^<]*)</v></c>)");
        for (auto it = std::sregex_iterator(xml.begin(), xml.end(), c);
             it != std::sregex_iterator(); ++it) {
            const std::string attributs = (*it)[2].str(), v = (*it)[3].str();
            Cellule cel;
            std::smatch s;
            if (std::regex_search(attributs, s, std::regex("s=\"(\\d+)\"")))
                cel.format = formatsStyles.at(std::stoul(s[1].str()));
            cel.nombre = attributs.find("t=\"s\"") == std::string::npos;
            cel.valeur = cel.nombre ? v : chaines.at(std::stoul(v));
            cellules[(*it)[1].str()] = cel;
        }
        return cellules;
    }

    // The formulas of chart n: for each series, its name then its X and Y ranges.
    std::vector<std::string> Series(int n) const {
        return Toutes(Membre(zip, "xl/charts/chart" + std::to_string(n) + ".xml"),
                      "(?:<c:tx><c:v>|<c:f>)([^<]*)<");
    }

    std::string zip;
    std::vector<std::string> feuilles, chaines, formatsStyles;
};

}  // namespace orvane::essai
