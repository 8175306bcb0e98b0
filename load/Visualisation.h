// The live display window: the present values of the measured quantities,
// four times a second, while the load runs the chosen laboratory law.
#pragma once

#include <QWidget>

namespace orvane {

class TFormVisualisation : public QWidget {
    Q_OBJECT

public:
    explicit TFormVisualisation(QWidget* parent = nullptr);
};

extern TFormVisualisation* FormVisualisation;

}  // namespace orvane
