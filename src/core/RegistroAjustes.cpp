// The per-user settings of the program and the rules they are read by.
#include "core/RegistroAjustes.h"

#include <QDir>
#include <QLocale>

#include "platform/TarsaError.h"

QString DirectorioTrabajoPredeterminado() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Estandar");
#else
    return QDir::homePath() + QStringLiteral("/Estandar");
#endif
}

QString TextoBooleano(bool valor) { return valor ? QStringLiteral("True") : QStringLiteral("False"); }

bool LeerPalabrasSi(const QString& texto) {
    const QString t = texto.toUpper();
    return t == "TRUE" || t == "VERDADERO";
}

bool LeerPalabrasNo(const QString& texto) {
    const QString t = texto.toUpper();
    return !(t == "FALSE" || t == "FALSO");
}

bool ConvertirBooleano(const QString& texto) {
    const QString t = texto.trimmed().toUpper();
    if (t == "TRUE" || t == "VERDADERO") return true;
    if (t == "FALSE" || t == "FALSO") return false;
    bool ok = false;
    const double n = QLocale().toDouble(t, &ok);
    if (!ok) throw TarsaError(ErrTiposNoCoinciden, "No coinciden los tipos");
    return n != 0;
}
