#pragma once
// The catalog files the terminal delivers (_SAL.2 doctors, _SAL.3 medications, _SAL.4/_SAL.5
// diagnoses): fixed-length records described as data, read field by field.
#include <QByteArray>
#include <QList>
#include <QString>

struct CampoCatalogo {
    const char* Nombre;
    int Ancho;
};

struct DisenoCatalogo {
    const char* Archivo;  // name in the download directory
    int Longitud;         // whole record, line end included
    QList<CampoCatalogo> Campos;
};

namespace ArchivoCatalogo {

// The layouts by version and activity type ("1" pharmacy).
const DisenoCatalogo& Medicos(const QString& version, const QString& tipoActividad);
const DisenoCatalogo& Medicamentos(const QString& version);
const DisenoCatalogo& Diagnosticos(const QString& version);

// The position of a field in the layout; -1 when it has none of that name.
int Posicion(const DisenoCatalogo& diseno, const char* nombre);

}  // namespace ArchivoCatalogo
