#include "dialogs/ImageJpeg.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "dialogs/Emplacements.h"

namespace orvane {

namespace {

// A decoding error jumps back to the caller instead of ending the program.
// Warnings (a file cut short, corrupt data) count as failures too: the
// library would otherwise fill the missing rows with grey.
struct GestionErreur {
    jpeg_error_mgr base;
    std::jmp_buf retour;
    int avertissements;
};

// The largest picture decoded: far above any window's, far below what a
// forged header could make the program allocate.
constexpr long long PixelsMax = 40'000'000;

[[noreturn]] void SortieErreur(j_common_ptr info) {
    auto* e = reinterpret_cast<GestionErreur*>(info->err);
    std::longjmp(e->retour, 1);
}

void Message(j_common_ptr info, int niveau) {
    // Level -1 is a warning about the data; higher levels are trace output.
    if (niveau < 0) reinterpret_cast<GestionErreur*>(info->err)->avertissements += 1;
}

void Silence(j_common_ptr) {}

// Nothing with a destructor lives in this frame after setjmp: a longjmp
// leaves it at any point of the library calls. The result goes to `sortie`,
// an object of the caller's frame.
bool Decoder(const unsigned char* donnees, unsigned long taille, QImage* sortie) {
    jpeg_decompress_struct info;
    GestionErreur erreur;
    info.err = jpeg_std_error(&erreur.base);
    erreur.base.error_exit = SortieErreur;
    erreur.base.emit_message = Message;
    erreur.base.output_message = Silence;
    erreur.avertissements = 0;
    jpeg_create_decompress(&info);
    if (setjmp(erreur.retour)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, donnees, taille);
    jpeg_read_header(&info, TRUE);
    if (static_cast<long long>(info.image_width) * info.image_height > PixelsMax) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool cmjn = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmjn ? JCS_CMYK : JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    const int largeur = static_cast<int>(info.output_width);
    const int hauteur = static_cast<int>(info.output_height);
    const int composantes = info.output_components;
    if (largeur <= 0 || hauteur <= 0 || (composantes != 3 && composantes != 4)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *sortie = QImage(largeur, hauteur, QImage::Format_RGB32);
    if (sortie->isNull()) {  // too large to hold
        jpeg_destroy_decompress(&info);
        return false;
    }
    JSAMPARRAY ligne = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 info.output_width * composantes, 1);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, ligne, 1);
        auto* pixels = reinterpret_cast<QRgb*>(sortie->scanLine(y));
        const JSAMPLE* s = ligne[0];
        for (int x = 0; x < largeur; ++x, s += composantes) {
            if (composantes == 3) {
                pixels[x] = qRgb(s[0], s[1], s[2]);
            } else {
                // Adobe files store the inks inverted: 255 is no ink.
                const int k = s[3];
                pixels[x] = qRgb(s[0] * k / 255, s[1] * k / 255, s[2] * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&info);
    const bool propre = erreur.avertissements == 0;
    jpeg_destroy_decompress(&info);
    return propre;
}

bool Coder(const QImage* image, int qualite, unsigned char** tampon, unsigned long* taille) {
    jpeg_compress_struct info;
    GestionErreur erreur;
    info.err = jpeg_std_error(&erreur.base);
    erreur.base.error_exit = SortieErreur;
    erreur.base.output_message = Silence;
    erreur.avertissements = 0;
    jpeg_create_compress(&info);
    if (setjmp(erreur.retour)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_mem_dest(&info, tampon, taille);
    info.image_width = static_cast<JDIMENSION>(image->width());
    info.image_height = static_cast<JDIMENSION>(image->height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, qualite, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPARRAY ligne = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 info.image_width * 3, 1);
    while (info.next_scanline < info.image_height) {
        const auto* pixels = reinterpret_cast<const QRgb*>(
            image->constScanLine(static_cast<int>(info.next_scanline)));
        JSAMPLE* d = ligne[0];
        for (int x = 0; x < image->width(); ++x) {
            *d++ = static_cast<JSAMPLE>(qRed(pixels[x]));
            *d++ = static_cast<JSAMPLE>(qGreen(pixels[x]));
            *d++ = static_cast<JSAMPLE>(qBlue(pixels[x]));
        }
        jpeg_write_scanlines(&info, ligne, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

QImage DecoderJpeg(const QByteArray& octets) {
    QImage image;
    if (octets.isEmpty()) return image;
    const bool bon = Decoder(reinterpret_cast<const unsigned char*>(octets.constData()),
                             static_cast<unsigned long>(octets.size()), &image);
    return bon ? image : QImage();
}

QImage LireJpeg(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return DecoderJpeg(f.readAll());
}

bool EcrireJpeg(const QImage& image, const QString& chemin, int qualite) {
    if (image.isNull()) return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    unsigned char* tampon = nullptr;
    unsigned long taille = 0;
    const bool bon =
        Coder(&rgb, qualite < 1 ? 1 : (qualite > 100 ? 100 : qualite), &tampon, &taille);
    bool ecrit = false;
    if (bon) {
        QFile f(chemin);
        ecrit = f.open(QIODevice::WriteOnly) &&
                f.write(reinterpret_cast<const char*>(tampon), static_cast<qint64>(taille)) ==
                    static_cast<qint64>(taille);
    }
    std::free(tampon);
    return ecrit;
}

QString CheminImage(const QString& nom) { return CheminFourni(QStringLiteral("images/") + nom); }

}  // namespace orvane
