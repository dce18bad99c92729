#pragma once
// The sample ticket request of tests/data/README.md, written by the client's writers into directorio/UpLoad.
#include <gtest/gtest.h>

#include "catalogs/clsDiagnostico.h"
#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"

inline clsTicket CabeceraMuestra(const QString& version, int tipo) {
    return {.Version = version,
            .CodigoOperacion = 1,
            .TipoPrestador = tipo,
            .Tarjeta = "6034930000012345",
            .TipoLectura = "1",
            .Prestador = "30512",
            .PrestadorSolicitante = "4471",
            .TicketPadre = "4567",
            .NTransaccionFarmacia = "537",
            .Farmacia = "4512",
            .TipoReceta = "1",
            .Receta = QString::fromUtf8("Nº778123"),
            .FechaReceta = "05/12/2026",
            .FechaEmisionRecetario = "01/12/2026",
            .FechaVenta = "06/12/2026",
            .HoraVenta = "14:35",
            .FechaPractica = "06/12/2026",
            .HoraPractica = "09:30",
            .Consulta = "CONS-01",
            .TipoMatriculaRe = "1",
            .MatriculaRe = "12345",
            .TipoMatriculaPr = "2",
            .MatriculaPr = "67890",
            .TipoMatriculaAu = "3",
            .MatriculaAu = "4321",
            .TipoAutorizacion = "A",
            .Autorizacion = "778899",
            .DocumentacionExtra = "DX1",
            .CodigoFinTerapia = "2",
            .DescuentoPrestador = "10",
            .DescuentoOS = "5",
            .TipoDocumentoRetira = "1",
            .DocumentoRetira = "2812345"};
}

inline void Item1(clsItemTicket& i) {
    i.Troquel = "512345";
    i.CodigoBarra = "7795312000123";
    i.Cantidad = "2";
    i.Precio = "152050";
    i.Descuento = "150";
    i.PorcentajeCobertura = "40";
    i.Diagnostico = "I10";
    i.TipoAutorizacion = "Normal";
    i.Autorizacion = "AU55501";
    i.TipoPrescripcion = 2;
    i.CambioPrescripcion = false;
    i.TipoArancel = "1";
    i.Practica = "420101";
    i.PiezaDental = "18";
    i.CaraDental = "MOD";
}

inline void Item2(clsItemTicket& i) {
    i.Troquel = "2233445";
    i.CodigoBarra = " 779531200045";
    i.Cantidad = "1";
    i.Precio = "89900";
    i.Diagnostico = "E119";
    i.TipoAutorizacion = QString::fromUtf8("Crónico");
    i.CambioPrescripcion = true;
    i.Practica = "420351";
}

// Header, items (pharmacy writer for provider kind 1) and diagnoses, each with its own writer object.
inline void GrabarPedido(const QString& directorio, const QString& version, int tipo) {
    ASSERT_NO_THROW(CabeceraMuestra(version, tipo).GrabarSVL1(directorio));
    clsItemTicket it;
    it.Version = version;
    it.TipoPrestador = tipo;
    it.CodigoProveedor = "8812";  // kept from item to item
    ASSERT_NO_THROW(it.AbrirArchivo(directorio));
    for (auto poner : {Item1, Item2}) {
        it.InicializarVariables();
        it.PlanCobertura = "PMO";
        it.TipoPractica = "3";
        poner(it);
        ASSERT_NO_THROW(tipo == 1 ? it.GrabarSVL3() : it.GrabarSVL2());
    }
    it.CerrarArchivo();
    clsDiagnostico dg;
    ASSERT_NO_THROW(dg.AbrirArchivo(directorio));
    for (const char* codigo : {"J45.0", " I10 "}) {
        dg.InicializarVariables();
        dg.Diagnostico = codigo;
        ASSERT_NO_THROW(dg.GrabarSVL4());
    }
    dg.CerrarArchivo();
}
