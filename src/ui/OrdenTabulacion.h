#pragma once
// The Tab key follows the screen: top to bottom, and left to right along a row, whatever order the
// controls were made in; the controls of a frame go together; a window starts in its first control.
#include <functional>

class QWidget;

// Chains the shown controls of ventana that take the focus with Tab by where they stand in it; run
// once the window is laid out and its fields shown or hidden.
void OrdenarTabulacion(QWidget* ventana);
// The first shown and enabled control of that order, or nullptr.
QWidget* PrimerCampo(QWidget* ventana);
// Moves the focus from a field to the next field in the Tab order, passing over buttons (the "..."
// beside a field, say), as Enter does after a look-up.
void SiguienteCampo(QWidget* desde);
// Enter in a form: moves the focus on to the next control of ventana, in the Tab order, that is still
// to be filled (a line edit without text, a list at its blank entry or one that porLlenar names, any
// other control that is not a button), passing over what the program filled in already (today's
// date, the remembered pharmacy or licence type). False, and the focus left where it is, when nothing
// after desde is left to fill.
bool SiguienteCampoPorLlenar(QWidget* ventana, QWidget* desde,
                             const std::function<bool(const QWidget*)>& porLlenar = {});
