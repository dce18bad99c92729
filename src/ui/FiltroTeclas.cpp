#include "ui/FiltroTeclas.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "core/modTarsa.h"

void FiltroTeclas::Instalar(QWidget* campo, int tipo) { campo->installEventFilter(new FiltroTeclas(campo, tipo)); }

bool FiltroTeclas::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    // Only keys that type a character are filtered, as a key-press handler sees them; moving
    // the cursor, deleting forward and shortcuts pass.
    const QString texto = tecla->text();
    if (texto.size() != 1 || (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const int codigo = texto.at(0).unicode();
    if (codigo < 32 && codigo != 8 && codigo != 13) return false;
    if (tipo_ == kBloquearTodo) return codigo != 13;
    const int resultado = FiltrarTecla(codigo, tipo_);
    if (resultado == 0) return true;
    if (resultado != codigo) {
        // The key was replaced (a decimal point by the regional separator): type the replacement.
        if (auto* campo = qobject_cast<QLineEdit*>(objeto)) campo->insert(QString(QChar(resultado)));
        return true;
    }
    return false;
}
