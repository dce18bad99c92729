#pragma once
// What the demo installation works with: the terminal's configuration of one pharmacy with three
// insurers, and a small catalog of medications, doctors, diagnoses and plans.
#include <QList>
#include <QString>
#include <QtGlobal>

namespace Demo {

// The pharmacy's licence in the terminal network, the same for every insurer.
inline constexpr const char* kLicencia = "20451877";

// One record of _Quelo.emp.
struct EmpresaActividad {
    const char* codigoEmpresa;  // network code, 2 digits; its value is the company number
    const char* nombreEmpresa;
    const char* codigoActividad;  // 2 digits
    const char* nombreActividad;
};

// The activity the demo starts on: the insurer and activity numbers as the settings hold them.
inline constexpr const char* kEmpresaInicial = "11";
inline constexpr const char* kActividadInicial = "1";

struct Medicamento {
    qint32 troquel;
    const char* codigoBarra;
    const char* nombre;
    const char* presentacion;
    double precio;  // cents
    qint16 tipo;
    double codProveedor;
};

struct Medico {
    qint16 empresa;  // doctors are searched per insurer
    qint32 matricula;
    const char* tipoMatricula;  // jurisdiction and profession, "B1"
    const char* apellidoNombre;
};

struct Diagnostico {
    const char* codigo;
    const char* nombre;
};

struct Plan {
    qint16 empresa;
    const char* codigo;
    double porcentaje;  // hundredths
};

// A field mask of one operation: the header (_SVL.1) and the items (_SVL.3) fields it uses, by
// position from 1; no item positions means the operation carries no items.
struct Mascara {
    int operacion;
    QList<int> cabecera;
    QList<int> items;
};

const QList<EmpresaActividad>& Configuracion();
const QList<Medicamento>& Medicamentos();
const QList<Medico>& Medicos();
const QList<Diagnostico>& Diagnosticos();
const QList<Plan>& Planes();
// The masks of an insurer's pharmacy activity.
QList<Mascara> Mascaras(const QString& codigoEmpresa);

}  // namespace Demo
