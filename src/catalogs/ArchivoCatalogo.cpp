#include "catalogs/ArchivoCatalogo.h"

#include <cstring>

namespace ArchivoCatalogo {

namespace {

const DisenoCatalogo kMedicosV250{"_SAL.2", 51, {{"Matricula", 6}, {"TipoMatricula", 2}, {"Nombre", 40}, {"Baja", 1}}};
const DisenoCatalogo kMedicosV101Farmacia{"_SAL.2", 44, {{"Matricula", 6}, {"Nombre", 35}, {"Baja", 1}}};
const DisenoCatalogo kMedicosV101Otros{
    "_SAL.2", 46, {{"TipoMatricula", 2}, {"Matricula", 6}, {"Nombre", 35}, {"Baja", 1}}};
const DisenoCatalogo kMedicamentosV250{"_SAL.3",
                                       121,
                                       {{"Troquel", 7},
                                        {"CodigoBarra", 13},
                                        {"Nombre", 50},
                                        {"Presentacion", 25},
                                        {"Precio", 11},
                                        {"TipoMedicamento", 3},
                                        {"CodProveedor", 9},
                                        {"Baja", 1}}};
const DisenoCatalogo kMedicamentosV101{"_SAL.3",
                                       96,
                                       {{"Troquel", 7},
                                        {"CodigoBarra", 13},
                                        {"Nombre", 30},
                                        {"Presentacion", 24},
                                        {"Precio", 13},
                                        {"TipoMedicamento", 1},
                                        {"CodProveedor", 5},
                                        {"Baja", 1}}};
const DisenoCatalogo kDiagnosticosV250{"_SAL.4", 163, {{"Codigo", 10}, {"Nombre", 150}, {"Baja", 1}}};
const DisenoCatalogo kDiagnosticosV101{"_SAL.5", 158, {{"Codigo", 6}, {"Nombre", 150}}};

}  // namespace

const DisenoCatalogo& Medicos(const QString& version, const QString& tipoActividad) {
    if (version != "V101") return kMedicosV250;
    return tipoActividad == "1" ? kMedicosV101Farmacia : kMedicosV101Otros;
}

const DisenoCatalogo& Medicamentos(const QString& version) {
    return version == "V101" ? kMedicamentosV101 : kMedicamentosV250;
}

const DisenoCatalogo& Diagnosticos(const QString& version) {
    return version == "V101" ? kDiagnosticosV101 : kDiagnosticosV250;
}

int Posicion(const DisenoCatalogo& diseno, const char* nombre) {
    for (int i = 0; i < diseno.Campos.size(); ++i)
        if (std::strcmp(diseno.Campos[i].Nombre, nombre) == 0) return i;
    return -1;
}

}  // namespace ArchivoCatalogo
