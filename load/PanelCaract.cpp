#include "load/PanelCaract.h"

namespace orvane {

TPanelCaract::TPanelCaract(QWidget* parent) : QFrame(parent) {}

void TPanelCaract::SetMode(QObject* sender, int type) {
    type_ = type;
    Action(sender);
}

void TPanelCaract::Action(QObject*) {}

}  // namespace orvane
