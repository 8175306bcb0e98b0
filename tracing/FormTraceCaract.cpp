#include "tracing/FormTraceCaract.h"

namespace orvane {

TFormTraceCaract::TFormTraceCaract(QWidget* parent) : QMainWindow(parent) {}

void TFormTraceCaract::Setcourbe() {}

void TFormTraceCaract::Montrer() { show(); }

bool TFormTraceCaract::EstVisible() const { return isVisible(); }

void TFormTraceCaract::Langue() {}

bool TFormTraceCaract::Avertissement() { return true; }

}  // namespace orvane
