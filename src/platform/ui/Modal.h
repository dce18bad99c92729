#pragma once
// Every modal window is shown through MostrarModal, so that tests can accept or cancel it without
// a screen: a test installs a handler that receives the dialog instead of the user.
#include <QDialog>
#include <functional>

using ManejadorModal = std::function<int(QDialog&)>;

// Shows the dialog modally (exec) and returns its result, or hands it to the installed handler.
int MostrarModal(QDialog& dialogo);
// Installs a handler for the next modal windows; an empty one restores exec().
void EstablecerManejadorModal(ManejadorModal manejador);
