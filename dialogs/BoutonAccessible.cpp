#include "dialogs/BoutonAccessible.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QRadioButton>

namespace orvane {

namespace {

class TBoutonBascule : public QAccessibleWidget {
public:
    explicit TBoutonBascule(QAbstractButton* b) : QAccessibleWidget(b, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            QString nom = widget()->accessibleName();
            if (nom.isEmpty()) nom = Bouton()->text().remove(QLatin1Char('&'));
            if (!nom.isEmpty()) return nom;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Bouton()->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        QStringList noms = QAccessibleWidget::actionNames();
        if (widget()->isEnabled()) noms = QStringList{toggleAction(), pressAction()} + noms;
        return noms;
    }
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction()) {
            if (widget()->isEnabled()) Bouton()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* Bouton() const { return static_cast<QAbstractButton*>(widget()); }
};

}  // namespace

QAccessibleInterface* FabriqueBoutonsBascule(const QString&, QObject* objet) {
    auto* b = qobject_cast<QAbstractButton*>(objet);
    // Check boxes and radio buttons flip as their clicks do already.
    if (b == nullptr || !b->isCheckable() || qobject_cast<QCheckBox*>(objet) ||
        qobject_cast<QRadioButton*>(objet))
        return nullptr;
    return new TBoutonBascule(b);
}

void InstallerBoutonsAccessibles() {
    static bool installe = false;
    if (installe) return;
    installe = true;
    QAccessible::installFactory(FabriqueBoutonsBascule);
}

}  // namespace orvane
