#include "catalogs/clsMedicamento.h"

#include <cmath>

#include "core/modConexion.h"
#include "platform/BaseDatos.h"

namespace {

// The statements the dialect makes of Buscar by troquel and of Procesar options 1 and 3, in
// SQLite's own SQL: texts and numbers are bound as the dialect binds the literals of those
// statements, the price in hundredths divided as floating point.
const char* const kExiste = "SELECT 1 FROM Medicamentos WHERE Troquel = ?";
const char* const kInserta =
    "INSERT OR IGNORE INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, "
    "TipoMedicamento, CodProveedor, Baja) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kActualiza =
    "UPDATE OR IGNORE Medicamentos SET CodigoBarra = ?, Nombre = ?, Presentacion = ?, Precio = ?, "
    "TipoMedicamento = ?, CodProveedor = ?, Baja = ? WHERE Troquel = ?";

// A text as option 1 and 3 write it: its double quotes become single quotes.
void EnlazarTexto(SentenciaPreparada& s, int i, QStringView texto) {
    if (!texto.contains(u'"')) return s.Texto(i, texto);
    s.Texto(i, texto.toString().replace(u'"', u'\''));
}

// A number as the statement text reads back: whole numbers below 10^15 as whole numbers, anything
// else with the fifteen significant digits it is written with.
bool EsEntero(double valor) {
    return valor == std::trunc(valor) && std::fabs(valor) < 1e15 && !(valor == 0 && std::signbit(valor));
}
double ComoEnElTexto(double valor) {
    return EsEntero(valor) ? double(qint64(valor)) : QString::number(valor, 'g', 15).toDouble();
}
void EnlazarNumero(SentenciaPreparada& s, int i, double valor) {
    if (EsEntero(valor))
        s.Entero(i, static_cast<qint64>(valor));
    else
        s.Real(i, ComoEnElTexto(valor));
}

}  // namespace

