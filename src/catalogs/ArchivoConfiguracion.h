#pragma once
// The terminal's configuration files read whole and checked before anything is replaced: the terminal
// may be rewriting them while the client starts, and a half-written or foreign file imported as it is
// would leave the pharmacy without its companies, providers or field masks.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "catalogs/clsItemBitmap.h"
#include "catalogs/clsItemEmpresaQuelo.h"
#include "platform/TarsaError.h"

namespace ArchivoConfiguracion {

inline constexpr int kLongitudEmpresa = 74;  // one _Quelo.emp record, CR LF included

// The records of the company configuration file, or nothing when there is no file of that name.
// Every record must be whole and valid: a licence, numeric company and activity codes, names
// without control characters and the CR LF that ends it (the last record may lack it). An empty
// file, a partial last record or an invalid record refuses the file whole (ConfiguracionRechazada).
std::optional<QList<clsItemEmpresaQuelo>> LeerEmpresas(const QString& ruta, qint64 maximoRegistros);
// The bitmaps of the bytes of _Quelo.prm, in file order, section headers and empty lines skipped.
// Every other line must be a bitmap (numeric company, activity and operation, a record name, a mask
// of "0" and "1"), the last one ended by its line end, and there must be at least one.
QList<clsItemBitmap> LeerBitmaps(const QByteArray& bytes);

// What refusing a configuration file says: the file, what is wrong with it, and that nothing was
// imported from it.
TarsaError ConfiguracionRechazada(const QString& archivo, int numero, const QString& motivo);

}  // namespace ArchivoConfiguracion
