#pragma once
// The header of one ticket request: written as the header record _SVL.1 in one of four layouts
// (V101/V250 x pharmacy/other provider), and read back from the terminal's answer into gColErrores.
#include <QString>

#include "exchange/Registro.h"

class clsTicket {
public:
    QString Version;          // "V101" or "V250"
    int CodigoOperacion = 0;  // already translated for V101 by the caller
    int TipoPrestador = 0;    // 1 pharmacy, any other value another provider
    QString Tarjeta;
    QString TipoLectura;
    QString Prestador;
    QString PrestadorSolicitante;
    QString TicketPadre;
    QString NTransaccionFarmacia;
    QString Farmacia;
    QString TipoReceta;
    QString Receta;
    QString FechaReceta;
    QString FechaEmisionRecetario;
    QString FechaVenta;
    QString HoraVenta;
    QString FechaPractica;
    QString HoraPractica;  // "hh:mm"
    QString Consulta;
    QString TipoMatriculaRe;
    QString MatriculaRe;
    QString TipoMatriculaPr;
    QString MatriculaPr;
    QString TipoMatriculaAu;
    QString MatriculaAu;
    QString TipoAutorizacion;
    QString Autorizacion;
    QString DocumentacionExtra;
    QString CodigoFinTerapia;
    QString DescuentoPrestador;
    QString DescuentoOS;
    QString TipoDocumentoRetira;
    QString DocumentoRetira;

    // Writes directorio\UpLoad\_SVL.1 as record 1 (the file is not truncated). A version other than
    // V101 and V250 and file errors throw TarsaError.
    void GrabarSVL1(const QString& directorio) const;
    // Appends the errors of every record of directorio\DownLoad\_SVL.1 to errores. A missing
    // file adds nothing. A code that is not a number throws TarsaError, except in the V101 pharmacy
    // layout, where it counts as 0. An unknown version throws TarsaError.
    void LeerSVL1(const QString& directorio, QList<clsItemError>& errores) const;

    // The layout for a version and provider kind, or nullptr for an unknown version.
    static const Disposicion<clsTicket>* DisposicionPara(const QString& version, int tipoPrestador);
    // A field of a ticket's answer header, by its name in the V250 pharmacy layout (the shape every
    // ticket answer comes in), trimmed; empty when the text does not reach it. Positions count in
    // characters: the text is the Windows-1252 answer, one character a byte.
    static QString CampoRespuesta(const QString& respuesta, const QString& nombre);
};
