#pragma once
// Drop-down lists filled from the catalog collections, one "code . name" entry per item, with the
// current entry preselected. Each returns true when the list was filled.
#include <QString>

class QComboBox;

// Companies; the one whose code is gEmpresa is selected (none when no code matches).
bool CargarComboEmpresas(QComboBox* cbo);
// Provider types; the one of the given code, else the first.
bool CargarComboTipoPrestador(QComboBox* cbo, const QString& codigo);
// Activity types; the one of the given code, else the first.
bool CargarComboTipoActividad(QComboBox* cbo, const QString& codigo);
// The activities of company gEmpresa; the one whose code is gActividad, else the first.
bool CargarComboActividades(QComboBox* cbo);
// Providers; the one whose network licence is gTerminal, else the first.
bool CargarComboPrestadores(QComboBox* cbo);
