// The application animation window. For now it names the group of
// industrial applications it was asked to show.
#pragma once

#include <QWidget>

#include "dialogs/Fenetres.h"

class QLabel;

namespace orvane {

class TFormVisuApp : public QWidget, public IFenetreVisuApp {
    Q_OBJECT

public:
    explicit TFormVisuApp(QWidget* parent = nullptr);

    void DefinirGroupe(int groupe) override;
    void Montrer() override;

    int Groupe() const { return groupe_; }

private:
    QLabel* texte_;
    int groupe_ = 1;
};

}  // namespace orvane
