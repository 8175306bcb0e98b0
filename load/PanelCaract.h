// The load panel: sliders for the parameters of an emulated industrial load
// (types 6..18) and its torque-speed characteristic, edited in place in
// ReglagesCourants. The choice window holds two of them.
#pragma once

#include <QFrame>

namespace orvane {

class TPanelCaract : public QFrame {
    Q_OBJECT

public:
    explicit TPanelCaract(QWidget* parent = nullptr);

    // Shows characteristic type `type` (6..18) with the words of ReglagesCourants.
    void SetMode(QObject* sender, int type);
    // Recomputes the captions and values and redraws the plot from the words.
    void Action(QObject* sender);

private:
    int type_ = 0;
};

}  // namespace orvane
