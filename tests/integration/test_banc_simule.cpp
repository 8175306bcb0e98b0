// The simulated bench served to a standard libmodbus master.
#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <cerrno>
#include <memory>

#include "OutilsEssai.h"
#include "comm/Passerelle.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

// A standard libmodbus master sets K with function 6 over a pty; an illegal
// register is refused and the link still answers.
TEST(BancServi, ConstanteKParEcritureSimple) {
    ServeurEnFond banc;
    banc.variateur.SetTypeMachine(MasTriphasee);
    banc.serveur.SuivreHorloge([] { return int64_t{0}; });
    const std::string nom = banc.Pty();
    ASSERT_FALSE(nom.empty());
    std::unique_ptr<modbus_t, void (*)(modbus_t*)> m(
        modbus_new_rtu(("/dev/" + nom).c_str(), 19200, 'N', 8, 1), [](modbus_t* c) {
            modbus_close(c);
            modbus_free(c);
        });
    modbus_set_slave(m.get(), 1);
    modbus_set_response_timeout(m.get(), 1, 0);
    ASSERT_EQ(modbus_connect(m.get()), 0) << modbus_strerror(errno);
    uint16_t k = 0, mesures[NbMesures] = {};
    ASSERT_EQ(modbus_write_register(m.get(), ParamConstanteK.Adresse(), 500), 1);
    ASSERT_EQ(modbus_read_registers(m.get(), ParamStatut.Adresse(), NbMesures, mesures), NbMesures);
    EXPECT_EQ(mesures[ParamConstanteEnCours.parametre - ParamStatut.parametre], 500);
    EXPECT_TRUE(modbus_write_register(m.get(), ParamVitesse.Adresse(), 1) == -1 &&
                errno == EMBXILADD);
    ASSERT_EQ(modbus_read_registers(m.get(), ParamConstanteK.Adresse(), 1, &k), 1);
    EXPECT_EQ(k, 500);
}

}  // namespace
