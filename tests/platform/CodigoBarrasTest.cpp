// The printed ticket: its text unchanged and, under it, barcodes that a scanner reads back.
#include <gmock/gmock.h>

#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/CodigoBarras.h"
#include "platform/DocumentoTicket.h"
#include "support/Entorno.h"
#include "support/LectorBarras.h"
#include "ui/modRespuesta.h"

using CodigoBarrasTest = Entorno;

TEST_F(CodigoBarrasTest, BarcodesReadBackAsTheCodesAndTheTextStaysAsItWas) {
    const QString texto = QString::fromUtf8(
        "FARMACIA CENTRAL\r\nTicket Nº 1234  Afiliado 6034930000012345\r\n"
        "Amoxicilina 500  x1   $ 1.234,56\r\n");
    const struct { QStringList codigos; } casos[] = {{{"1234"}}, {{"100000012345", "778899"}}, {{"A-77/Z"}}, {{}}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigos.join(",").toStdString());
        auto documento = DocumentoTicket(texto, c.codigos);
        EXPECT_THAT(LeerCodigos(DibujarDocumento(*documento)), ::testing::UnorderedElementsAreArray(c.codigos));
        // The terminal's text first, whole; then only the barcodes and their codes.
        QString plano = documento->toPlainText();
        EXPECT_TRUE(plano.startsWith(QString(texto).replace("\r\n", "\n"))) << plano.toStdString();
        plano.remove(0, QString(texto).replace("\r\n", "\n").size()).remove(QChar::ObjectReplacementCharacter);
        EXPECT_EQ(plano.split('\n', Qt::SkipEmptyParts), c.codigos);
    }
    EXPECT_TRUE(CodigoBarras::Code128("").isNull());
}

TEST_F(CodigoBarrasTest, TheCodesComeFromTheAnswerUnlessTheSettingTurnsThemOff) {
    QString cabecera(372, ' ');
    cabecera.replace(249, 12, "000000001234").replace(227, 12, "AUT-5566    ");
    EXPECT_EQ(CodigosDeRespuesta(cabecera), QStringList({"1234", "AUT-5566"}));
    cabecera.replace(227, 12, QString(12, ' '));
    EXPECT_EQ(CodigosDeRespuesta(cabecera), QStringList({"1234"}));
    EXPECT_EQ(CodigosDeRespuesta(QString(372, ' ')), QStringList());
    Ajustes::Guardar(kAplicacion, kSeccionStart, "CodigoBarrasTicket", "0");
    EXPECT_EQ(CodigosTicket("1234", "AUT-5566"), QStringList());
}
