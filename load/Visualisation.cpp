#include "load/Visualisation.h"

namespace orvane {

TFormVisualisation* FormVisualisation = nullptr;

TFormVisualisation::TFormVisualisation(QWidget* parent) : QWidget(parent) {}

}  // namespace orvane
