// The tracing window.
#pragma once

#include <QMainWindow>

#include "dialogs/Fenetres.h"

namespace orvane {

class TFormTraceCaract : public QMainWindow, public IFenetreTrace {
    Q_OBJECT

public:
    explicit TFormTraceCaract(QWidget* parent = nullptr);

    void Setcourbe() override;
    void Montrer() override;
    bool EstVisible() const override;
    void Langue() override;
    bool Avertissement() override;
};

}  // namespace orvane
