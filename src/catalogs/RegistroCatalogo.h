#pragma once
// One record of a catalog file: its text decoded once, its fields cut from it by position in the
// layout. Reading by position costs nothing per field; reading by name looks the name up in the
// layout's few fields.
#include <QString>
#include <QStringView>

#include "catalogs/ArchivoCatalogo.h"

class RegistroCatalogo {
public:
    RegistroCatalogo(const DisenoCatalogo& diseno, QString texto) : diseno_(&diseno), texto_(std::move(texto)) {}

    // The field at that position of the layout, untrimmed; empty past the record's end.
    QStringView Campo(int posicion) const {
        int desde = 0;
        for (int i = 0; i < posicion; ++i) desde += diseno_->Campos[i].Ancho;
        return QStringView(texto_).mid(desde, diseno_->Campos[posicion].Ancho);
    }
    // The field of that name, untrimmed; siFalta when the layout has no such field.
    QString Valor(const char* nombre, const QString& siFalta = {}) const {
        const int i = ArchivoCatalogo::Posicion(*diseno_, nombre);
        return i < 0 ? siFalta : Campo(i).toString();
    }

private:
    const DisenoCatalogo* diseno_;
    QString texto_;
};
