#pragma once
// The help inside the program: the HTML pages shipped beside the executable (help/), shown in a
// window of their own that follows their links, so that help works on any machine without a browser.
#include <QDialog>

class QTextBrowser;

class frmAyuda : public QDialog {
    Q_OBJECT
public:
    // Shows the page (a file of the help directory, with an optional "#section") in the one help
    // window, made when there is none; it stays open beside the program.
    static frmAyuda* Mostrar(const QString& pagina, QWidget* padre = nullptr);
    // The help directory: "help" beside the executable.
    static QString Directorio();
    // The page shown ("index.html#consumo").
    QString PaginaActual() const;

private:
    explicit frmAyuda(QWidget* padre);
    void Abrir(const QString& pagina);

    QTextBrowser* txtAyuda_;
    QString pagina_;  // the page asked for, shown or not
};
