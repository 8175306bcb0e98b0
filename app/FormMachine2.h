// The main menu.
#pragma once

#include <QWidget>

namespace orvane {

class TFormMachine2 : public QWidget {
    Q_OBJECT

public:
    explicit TFormMachine2(QWidget* parent = nullptr);
};

}  // namespace orvane
