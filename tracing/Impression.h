// The one-page report of the study (title, legend of the trials, the shown
// graph views) drawn on a printer or into a PDF file through the tracing
// window's plot frames, and the lab report written from the window.
#pragma once

#include <QString>
#include <array>

#include "tracing/RapportPdf.h"

class QPainter;
class QPrinter;

namespace orvane {

class TCaractMachine;

// The plot frames of the tracing window (index k - 1 for view k); a null
// entry draws that view with a graph of its own.
using CadresTrace = std::array<TCaractMachine*, 4>;

// Draws the report (the study's page) on a painter whose drawable page is
// (0, 0, largeur, hauteur) in device pixels; the graph of the frame of each
// view draws it when given.
void DessinerRapport(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                     const CadresTrace& cadres = {});

// Prints the report on the printer. A job that cannot start (no printer, a
// file that cannot be made) or end is reported to the user and gives false.
bool ImprimerRapport(QPrinter& imprimante, const VuesMontrees& montrees,
                     const CadresTrace& cadres = {});

// The report as the bytes of a one-page PDF document on the given page.
QByteArray RapportPdf(const QPageLayout& page, const VuesMontrees& montrees,
                      const CadresTrace& cadres = {});
// The page of the PDF export: the printer's page when one was set up,
// otherwise A4 portrait with 10 mm margins.
QPageLayout PagePdf();

// Writes the report to a PDF file, replacing it whole. A failure (read-only
// folder, full disk) is reported to the user and gives false.
bool ExporterRapportPdf(const QString& chemin, const VuesMontrees& montrees,
                        const CadresTrace& cadres = {});

// ---- the tracing window's commands ----

// Print dialog, then the report on the chosen printer. False when cancelled
// or when the job failed (already reported).
bool Imprimer(const VuesMontrees& montrees, const CadresTrace& cadres = {});
// "Exporter en PDF": asks for a file name, then writes the report. False
// when cancelled or failed (already reported).
bool ExporterPdf(const VuesMontrees& montrees, const CadresTrace& cadres = {});

// Writes the lab report (RapportPdf.h) on the page of the PDF export, its
// first page drawn through the frames, replacing the file whole. A failure
// is reported to the user and gives false, leaving no file.
bool ExporterCompteRenduPdf(const QString& chemin, const VuesMontrees& montrees,
                            const CadresTrace& cadres = {});
// "Compte rendu PDF": asks for a file name, then writes the lab report.
// False when cancelled or failed (already reported).
bool ExporterCompteRendu(const VuesMontrees& montrees, const CadresTrace& cadres = {});

}  // namespace orvane
