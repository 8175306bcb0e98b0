// The simulated bench served to a standard libmodbus master.
#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <cerrno>

#include "OutilsEssai.h"
#include "comm/Passerelle.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

// A standard libmodbus master sets K with function 6 over a pty; an illegal
// register is refused and the link still answers.
TEST(BancServi, ConstanteKParEcritureSimple) {
    ServeurEnFond banc;
    banc.variateur.SetTypeMachine(MasTriphasee);
    banc.serveur.SuivreHorloge([] { return int64_t{0}; });
    const std::string nom = banc.Pty();
    ASSERT_FALSE(nom.empty());
    modbus_t* m = modbus_new_rtu(("/dev/" + nom).c_str(), 19200, 'N', 8, 1);
    modbus_set_slave(m, 1);
    modbus_set_response_timeout(m, 1, 0);
    uint16_t k = 0, mesures[NbMesures] = {};
    EXPECT_EQ(modbus_connect(m), 0) << modbus_strerror(errno);
    EXPECT_EQ(modbus_write_register(m, ParamConstanteK.Adresse(), 500), 1);
    EXPECT_EQ(modbus_read_registers(m, ParamStatut.Adresse(), NbMesures, mesures), NbMesures);
    EXPECT_EQ(mesures[ParamConstanteEnCours.parametre - ParamStatut.parametre], 500);
    EXPECT_TRUE(modbus_write_register(m, ParamVitesse.Adresse(), 1) == -1 && errno == EMBXILADD);
    EXPECT_EQ(modbus_read_registers(m, ParamConstanteK.Adresse(), 1, &k), 1);
    EXPECT_EQ(k, 500);
    modbus_close(m);
    modbus_free(m);
}
