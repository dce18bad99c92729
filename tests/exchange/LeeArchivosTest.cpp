// The ticket answer reader: header then items into gColErrores; a bad answer shows its message.
#include <QDir>

#include "core/modTarsa.h"
#include "support/Entorno.h"

namespace {
class LeerRespuesta : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gQueloPath = dirTrabajo;
        gTermDir = "term9";
        QDir().mkpath(DirectorioIntercambio() + "/DownLoad");
    }
    QString Descarga(const char* n) { return DirectorioIntercambio() + "/DownLoad/" + n; }
};
}  // namespace

TEST_F(LeerRespuesta, HeaderThenItemsAndABadCodeShowsItsMessage) {
    QByteArray cabecera(372, ' '), item(246, ' ');
    cabecera.replace(296, 4, "0105");
    item.replace(170, 4, "0212");
    EscribirArchivo(Descarga("_SVL.1"), cabecera);
    EscribirArchivo(Descarga("_SVL.3"), item);
    EXPECT_TRUE(LeeArchivos());
    ASSERT_EQ(gColErrores.size(), 2);
    EXPECT_EQ(gColErrores[0].Numero, 105);
    EXPECT_EQ(gColErrores[1].Numero, 212);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());

    item.replace(170, 4, "X212");
    EscribirArchivo(Descarga("_SVL.3"), item);
    gColErrores.clear();
    EXPECT_FALSE(LeeArchivos());
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Error");
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbCritical);
    EXPECT_TRUE(mensajes.mostrados[0].texto.contains("X212"));
}
