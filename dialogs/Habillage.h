// The look the windows share: bold Arial (Liberation Sans on Linux), teal
// bars, texts of the current table, and the placing of a dialog over the
// main menu.
#pragma once

#include <QAbstractScrollArea>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QString>
#include <QWidget>
#include <string_view>

#include "texts/TextesOrvane.h"

namespace orvane {

// Teal of the bars and frames (0x808000 as 0x00BBGGRR).
inline const QColor CouleurBarre(0, 128, 128);

inline QFont PoliceArial(int points, bool gras = true) {
    QFont f(QStringLiteral("Arial"), points);
    f.setBold(gras);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

inline QString VersQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Numbered text n of the current text table.
inline QString TexteNumero(int n) { return VersQString(Textes.Texte(n)); }

// The scroll bars of `zone` take its name, for screen readers.
inline void NommerDefilement(QAbstractScrollArea* zone, const QString& nom) {
    zone->horizontalScrollBar()->setAccessibleName(nom);
    zone->verticalScrollBar()->setAccessibleName(nom);
}

// Puts `w` in the middle of `sur`, or of the active window when `sur` is
// hidden; in the middle of the screen when `sur` is null or no window shows.
inline void Centrer(QWidget* w, const QWidget* sur) {
    QRect cadre;
    if (sur != nullptr && !sur->isVisible()) sur = QApplication::activeWindow();
    if (sur != nullptr && sur != w && sur->isVisible())
        cadre = sur->frameGeometry();
    else if (const QScreen* ecran = QGuiApplication::primaryScreen())
        cadre = ecran->availableGeometry();
    if (cadre.isValid()) w->move(cadre.center() - w->rect().center());
}

}  // namespace orvane
