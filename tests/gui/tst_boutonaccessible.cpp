// A toggle button driven through its accessible actions clicks as the mouse
// does: "Toggle" and "Press" run the command behind it, once each, and only
// while it is enabled. Check boxes keep the toolkit's own face.
#include <QtTest>
#include <QtWidgets>

#include "dialogs/BoutonAccessible.h"

using namespace orvane;

class TstBoutonAccessible : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallerBoutonsAccessibles(); }

    void actionsClick() {
        QWidget fenetre;
        auto* b = new QToolButton(&fenetre);
        b->setCheckable(true), b->setText(QStringLiteral("&Manuel"));
        auto* c = new QCheckBox(QStringLiteral("Case"), &fenetre);
        int clics = 0;
        connect(b, &QToolButton::clicked, &fenetre, [&] { ++clics; });
        fenetre.show();
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(b);
        QAccessibleActionInterface* a = i->actionInterface();
        QVERIFY(a && i->role() == QAccessible::CheckBox);
        QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Manuel"));
        a->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(clics == 1 && b->isChecked() && i->state().checked);
        a->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(clics == 2 && !b->isChecked());
        b->setEnabled(false);
        a->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(clics == 2 && !b->isChecked() &&
                a->actionNames().count(QAccessibleActionInterface::toggleAction()) == 0);
        QVERIFY(FabriqueBoutonsBascule(QStringLiteral("QCheckBox"), c) == nullptr);
        QVERIFY(FabriqueBoutonsBascule(QStringLiteral("QToolButton"), new QToolButton(&fenetre)) ==
                nullptr);  // not checkable
    }
};

QTEST_MAIN(TstBoutonAccessible)
#include "tst_boutonaccessible.moc"
