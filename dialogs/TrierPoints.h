// The choice of the sort order and of the quantity by which a curve's points
// are sorted. The opener runs exec() and, after OK, reads `Ordre()` and
// `GrandeurChoisie()`; the dialog itself changes no data.
#pragma once

#include <QDialog>
#include <QList>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace orvane {

class TFormTrierPoints : public QDialog {
    Q_OBJECT

public:
    explicit TFormTrierPoints(QWidget* parent = nullptr);

    QGroupBox* RadioGroupOrdre;
    QGroupBox* RadioGroupSelect;
    QPushButton* BitBtnOK;
    QPushButton* BitBtnCancel;
    // The items of the two groups: ascending, descending; one per available
    // quantity, in quantity order.
    QList<QRadioButton*> ItemsOrdre;
    QList<QRadioButton*> ItemsSelect;
    // The quantity number each item of RadioGroupSelect names.
    QList<int> GrandeursListees;

    // Selected item of RadioGroupOrdre: 0 ascending, 1 descending.
    int Ordre() const;
    // Selected item of RadioGroupSelect, -1 when none.
    int ItemChoisi() const;
    // The quantity that the selected item names (0, the point number, when
    // none is selected). For machines with unavailable quantities this
    // differs from the item index.
    int GrandeurChoisie() const;

public slots:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QButtonGroup* groupeOrdre_;
    QButtonGroup* groupeSelect_;
};

// The one instance of the program, set by the constructor.
extern TFormTrierPoints* FormTrierPoints;

}  // namespace orvane
