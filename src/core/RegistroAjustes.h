#pragma once
// The per-user settings of the program and the rules they are read by.
#include <QString>

inline const QString kSeccionStart = QStringLiteral("Start");
inline const QString kSeccionUltimos = QStringLiteral("LastPuleo");
QString DirectorioTrabajoPredeterminado();  // "C:\Estandar" on Windows, $HOME/Estandar elsewhere

// The text a Boolean setting is stored as.
QString TextoBooleano(bool valor);
// Stored Boolean texts: on exactly for "TRUE"/"VERDADERO" (on-words), off exactly for "FALSE"/"FALSO"
// (off-words), or converted as a Boolean value, throwing TarsaError when it does not convert.
bool LeerPalabrasSi(const QString& texto);
bool LeerPalabrasNo(const QString& texto);
bool ConvertirBooleano(const QString& texto);
