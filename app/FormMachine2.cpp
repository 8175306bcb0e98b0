#include "app/FormMachine2.h"

namespace orvane {

TFormMachine2::TFormMachine2(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Orvane"));
}

}  // namespace orvane
