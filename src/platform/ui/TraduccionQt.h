#pragma once
// Qt's own texts (the buttons of a message box, the print dialog) in Spanish, from Qt's translation
// file: beside the program on Windows (the installer puts it in "translations"), in Qt's
// translations directory elsewhere.
#include <QString>
#include <QStringList>

// The directories searched, in order.
QStringList DirectoriosTraduccionQt();
// Installs the first qtbase_es.qm found in the directories; false, and Qt's texts in English, when
// there is none.
bool InstalarTraduccionQt(const QStringList& directorios = DirectoriosTraduccionQt());
