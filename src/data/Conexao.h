#pragma once

#include <QString>
#include <QStringList>
#include <exception>

#include "data/FbConnection.h"

class SqlConnection;

// The administrator's credentials every connection and backup uses.
inline const QString UsuarioBanco = QStringLiteral("SYSDBA");
inline const QString SenhaBanco = QStringLiteral("tallowfen");

// Joins the database folder and a file name the way the server expects:
// with "/" when the folder is written with slashes, otherwise with "\".
// The folder is taken as typed, so a trailing separator doubles.
QString CaminhoBanco(const QString& pasta, const QString& arquivo);

// The administrator's settings for one database file, for the tools that
// create, check or drop databases outside the connection procedure.
fb::ConnectionSettings ConexaoAdministrador(const QString& caminho);

// The thirteen connection parameters, in order, for one database file.
QStringList ParametrosConexao(const QString& caminho);

// Sets up and opens one connection as the connection procedure does.
void ConfiguraConexao(SqlConnection& conexao, const QString& nome, const QString& caminho);

// The connection procedure: the stock connection first, then the
// configuration connection. A failure raises at the step where it happens,
// so a failing stock connection leaves the configuration one untouched.
void ConectaBancos(const QString& pasta);

// Whether the connection failed because another program on this computer
// has the databases open through the embedded engine.
bool AbertoEmOutroPrograma(const std::exception& e);
