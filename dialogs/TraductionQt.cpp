#include "dialogs/TraductionQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

// The translation installed, and the language it stands for (English, Qt's
// own, needs none).
std::unique_ptr<QTranslator> traduction;
int32_t langueQt = LangueAnglais;

int32_t Normaliser(int32_t langue) {
    return langue == LangueAnglais || langue == LangueEspagnol ? langue : LangueFrancais;
}

}  // namespace

void TraduireQt(int32_t langue) {
    langue = Normaliser(langue);
    if (langue == langueQt) return;
    std::unique_ptr<QTranslator> nouvelle;
    if (langue != LangueAnglais) {
        nouvelle = std::make_unique<QTranslator>();
        const char* code = langue == LangueEspagnol ? "qtbase_es" : "qtbase_fr";
        if (!nouvelle->load(QString::fromLatin1(code),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            nouvelle.reset();
    }
    if (nouvelle) QCoreApplication::installTranslator(nouvelle.get());
    if (traduction) QCoreApplication::removeTranslator(traduction.get());
    traduction = std::move(nouvelle);
    langueQt = langue;
}

}  // namespace orvane
