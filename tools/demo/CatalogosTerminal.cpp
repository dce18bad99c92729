#include "CatalogosTerminal.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include "catalogs/ArchivoCatalogo.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace Demo {

namespace {

const char* const kApellidos[] = {"GÓMEZ", "PÉREZ",    "MUÑOZ",   "FERNÁNDEZ", "GONZÁLEZ", "RODRÍGUEZ", "LÓPEZ",
                                  "DÍAZ",  "MARTÍNEZ", "SÁNCHEZ", "ROMERO",    "ÁLVAREZ",  "BENÍTEZ",   "ACUÑA"};
const char* const kNombres[] = {"JOSÉ", "MARÍA", "ÁNGEL", "LUCÍA", "MARTÍN", "SOFÍA", "RAMÓN", "INÉS", "JULIÁN"};
const char* const kDrogas[] = {"AMOXICILINA", "IBUPROFENO",    "PARACETAMOL", "OMEPRAZOL",  "ENALAPRIL",   "LOSARTÁN",
                               "METFORMINA",  "ATORVASTATINA", "CLONAZEPAM",  "SALBUTAMOL", "LEVOTIROXINA"};
const char* const kPresentaciones[] = {"COMP. X 30", "COMP. X 16", "JARABE 120 ML", "GOTAS 20 ML",
                                       "AMP. X 6",   "CÁPS. X 28", "CREMA 30 G",    "SUSP. 60 ML"};
const char* const kEnfermedades[] = {
    "CÓLERA",   "FIEBRE TIFOIDEA", "HEPATITIS AGUDA", "DIABETES MELLITUS", "HIPERTENSIÓN ESENCIAL",
    "NEUMONÍA", "GASTRITIS",       "LUMBALGIA",       "OTITIS MEDIA"};

template <size_t N>
QString Uno(QRandomGenerator& azar, const char* const (&lista)[N]) {
    return QString::fromUtf8(lista[azar.bounded(static_cast<int>(N))]);
}

// One record: each field's value cut or padded with blanks to its width (numbers already padded by
// the caller), then CR LF.
QByteArray Registro(const DisenoCatalogo& diseno, const QHash<QString, QString>& valores) {
    QByteArray r;
    for (const CampoCatalogo& c : diseno.Campos)
        r += Ansi::Codificar(valores.value(QString::fromLatin1(c.Nombre)).leftJustified(c.Ancho, ' ', true));
    return r + "\r\n";
}

QString Ceros(qint64 n, int ancho) { return QString::number(n).rightJustified(ancho, '0', true); }

// About one row in fifty is withdrawn.
QString Baja(QRandomGenerator& azar) { return azar.bounded(50) == 0 ? "1" : "0"; }

void Escribir(const QString& dir, const DisenoCatalogo& diseno, const QList<QByteArray>& registros,
              QStringList& informe) {
    const QString ruta = Rutas::Unir(dir, QString::fromLatin1(diseno.Archivo));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(registros.join()) < 0)
        throw TarsaError(ErrAccesoRuta, "No se pudo escribir " + ruta + ": " + f.errorString(), "tarsa-demo");
    informe << QString("%1: %2 registros de %3 bytes").arg(diseno.Archivo).arg(registros.size()).arg(diseno.Longitud);
}

// A few records the client must survive: letters where a number goes, and a last record cut short
// (the reader leaves a partial record out).
void Malformados(QList<QByteArray>& registros, int campoNumerico) {
    if (registros.size() < 3) return;
    QByteArray& conLetras = registros[registros.size() / 2];
    conLetras.replace(0, campoNumerico, QByteArray(campoNumerico, 'X'));
    registros.append(registros.last().left(registros.last().size() / 2));
}

}  // namespace

QStringList GenerarCatalogos(const QString& dir, const QString& version, const QString& tipoActividad,
                             const TamanoCatalogos& tamano) {
    QDir().mkpath(dir);
    QRandomGenerator azar(20261206);
    const bool v101 = version == "V101";
    QStringList informe;

    const DisenoCatalogo& medicamentos = ArchivoCatalogo::Medicamentos(version);
    QList<QByteArray> filas;
    for (int i = 1; i <= tamano.medicamentos; ++i) {
        const int centavos = 100 + azar.bounded(5000000);
        const QString precio = v101 ? Ceros(centavos / 100, 13) : Ceros(centavos, 11);
        filas << Registro(medicamentos, {{"Troquel", Ceros(1000000 + i, 7)},
                                         {"CodigoBarra", "779" + Ceros(i, 10)},
                                         {"Nombre", Uno(azar, kDrogas) + " " + QString::number(5 * (1 + i % 100))},
                                         {"Presentacion", Uno(azar, kPresentaciones)},
                                         {"Precio", precio},
                                         {"TipoMedicamento", Ceros(azar.bounded(v101 ? 10 : 100), v101 ? 1 : 3)},
                                         {"CodProveedor", Ceros(azar.bounded(99999), v101 ? 5 : 9)},
                                         {"Baja", Baja(azar)}});
    }
    Malformados(filas, 7);
    Escribir(dir, medicamentos, filas, informe);

    const DisenoCatalogo& medicos = ArchivoCatalogo::Medicos(version, tipoActividad);
    filas.clear();
    for (int i = 1; i <= tamano.medicos; ++i) {
        const QString nombre = Uno(azar, kApellidos) + ", " + Uno(azar, kNombres);
        filas << Registro(medicos, {{"Matricula", Ceros(i, 6)},
                                    {"TipoMatricula", Ceros(1 + i % 3, 2)},
                                    {"Nombre", nombre},
                                    {"Baja", Baja(azar)}});
    }
    Malformados(filas, 6);
    Escribir(dir, medicos, filas, informe);

    const DisenoCatalogo& diagnosticos = ArchivoCatalogo::Diagnosticos(version);
    filas.clear();
    for (int i = 1; i <= tamano.diagnosticos; ++i) {
        const QString codigo = QString(QChar('A' + i % 26)) + Ceros(i, v101 ? 5 : 6);
        filas << Registro(diagnosticos, {{"Codigo", codigo},
                                         {"Nombre", Uno(azar, kEnfermedades) + " " + QString::number(i)},
                                         {"Baja", Baja(azar)}});
    }
    Escribir(dir, diagnosticos, filas, informe);
    return informe;
}

}  // namespace Demo
