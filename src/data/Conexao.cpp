#include "data/Conexao.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DbError.h"

QString CaminhoBanco(const QString& pasta, const QString& arquivo) {
    const QChar separador = pasta.contains(u'/') ? u'/' : u'\\';
    return pasta + separador + arquivo;
}

fb::ConnectionSettings ConexaoAdministrador(const QString& caminho) {
    fb::ConnectionSettings settings;
    settings.database = caminho;
    settings.user = UsuarioBanco;
    settings.password = SenhaBanco;
    return settings;
}

QStringList ParametrosConexao(const QString& caminho) {
    return {QStringLiteral("User_Name=") + UsuarioBanco,
            QStringLiteral("Password=") + SenhaBanco,
            QStringLiteral("Database=") + caminho,
            QStringLiteral("BlobSize=-1"),
            QStringLiteral("CommitRetain=False"),
            QStringLiteral("ErrorResourceFile="),
            QStringLiteral("LocaleCode=0000"),
            QStringLiteral("RoleName=RoleName"),
            QStringLiteral("ServerCharSet=ISO8859_1"),
            QStringLiteral("SQLDialect=3"),
            QStringLiteral("Interbase TransIsolation=ReadCommited"),
            QStringLiteral("WaitOnLocks=True"),
            QStringLiteral("Trim Char=False")};
}

void ConfiguraConexao(SqlConnection& conexao, const QString& nome, const QString& caminho) {
    conexao.Close();
    conexao.Params.clear();
    conexao.ConnectionName = nome;
    conexao.DriverName = QStringLiteral("INTERBASE");
    conexao.LibraryName = QStringLiteral("libfbclient.so");
    conexao.VendorLib = QStringLiteral("libfbclient.so");
    conexao.GetDriverFunc = QStringLiteral("isc_attach_database");
    conexao.Params = ParametrosConexao(caminho);
    conexao.LoginPrompt = false;
    conexao.Open();
}

void ConectaBancos(const QString& pasta) {
    ConfiguraConexao(*dmConexao->SQLC_QOR, QStringLiteral("QOR"),
                     CaminhoBanco(pasta, QStringLiteral("qor.gdb")));
    ConfiguraConexao(*dmConfig->SQLC_Config, QStringLiteral("CONFIG"),
                     CaminhoBanco(pasta, QStringLiteral("config.gdb")));
}

bool AbertoEmOutroPrograma(const std::exception& e) {
    constexpr long jaAberto = 335545107L; // isc_already_opened
    const auto* erro = dynamic_cast<const DbError*>(&e);
    return erro && erro->has(jaAberto);
}
