// The list of the serial ports the system declares, and the one chosen.
//
// The ports are the tty devices of /sys/class/tty that stand for real
// hardware (they have a `device` link; a legacy 8250 slot with no UART behind
// it is left out), named as under /dev ("ttyS0", "ttyUSB0", "ttyACM0"),
// in natural order. Names longer than the configuration's 10 characters are
// left out: they could not be stored.
//
// The configuration window shows the list as a radio group and keeps the
// selection here.
#pragma once

#include <string>
#include <vector>

namespace orvane {

class TComSelection {
public:
    // `racine` is the folder of the tty class; tests give a folder of their own.
    explicit TComSelection(std::string racine = "/sys/class/tty");

    // Replaces `liste` with the ports found. When the folder cannot be read:
    // "Erreur A1 " and the list is left as it was; when the listing breaks
    // off: "Erreur A2 " and the ports found so far are kept.
    void EnumComPorts(std::vector<std::string>& liste) const;

    // Lists the ports into Items and selects the last one equal to `nom`
    // (none, -1, when none matches). Returns the index selected.
    int Setnumcomport(const std::string& nom);
    int NumComportSelect() const { return selection_; }
    // The selected port, or an empty name when none is selected.
    void NomComportSelect(std::string& nom) const;

    // Selects item i (-1 or any index outside the list: none), as a click
    // in the radio group does.
    void Selectionner(int i);

    std::vector<std::string> Items;

private:
    std::string racine_;
    int selection_ = -1;
};

// "ttyS2" before "ttyS10", "ttyS*" before "ttyUSB*".
bool AvantNaturel(const std::string& a, const std::string& b);

}  // namespace orvane
