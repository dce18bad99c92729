#include "platform/MarcaPropietario.h"

#include <QFileInfo>

#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"

bool MarcaPropietario::Tomar(const QString& directorio) {
    Soltar();
    const QString archivo = Rutas::Unir(Rutas::Resolver(directorio), kNombre);
    if (SinEnlaces::EsEnlace(archivo)) return false;  // not a mark this program wrote
    // The run holds its mark for hours: age alone must never make it look abandoned; only a
    // holder that is no longer running does.
    auto marca = std::make_unique<BloqueoInstancia>(archivo);
    if (!marca->Tomar()) return false;
    marca_ = std::move(marca);
    return true;
}

void MarcaPropietario::Soltar() {
    if (marca_) marca_->Soltar();
    marca_.reset();
}

bool MarcaPropietario::Existe(const QString& directorio) {
    const QString archivo = Rutas::Unir(Rutas::Resolver(directorio), kNombre);
    return QFileInfo::exists(archivo) || SinEnlaces::EsEnlace(archivo);
}
