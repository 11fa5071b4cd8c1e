// Descriptors that once left a wrong state behind.
#include "comun.h"

#include "update/sesion_actualizacion.h"

#include <string>

namespace {

class RegresionDescriptor : public PruebaActualizacion {};

} // namespace

// A digest tag cut short or running on kept the digits read before the fault: the
// session must hold no digest at all once the tag is refused, whatever came before.
TEST_F(RegresionDescriptor, UnResumenMalFormadoNoDejaDigitos) {
  const std::string bueno(64, 'a');
  const std::string casos[] = {
      "QOR_Fenestrali_2 1:306 sha256=23390b3b27dc74797f6aced96",
      "QOR_Fenestrali_2 1:306 sha256=" + std::string(63, 'b') + "x",
      "QOR_Fenestrali_2 1:306 sha256=" + std::string(65, 'c'),
  };
  for (const std::string &texto : casos) {
    PublicarSmx(Descriptor("QOR_Fenestrali_2 1:306 sha256=" + bueno));
    ASSERT_TRUE(ComprobarVersion());
    ASSERT_EQ(std::string(laSesionActualizacion.resumenCab), bueno);
    PublicarSmx(Descriptor(texto));
    EXPECT_TRUE(ComprobarVersion()) << texto;
    EXPECT_EQ(laSesionActualizacion.versionRemota, 0) << texto;
    EXPECT_EQ(std::string(laSesionActualizacion.resumenCab), "") << texto;
  }
}
