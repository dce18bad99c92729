#pragma once
// The items of a ticket (medications for pharmacies, practices for other providers): written one
// record per item into one upload file, and read back from the terminal's answer into gColErrores.
#include <QString>
#include <optional>

#include "exchange/Registro.h"
#include "platform/ArchivoRegistros.h"

class clsItemTicket {
public:
    QString Version;        // "V101" or "V250"
    int TipoPrestador = 0;  // 1 pharmacy, any other value another provider
    QString Troquel;
    QString CodigoBarra;
    QString CodigoProveedor;
    QString Cantidad;
    QString Precio;  // hundredths
    QString Descuento;
    QString PorcentajeCobertura;
    QString PlanCobertura;
    QString Diagnostico;
    QString TipoAutorizacion;  // a prescription type name ("Normal", "Crónico"...), written as its code
    QString Autorizacion;
    int TipoPrescripcion = -1;               // -1 (or never set) goes as empty text
    std::optional<bool> CambioPrescripcion;  // "1"/"0"; empty text when never set
    QString TipoPractica;
    QString Practica;
    QString PiezaDental;
    QString CaraDental;
    QString TipoArancel;

    // Opens the upload file of the version and provider kind in directorio\UpLoad (_SVL.3 for V250
    // pharmacies, _SVL.2 otherwise). An unknown version throws TarsaError.
    void AbrirArchivo(const QString& directorio);
    // Empties the item's own properties before the next item; the version, provider kind,
    // TipoAutorizacion, CodigoProveedor and the record counter stay.
    void InicializarVariables();
    // Writes the current item as the next record: pharmacy layouts (GrabarSVL3) or other-provider
    // layouts (GrabarSVL2) of the version. Throws TarsaError on file errors.
    void GrabarSVL3();
    void GrabarSVL2();
    void CerrarArchivo();
    // Appends the errors of the answered items in directorio\DownLoad to errores; an unknown
    // version throws TarsaError.
    void LeerSVL2(const QString& directorio, QList<clsItemError>& errores) const;

    static const Disposicion<clsItemTicket>* DisposicionPara(const QString& version, int tipoPrestador);
    // The upload file name of a version and provider kind ("_SVL.3").
    static QString ArchivoSubida(const QString& version, int tipoPrestador);

private:
    void Grabar(bool farmacia);
    ArchivoRegistros archivo_;
    int registro_ = 0;
};