bool clsMedicamento::Procesar(int iOpcion, qint32 pTroquel, const QString& pCodigoBarra, const QString& pNombre,
                              const QString& pPresentacion, double pPrecio, qint16 pTipoMedicamento,
                              double pCodProveedor, bool pBaja) {
    return Proteger([&] {
        const QString codigoBarra = Texto(SinComillas(pCodigoBarra));
        const QString nombre = Texto(SinComillas(pNombre));
        const QString presentacion = Texto(SinComillas(pPresentacion));
        QString sql;
        switch (iOpcion) {
            case 1:
                sql =
                    "INSERT INTO Medicamentos (    IdEmpresa,    Troquel,    CodigoBarra,    Nombre,     Presentacion,"
                    "     Precio,     TipoMedicamento,     CodProveedor,     Baja)    VALUES(" +
                    ListaValores({Numero(Empresa), Numero(pTroquel), codigoBarra, nombre, presentacion,
                                  Escalado(pPrecio), Numero(pTipoMedicamento), Numero(pCodProveedor), Bandera(pBaja)});
                break;
            case 2:
                sql = "DELETE FROM Medicamentos";
                if (!Condicion.trimmed().isEmpty()) sql += " WHERE (1=1 AND " + Condicion + ")";
                break;
            case 3:
                sql = "UPDATE Medicamentos SET      CodigoBarra = " + codigoBarra + ",      Nombre = " + nombre +
                      ",      Presentacion = " + presentacion + ",      Precio= " + Escalado(pPrecio) +
                      ",      TipoMedicamento= " + Numero(pTipoMedicamento) +
                      ",      CodProveedor= " + Numero(pCodProveedor) + ",      Baja= " + Bandera(pBaja);
                if (!Condicion.trimmed().isEmpty()) sql += " WHERE (1=1 AND " + Condicion + ")";
                break;
            case 4:
                sql = "DELETE FROM Medicamentos WHERE (Baja=1)";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsMedicamento::Buscar(const QString& sWhere, qint32 pTroquel) {
    return Proteger([&]() -> Consulta {
        QString condicion;
        if (!sWhere.isEmpty())
            condicion = " WHERE (" + sWhere + ")";
        else if (pTroquel != 0)
            condicion = " WHERE (Troquel=" + Numero(pTroquel) + ")";
        if (condicion.isEmpty()) {
            Registros = 0;
            return nullptr;
        }
        Consulta rs = AbrirConsulta(
            "SELECT Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, CodProveedor, Baja"
            "    FROM Medicamentos" +
            condicion);
        if (Registros == 1) {
            Troquel = static_cast<qint32>(LeerEntero(*rs, "Troquel"));
            CodigoBarra = LeerTexto(*rs, "CodigoBarra");
            Nombre = LeerTexto(*rs, "Nombre");
            Presentacion = LeerTexto(*rs, "Presentacion");
            Precio = LeerDoble(*rs, "Precio");
            TipoMedicamento = static_cast<qint16>(LeerEntero(*rs, "TipoMedicamento"));
            CodProveedor = LeerDoble(*rs, "CodProveedor");
            if (!rs->Campo("Baja").isNull()) Baja = LeerEntero(*rs, "Baja") != 0;
        }
        return rs;
    });
}

void clsMedicamento::EnlazarDatos(SentenciaPreparada& s, int primero, QStringView pCodigoBarra, QStringView pNombre,
                                  QStringView pPresentacion, double pPrecio, qint16 pTipoMedicamento,
                                  double pCodProveedor, bool pBaja) {
    EnlazarTexto(s, primero, pCodigoBarra);
    EnlazarTexto(s, primero + 1, pNombre);
    EnlazarTexto(s, primero + 2, pPresentacion);
    s.Real(primero + 3, ComoEnElTexto(pPrecio) / 100.0);
    s.Entero(primero + 4, pTipoMedicamento);
    EnlazarNumero(s, primero + 5, pCodProveedor);
    s.Entero(primero + 6, pBaja ? 1 : 0);
}

bool clsMedicamento::ExisteTroquel(qint32 pTroquel) {
    return Proteger([&] {
        if (!existe_) existe_ = BaseAbierta().Preparar(kExiste);
        existe_->Entero(1, pTroquel);
        Registros = existe_->HayFila() ? 1 : 0;
        return Registros > 0;
    });
}

bool clsMedicamento::Insertar(qint32 pTroquel, QStringView pCodigoBarra, QStringView pNombre, QStringView pPresentacion,
                              double pPrecio, qint16 pTipoMedicamento, double pCodProveedor, bool pBaja) {
    return Proteger([&] {
        if (!inserta_) inserta_ = BaseAbierta().Preparar(kInserta);
        inserta_->Entero(1, Empresa);
        inserta_->Entero(2, pTroquel);
        EnlazarDatos(*inserta_, 3, pCodigoBarra, pNombre, pPresentacion, pPrecio, pTipoMedicamento, pCodProveedor,
                     pBaja);
        Registros = inserta_->Ejecutar();
        return true;
    });
}

bool clsMedicamento::ActualizarTroquel(qint32 pTroquel, QStringView pCodigoBarra, QStringView pNombre,
                                       QStringView pPresentacion, double pPrecio, qint16 pTipoMedicamento,
                                       double pCodProveedor, bool pBaja) {
    return Proteger([&] {
        if (!actualiza_) actualiza_ = BaseAbierta().Preparar(kActualiza);
        EnlazarDatos(*actualiza_, 1, pCodigoBarra, pNombre, pPresentacion, pPrecio, pTipoMedicamento, pCodProveedor,
                     pBaja);
        actualiza_->Entero(8, pTroquel);
        Registros = actualiza_->Ejecutar();
        return true;
    });
}

Consulta clsMedicamento::BuscarEmpresa() { return Buscar(" IdEmpresa=" + Numero(Empresa)); }

bool clsMedicamento::HayFilas() {
    return Proteger([&] {
        Consulta rs = AbrirConsulta("SELECT COUNT(*) FROM Medicamentos");
        return rs->Campo(0).toInt() > 0;
    });
}

namespace {
const char* const kColumnasBusqueda =
    "SELECT {Troquel}Troquel, {Código Barra}CodigoBarra, {Nombre}Nombre, {Presentación}Presentacion, {Precio}Precio "
    "FROM Medicamentos ";
const char* const kOpcionesBusqueda = "{Options:Nombre;Nombre LIKE '{S}*';Troquel;Troquel LIKE '{S}*'}";
}  // namespace

QString clsMedicamento::PlantillaTicket() {
    return QString::fromUtf8(kColumnasBusqueda) + "WHERE " + kOpcionesBusqueda;
}

QString clsMedicamento::PlantillaMenu() {
    return QString::fromUtf8(kColumnasBusqueda) + "WHERE 1=1 AND " + kOpcionesBusqueda;
}
