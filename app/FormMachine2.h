// The main menu: the picture of the bench and the seven commands of the
// program. Its creation reads the configuration before any window shows;
// its first display opens the link to the drive; its closing asks about
// unsaved work, releases the link, writes the configuration and ends the
// program.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace orvane {

class TFormMachine2 : public QWidget {
    Q_OBJECT

public:
    explicit TFormMachine2(QWidget* parent = nullptr);

    QLabel* Image1;
    QPushButton* ButtonTraceCarct;
    QPushButton* ButtonChargeStatique;
    QPushButton* ButtonChargeDynamique;
    QPushButton* ButtonOuvrir;
    QPushButton* ButtonNouveauTravail;
    QPushButton* ButtonConfigure;
    QPushButton* ButtonQuitter;

    // What ends the program once the closing is accepted; by default the
    // application's event loop stops, whatever other window is open.
    std::function<void()> FinProgramme;

public slots:
    // Start folder, configuration, network address, link state, new study.
    void FormCreate();
    // The link attempt of the first display, the work-file folder, captions.
    void FormShow();
    void ButtonTraceCarctClick();
    void ButtonChargeStatiqueClick();
    void ButtonChargeDynamiqueClick();
    void ButtonOuvrirClick();
    // Opens a work file chosen elsewhere (the dialog, the command line): the
    // tracing window shows it and the menu hides; a file that cannot be read
    // leaves its message, an empty study and the menu.
    bool OuvrirFichier(const QString& nom);
    void ButtonNouveauTravailClick();
    void ButtonConfigureClick();
    void ButtonQuitterClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The caption, the folder of the work-file dialogs and the button
    // captions, from the current text table and link.
    void Legender();
    void OuvrirChoix(int page);
    void EssayerLiaison();
    bool dejaMontre_ = false;
};

}  // namespace orvane
