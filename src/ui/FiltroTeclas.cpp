#include "ui/FiltroTeclas.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "core/modFormato.h"

void FiltroTeclas::Instalar(QWidget* campo, int tipo) {
    campo->installEventFilter(new FiltroTeclas(campo, tipo));
    auto* texto = qobject_cast<QLineEdit*>(campo);
    if (!texto || tipo == 5) return;
    // Pasted or dropped text never passes through the key handler: it goes through the same rule
    // here, character by character, once it is in the field.
    QObject::connect(texto, &QLineEdit::textEdited, texto, [texto, tipo](const QString& editado) {
        const QString filtrado = Filtrar(editado, tipo);
        if (filtrado == editado) return;
        const int cursor = texto->cursorPosition() - static_cast<int>(editado.size() - filtrado.size());
        texto->setText(filtrado);
        texto->setCursorPosition(qMax(0, cursor));
        Pitido();
    });
}

QString FiltroTeclas::Filtrar(const QString& texto, int tipo) {
    if (tipo == kBloquearTodo) return {};
    QString r;
    for (const QChar c : texto) {
        const int tecla = TeclaPermitida(c.unicode(), tipo);
        // Enter and Backspace only mean something as keys.
        if (tecla != 0 && tecla != 8 && tecla != 13) r += QChar(tecla);
    }
    return r;
}

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
