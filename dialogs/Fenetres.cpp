#include "dialogs/Fenetres.h"

namespace orvane {

QWidget* FormMachine2 = nullptr;
IFenetreTrace* FormTraceCaract = nullptr;
IFenetreVisuApp* FormVisuApp = nullptr;
IFenetreChoix* FenetreChoix = nullptr;

}  // namespace orvane
